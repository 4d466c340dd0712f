#include "TestSupport.h"
#include "services/Registry.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::string kKey = "Software\\Vantor\\QJ's Curvix";

std::filesystem::path StoreFile(const CScratchDir& scratch) {
    return scratch.path() / "registry" / "registry.txt";
}

TEST(RegistryCrashTest, WriteCutBeforeTheRenameLeavesTheOldStore) {
    CScratchDir scratch;
    TRegistry reg;
    reg.OpenKey(kKey, true);
    reg.WriteInteger("Number Of Files", 3);
    // What a writer that died between writing and renaming leaves behind.
    std::ofstream(StoreFile(scratch).string() + ".tmp") << "curvix-registry 1\n[Soft";

    TRegistry later;
    ASSERT_TRUE(later.OpenKey(kKey, false));
    EXPECT_EQ(later.ReadInteger("Number Of Files"), 3);
    later.WriteInteger("Number Of Files", 4);
    EXPECT_EQ(TRegistry().KeyExists(kKey), true);
    EXPECT_EQ(later.ReadInteger("Number Of Files"), 4);
    EXPECT_FALSE(std::filesystem::exists(StoreFile(scratch).string() + ".tmp"));
}

TEST(RegistryCrashTest, WriterKilledAtRandomMomentsLeavesOldOrNewValues) {
    CScratchDir scratch;
    TRegistry reg;
    reg.OpenKey(kKey, true);
    reg.WriteInteger("Counter", 0);
    // A large value makes each write long enough to be cut in the middle.
    const std::vector<std::uint8_t> bulk(64 * 1024, 0x5A);

    std::mt19937 random(12345);
    std::int32_t lastSeen = 0;
    for (int round = 0; round < 12; ++round) {
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        pid_t child = StartChild([&] {
            TRegistry writer;
            writer.OpenKey(kKey, false);
            for (std::int32_t i = lastSeen + 1;; ++i) {
                writer.WriteBinaryData("Bulk", bulk.data(), static_cast<int>(bulk.size()));
                writer.WriteInteger("Counter", i);
                if (i == lastSeen + 1 && ::write(started[1], "w", 1) != 1) return 2;
            }
            return 0;
        });
        char ignored;
        ASSERT_EQ(::read(started[0], &ignored, 1), 1); // one complete write is in
        ::close(started[0]);
        ::close(started[1]);
        ::usleep(std::uniform_int_distribution<unsigned>(0, 20000)(random));
        ::kill(child, SIGKILL);
        ASSERT_EQ(WaitChild(child), 128 + SIGKILL);

        TRegistry check;
        ASSERT_TRUE(check.OpenKey(kKey, false)) << "round " << round;
        std::int32_t counter = check.ReadInteger("Counter");
        EXPECT_GT(counter, lastSeen);
        lastSeen = counter;
        std::vector<std::uint8_t> back(bulk.size());
        check.ReadBinaryData("Bulk", back.data(), static_cast<int>(back.size()));
        EXPECT_EQ(back, bulk);
    }
}

TEST(RegistryCrashTest, FourConcurrentWritersLoseNoValue) {
    CScratchDir scratch;
    TRegistry().OpenKey(kKey, true);
    constexpr int kWriters = 4;
    constexpr int kValuesEach = 40;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        children.push_back(StartChild([w] {
            TRegistry writer;
            if (!writer.OpenKey(kKey, false)) return 1;
            for (int i = 0; i < kValuesEach; ++i)
                writer.WriteInteger("P" + std::to_string(w) + "-" + std::to_string(i),
                                    w * 1000 + i);
            return 0;
        }));
    }
    for (pid_t child : children)
        EXPECT_EQ(WaitChild(child), 0);

    TRegistry reader;
    ASSERT_TRUE(reader.OpenKey(kKey, false));
    int found = 0;
    for (int w = 0; w < kWriters; ++w)
        for (int i = 0; i < kValuesEach; ++i) {
            std::string name = "P" + std::to_string(w) + "-" + std::to_string(i);
            if (reader.ValueExists(name) && reader.ReadInteger(name) == w * 1000 + i) ++found;
        }
    EXPECT_EQ(found, kWriters * kValuesEach);
}

} // namespace
