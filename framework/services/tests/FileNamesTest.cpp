#include "services/FileNames.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNamesTest, PartsOfAPath) {
    struct Case {
        const char* path;
        const char* name;
        const char* filePath;
        const char* dir;
        const char* ext;
    };
    const Case cases[] = {
        {"/data/run1.PL4", "run1.PL4", "/data/", "/data", ".PL4"},
        {"/run.adf", "run.adf", "/", "/", ".adf"},
        {"run.cfg", "run.cfg", "", "", ".cfg"},
        {"/data.d/run", "run", "/data.d/", "/data.d", ""},
        {"/data/run.", "run.", "/data/", "/data", "."},
        {"/data/a.b.mat", "a.b.mat", "/data/", "/data", ".mat"},
        {"/data/", "", "/data/", "/data", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractFileName(c.path), c.name);
        EXPECT_EQ(ExtractFilePath(c.path), c.filePath);
        EXPECT_EQ(ExtractFileDir(c.path), c.dir);
        EXPECT_EQ(ExtractFileExt(c.path), c.ext);
    }
}

TEST(FileNamesTest, ChangeFileExtReplacesOrAppends) {
    EXPECT_EQ(ChangeFileExt("/data/rec.cfg", ".dat"), "/data/rec.dat");
    EXPECT_EQ(ChangeFileExt("/data.d/rec", ".dat"), "/data.d/rec.dat");
    EXPECT_EQ(ChangeFileExt("rec.CFG", ""), "rec");
}

TEST(FileNamesTest, ExpandFileNameResolvesAgainstTheCurrentFolder) {
    CScratchDir scratch;
    std::string before = GetCurrentDir();
    std::string canonical = std::filesystem::canonical(scratch.path()).string();
    ASSERT_TRUE(SetCurrentDir(canonical));
    EXPECT_EQ(GetCurrentDir(), canonical);
    EXPECT_EQ(ExpandFileName("sub/../run.adf"), canonical + "/run.adf");
    EXPECT_EQ(ExpandFileName("/a/./b/../c.mat"), "/a/c.mat");
    EXPECT_FALSE(SetCurrentDir(canonical + "/absent"));
    ASSERT_TRUE(SetCurrentDir(before));
}

TEST(FileNamesTest, CaseChangesTouchOnlyAsciiLetters) {
    EXPECT_EQ(LowerCase(".PL4"), ".pl4");
    EXPECT_EQ(UpperCase("t\xC3\xA9mps"), "T\xC3\xA9MPS");
}

} // namespace
