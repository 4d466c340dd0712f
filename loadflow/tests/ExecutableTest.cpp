// The program run as users and scripts run it: answers piped in, exit status out.

#include "LoadflowTestUtil.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

using namespace lftest;

namespace {

struct ProcessResult {
    int status = -1;
    std::string out;
};

// Runs tolvan in `dir` with `input` as its standard input; a stuck run is
// ended by timeout (status 124).
ProcessResult runTolvan(const ScratchDir& dir, const std::string& input) {
    writeFile(dir.file("stdin.txt"), input);
    std::string cmd = "cd '" + dir.path().string() +
                      "' && timeout 60 '" TOLVAN_EXE "' < stdin.txt > stdout.txt 2>&1";
    int raw = std::system(cmd.c_str());
    ProcessResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(dir.file("stdout.txt"));
    return r;
}

} // namespace

TEST(TolvanExecutable, EndOfInputAnswersEveryPause) {
    ScratchDir dir;
    writeFile(dir.file("THREEBUS.FLU"), threeBusCase());
    ProcessResult r = runTolvan(dir, "THREEBUS\n");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("EL CALCULO ITERATIVO HA FINALIZADO"), std::string::npos);
    EXPECT_FALSE(readFile(dir.file("THREEBUS.SAL")).empty());
}

TEST(TolvanExecutable, NoInputAtAllEndsWithTheMissingCaseMessage) {
    ScratchDir dir;
    ProcessResult r = runTolvan(dir, "");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("*** EL ARCHIVO DE DATOS NO EXISTE ***"), std::string::npos);
}

TEST(TolvanExecutable, NonConvergenceExitsWithTwo) {
    ScratchDir dir;
    std::string t = threeBusCase();
    t.replace(t.find("     20."), 8, "      1.");
    writeFile(dir.file("C.FLU"), t);
    ProcessResult r = runTolvan(dir, "C\n\n\n\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find(" ** No hubo convergencia **"), std::string::npos);
}

TEST(TolvanExecutable, NamesOfThirtyCharactersAreAcceptedAndLongerOnesRefused) {
    ScratchDir dir;
    const std::string thirty(30, 'N');
    ProcessResult ok = runTolvan(dir, thirty + "\n");
    EXPECT_EQ(ok.status, 1);
    EXPECT_NE(ok.out.find("NO EXISTE"), std::string::npos);

    ProcessResult refused = runTolvan(dir, thirty + "N\n");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find(
                  " ERROR: EL NOMBRE DEL ARCHIVO FUENTE\n SUPERA LOS  30 CARACTERES ADMITIDOS\n"),
              std::string::npos);
    EXPECT_EQ(refused.out.find("PRESIONE"), std::string::npos);
}

TEST(TolvanExecutable, AnOutputFileThatCannotBeCreatedIsAnError) {
    ScratchDir dir;
    writeFile(dir.file("C.FLU"), threeBusCase());
    std::filesystem::create_directory(dir.file("C.AUX"));
    ProcessResult r = runTolvan(dir, "C\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("*** NO SE PUEDE CREAR EL ARCHIVO C.AUX"), std::string::npos);
}
