// BINARY time stamps are unsigned 32-bit counts: one above 2^31 is a late
// time, not a negative one. The set is written byte by byte here, apart
// from any fixture writer, so the test needs no other tool.

#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace testfiles;

TEST(ComtradeBinaryStamps, StampsAboveTwoToTheThirtyFirstAreLateTimes) {
    ScratchDir dir;
    // One analog channel U in volts, a = 1, b = 0; three samples; 1991, so a
    // stamp counts microseconds.
    writeFile(dir.file("late.cfg"), "Station A,Recorder 7\n"
                                    "1,1A,0D\n"
                                    "1,U,A,,V,1,0,0,-32767,32767\n"
                                    "50\n"
                                    "1\n"
                                    "1000,3\n"
                                    "01/02/2026,10:00:00.000000\n"
                                    "01/02/2026,10:00:00.010000\n"
                                    "BINARY\n");
    // Per sample, little-endian: u32 number, u32 stamp, i16 value.
    const char dat[] = "\x01\x00\x00\x00"
                       "\x00\x00\x00\x00"
                       "\x07\x00"
                       "\x02\x00\x00\x00"
                       "\x10\x00\x00\x80" // 0x80000010 = 2147483664 us
                       "\xf9\xff"         // -7
                       "\x03\x00\x00\x00"
                       "\xff\xff\xff\xff" // 4294967295 us
                       "\x00\x80";        // -32768
    writeFile(dir.file("late.dat"), std::string(dat, sizeof dat - 1));

    SimOut r;
    ASSERT_EQ(r.LoadFromComtradeFile(dir.file("late.cfg")), "");
    ASSERT_EQ(r.nPoints, 3);
    EXPECT_FLOAT_EQ(r.data[0][0], 0.0f);
    EXPECT_FLOAT_EQ(r.data[0][1], 2147.483664f);
    EXPECT_FLOAT_EQ(r.data[0][2], 4294.967295f);
    EXPECT_FLOAT_EQ(r.data[1][0], 7.0f);
    EXPECT_FLOAT_EQ(r.data[1][1], -7.0f);
    EXPECT_FLOAT_EQ(r.data[1][2], -32768.0f);
}
