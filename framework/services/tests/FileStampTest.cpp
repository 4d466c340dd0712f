#include "services/FileStamp.h"
#include "TestSupport.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

namespace {

std::tm Calendar(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(FileStampTest, PacksCalendarFieldsIntoTheDosLayout) {
    EXPECT_EQ(PackDosDateTime(Calendar(1980, 1, 1, 0, 0, 0)), 0x00210000u);
    EXPECT_EQ(PackDosDateTime(Calendar(2021, 6, 15, 10, 20, 31)),
              0x52CF528Fu); // odd second halves down
    EXPECT_EQ(PackDosDateTime(Calendar(2024, 2, 29, 23, 59, 59)), 0x585DBF7Du);
}

TEST(FileStampTest, TimesOutsideTheFormatClampToItsEnds) {
    EXPECT_EQ(PackDosDateTime(Calendar(1970, 1, 1, 12, 0, 0)), 0x00210000u);
    EXPECT_EQ(PackDosDateTime(Calendar(2108, 1, 1, 0, 0, 0)), 0xFF9FBF7Du);
}

class LocalTimeIsUtc : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) saved_ = tz, hadTz_ = true;
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    void TearDown() override {
        if (hadTz_)
            ::setenv("TZ", saved_.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    CScratchDir scratch;

private:
    std::string saved_;
    bool hadTz_ = false;
};

TEST_F(LocalTimeIsUtc, StampOfAFileIsItsModificationTime) {
    std::filesystem::path file = scratch.path() / "run.adf";
    std::ofstream(file) << "t v:a\n";
    timespec times[2] = {{1623752431, 0}, {1623752431, 0}}; // 2021-06-15 10:20:31 UTC
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    std::uint32_t stamp = 0;
    EXPECT_EQ(GetFileStamp(file.string(), stamp), 0);
    EXPECT_EQ(stamp, 0x52CF528Fu);
}

TEST_F(LocalTimeIsUtc, MissingFilesAndFoldersCannotBeStamped) {
    std::uint32_t stamp = 77;
    EXPECT_EQ(GetFileStamp((scratch.path() / "absent.adf").string(), stamp), 1);
    EXPECT_EQ(GetFileStamp(scratch.path().string(), stamp), 1);
    EXPECT_EQ(stamp, 77u);
}

TEST_F(LocalTimeIsUtc, NamedPipeDoesNotHang) {
    std::filesystem::path fifo = scratch.path() / "pipe.adf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::uint32_t stamp = 0;
    EXPECT_EQ(GetFileStamp(fifo.string(), stamp), 0);
}

} // namespace
