// The program run as users and scripts run it: answers piped in, exit status out.

#include "LoadflowTestUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <streambuf>

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
    // Characters are counted, not bytes: "Ñ" is two bytes in UTF-8.
    for (const std::string& thirty : {std::string(30, 'N'), "PEÑA" + std::string(26, 'N')}) {
        ScratchDir dir;
        ProcessResult ok = runTolvan(dir, thirty + "\n");
        EXPECT_EQ(ok.status, 1) << thirty;
        EXPECT_NE(ok.out.find("NO EXISTE"), std::string::npos) << thirty;

        ProcessResult refused = runTolvan(dir, thirty + "N\n");
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.out.find(" ERROR: EL NOMBRE DEL ARCHIVO FUENTE\n SUPERA LOS  30 "
                                   "CARACTERES ADMITIDOS\n"),
                  std::string::npos)
            << thirty;
        EXPECT_EQ(refused.out.find("PRESIONE"), std::string::npos);
    }
    // The 30-character name with its extension fills the 34 columns of the history header.
    ScratchDir dir;
    const std::string name = "PEÑA" + std::string(26, 'N');
    writeFile(dir.file(name + ".FLU"), threeBusCase());
    ProcessResult r = runTolvan(dir, name + "\n");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(
        readFile(dir.file(name + ".ADF"))
            .rfind("// Archivo generado por el Tolvan 7.41, a partir del [" + name + ".FLU]\n", 0),
        0u);
}

TEST(TolvanExecutable, OutputFilesThatCannotBeCreatedAreNamedAndNothingIsEmptied) {
    ScratchDir dir;
    writeFile(dir.file("C.FLU"), threeBusCase());
    writeFile(dir.file("C.SAL"), "previous report\n");
    std::filesystem::create_directory(dir.file("C.AUX"));
    std::filesystem::create_directory(dir.file("C.ADF"));
    ProcessResult r = runTolvan(dir, "C\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("*** NO SE PUEDE CREAR EL ARCHIVO C.AUX"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("*** NO SE PUEDE CREAR EL ARCHIVO C.ADF"), std::string::npos) << r.out;
    // The earlier results stay as they were, and no new file is left behind.
    EXPECT_EQ(readFile(dir.file("C.SAL")), "previous report\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("C.VOL")));
}

TEST(TolvanExecutable, WriteErrorsNameEveryFileAndNoSuccessIsAnnounced) {
    // Files may not grow past 8 KiB: the report and the matrix listing of IEEE 14 fail.
    ScratchDir dir;
    writeFile(dir.file("IEEE14.FLU"), readFile(std::string(CURVIX_EXAMPLES_DIR) + "/IEEE14.FLU"));
    writeFile(dir.file("stdin.txt"), "IEEE14\n");
    const std::string cmd =
        "cd '" + dir.path().string() +
        "' && bash -c 'trap \"\" XFSZ; ulimit -f 8; exec timeout 60 \"$0\"' '" TOLVAN_EXE
        "' < stdin.txt > stdout.txt 2>&1";
    const int raw = std::system(cmd.c_str());
    const std::string out = readFile(dir.file("stdout.txt"));
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << raw << out;
    EXPECT_EQ(readFile(dir.file("IEEE14.SAL")).size(), 8192u);
    EXPECT_NE(out.find("\n\n          *** ERROR AL ESCRIBIR EL ARCHIVO IEEE14.SAL ***\n"
                       "          *** ERROR AL ESCRIBIR EL ARCHIVO IEEE14.AUX ***\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("LOS RESULTADOS SE HAN ESCRITO"), std::string::npos);
    EXPECT_EQ(out.find("IEEE14.ADF"), std::string::npos);
}

namespace {

// A keyboard that types one line per read and, before each read, copies the
// output files as they are on disk at that moment.
class WatchingKeyboard : public std::streambuf {
public:
    WatchingKeyboard(std::vector<std::string> lines, std::function<void()> beforeRead)
        : lines_(std::move(lines)), beforeRead_(std::move(beforeRead)) {}

protected:
    int_type underflow() override {
        beforeRead_();
        if (next_ >= lines_.size()) return traits_type::eof();
        std::string& l = lines_[next_++];
        setg(l.data(), l.data(), l.data() + l.size());
        return traits_type::to_int_type(l[0]);
    }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::function<void()> beforeRead_;
};

} // namespace

TEST(TolvanRun, TheFilesAreCompleteOnDiskWhenTheEndIsAnnounced) {
    // A run stopped at a pause (Ctrl-C) keeps what the files hold on disk then.
    ScratchDir dir;
    writeFile(dir.file("IEEE14.FLU"), readFile(std::string(CURVIX_EXAMPLES_DIR) + "/IEEE14.FLU"));
    const char* const ext[] = {".SAL", ".VOL", ".AUX", ".ADF"};
    std::ostringstream out;
    struct Seen {
        std::string console;
        std::string files[4];
    };
    std::vector<Seen> seen;
    WatchingKeyboard keys({"IEEE14\n", "\n", "\n", "\n"}, [&] {
        Seen s{out.str(), {}};
        for (int f = 0; f < 4; ++f)
            s.files[f] = readFile(dir.file(std::string("IEEE14") + ext[f]));
        seen.push_back(std::move(s));
    });
    std::istream in(&keys);
    lf::NewtonRaphson method;
    ASSERT_EQ(lf::runSolver(lf::kTolvan, method, in, out, dir.path()), lf::exitConverged)
        << out.str();
    ASSERT_EQ(seen.size(), 4u); // the answer and three pauses
    const Seen& last = seen.back();
    ASSERT_NE(last.console.find("**** LOS RESULTADOS SE HAN ESCRITO EN LOS ARCHIVOS ****"),
              std::string::npos);
    for (int f = 0; f < 4; ++f) {
        const std::string final = readFile(dir.file(std::string("IEEE14") + ext[f]));
        EXPECT_GT(final.size(), 8192u * (f == 0)) << ext[f];
        EXPECT_EQ(last.files[f], final) << ext[f];
        // At the earlier pauses each file holds the start of its final text.
        for (std::size_t p = 1; p + 1 < seen.size(); ++p)
            EXPECT_EQ(final.rfind(seen[p].files[f], 0), 0u) << ext[f] << " pause " << p;
    }
    EXPECT_NE(seen[1].files[0].find("TITULOS DEL CASO:"), std::string::npos);
    EXPECT_NE(seen[2].files[0].find("D A T O S   D E   B A R R A S"), std::string::npos);
}

TEST(ReadmeExample, TheSolverExampleLeavesTheCheckoutClean) {
    // The README's commands, run in a copy of the parts of the checkout they use.
    std::istringstream readme(readFile(std::string(CURVIX_EXAMPLES_DIR) + "/../README.md"));
    std::string commands;
    bool inExample = false;
    for (std::string l; std::getline(readme, l);) {
        if (l.find("Try, from the checkout") != std::string::npos)
            inExample = true;
        else if (inExample && l.rfind("      ", 0) == 0)
            commands += l.substr(6) + "\n";
        else if (inExample && !commands.empty())
            break;
    }
    ASSERT_NE(commands.find("build/release/loadflow/tolvan"), std::string::npos) << commands;
    ScratchDir dir;
    // The results go to a new folder of the user's own, made under TMPDIR.
    const std::filesystem::path checkout = dir.path() / "checkout", tmp = dir.path() / "tmp";
    std::filesystem::create_directories(tmp);
    std::filesystem::create_directories(checkout / "examples");
    std::filesystem::create_directories(checkout / "build/release/loadflow");
    std::filesystem::copy_file(std::string(CURVIX_EXAMPLES_DIR) + "/IEEE14.FLU",
                               checkout / "examples/IEEE14.FLU");
    std::filesystem::create_symlink(TOLVAN_EXE, checkout / "build/release/loadflow/tolvan");
    writeFile(dir.file("commands.sh"), commands);
    const std::string run = "cd '" + checkout.string() + "' && TMPDIR='" + tmp.string() +
                            "' timeout 60 bash '" + dir.file("commands.sh") + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(run.c_str()), 0) << commands;

    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(checkout / "examples"))
        left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"IEEE14.FLU"});
    std::vector<std::filesystem::path> made;
    for (const auto& e : std::filesystem::directory_iterator(tmp))
        made.push_back(e.path());
    ASSERT_EQ(made.size(), 1u) << commands;
    EXPECT_EQ(std::filesystem::status(made[0]).permissions(), std::filesystem::perms::owner_all);
    EXPECT_NE(readFile((made[0] / "IEEE14.SAL").string()).find("FIN DEL CASO"), std::string::npos);
}
