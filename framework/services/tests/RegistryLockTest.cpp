// Two writers made to overlap at the worst moment: the first has read the
// store and not yet written it back when the second starts. The second must
// wait on the lock until the first is done, so neither value is lost. The
// overlap is arranged, not hoped for: the first writer goes on only once the
// kernel lists the second as waiting for the lock (or the second has already
// finished, which is the fault).

#include "services/Registry.h"
#include "services/RegistryFile.h"

#include "ScratchFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

// True when /proc/locks lists a process waiting for an flock on this inode.
bool WaiterListed(ino_t inode) {
    std::ifstream locks("/proc/locks");
    const std::string key = ":" + std::to_string(inode) + " ";
    for (std::string line; std::getline(locks, line);)
        if (line.find("->") != std::string::npos && line.find("FLOCK") != std::string::npos &&
            line.find(key) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(RegistryLock, ASecondWriterWaitsUntilTheFirstHasWrittenAndBothValuesStay) {
    ASSERT_TRUE(std::ifstream("/proc/locks").good()) << "the test reads /proc/locks";
    testsupport::ScratchDir dir;
    CRegistryFile store(dir.path());
    std::atomic<bool> secondDone{false};
    std::string secondError;
    std::thread second;
    bool secondFinishedFirst = false, overlapArranged = false;

    store.Update([&](SRegTree& tree) {
        // Under the first writer's lock, after its read of the store.
        tree.keys[""]["First"] = SRegValue{SRegValue::EKind::Integer, 1, {}};
        second = std::thread([&] {
            try {
                TRegistry(dir.path()).WriteInteger("Second", 2);
            } catch (const std::exception& e) {
                secondError = e.what();
            }
            secondDone = true;
        });
        struct stat st {};
        if (::stat((dir.path() / "registry.lock").c_str(), &st) != 0) return true;
        // Bounded only so that a broken build cannot hang the test run.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!secondDone && !WaiterListed(st.st_ino) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        secondFinishedFirst = secondDone;
        overlapArranged = secondDone || WaiterListed(st.st_ino);
        return true;
    });
    second.join();

    ASSERT_TRUE(overlapArranged);
    EXPECT_FALSE(secondFinishedFirst) << "the second writer did not wait for the lock";
    EXPECT_EQ(secondError, "");
    TRegistry reader(dir.path());
    ASSERT_TRUE(reader.ValueExists("First"));
    ASSERT_TRUE(reader.ValueExists("Second"));
    EXPECT_EQ(reader.ReadInteger("First"), 1);
    EXPECT_EQ(reader.ReadInteger("Second"), 2);
}
