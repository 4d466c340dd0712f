#include "services/NamedMutex.h"
#include "TestSupport.h"

#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

TEST(NamedMutexTest, FifthInstanceIsRefusedWhileFourHold) {
    CScratchDir scratch;
    std::vector<SInstanceLock> held;
    for (int i = 0; i < 4; ++i) {
        auto lock = AcquireInstanceLock();
        ASSERT_TRUE(lock);
        EXPECT_EQ(lock->index, i);
        held.push_back(std::move(*lock));
    }
    EXPECT_FALSE(AcquireInstanceLock());

    held[1].mutex.Release();
    auto freed = AcquireInstanceLock();
    ASSERT_TRUE(freed);
    EXPECT_EQ(freed->index, 1);
}

TEST(NamedMutexTest, NamesMapToDistinctLockFiles) {
    CScratchDir scratch;
    EXPECT_EQ(CNamedMutex::LockFileFor("QJ's Curvix - 0").filename(),
              "QJ%27s%20Curvix%20-%200.lock");
    EXPECT_NE(CNamedMutex::LockFileFor("a/b"), CNamedMutex::LockFileFor("a_b"));
    auto first = CNamedMutex::TryAcquire("a/b");
    EXPECT_TRUE(first);
    EXPECT_TRUE(CNamedMutex::TryAcquire("a_b"));
    EXPECT_FALSE(CNamedMutex::TryAcquire("a/b"));
}

// Four processes take the four numbers; a fifth finds none; killing a holder frees its number.
TEST(NamedMutexTest, CrashedInstanceReleasesItsNumberAcrossProcesses) {
    CScratchDir scratch;
    int release[2];
    ASSERT_EQ(::pipe(release), 0);
    std::vector<pid_t> children;
    std::vector<int> childIndex;
    for (int c = 0; c < 4; ++c) {
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        children.push_back(StartChild([&] {
            ::close(report[0]);
            ::close(release[1]);
            auto lock = AcquireInstanceLock();
            char index = lock ? static_cast<char>('0' + lock->index) : 'x';
            if (::write(report[1], &index, 1) != 1) return 2;
            char ignored;
            [[maybe_unused]] auto n = ::read(release[0], &ignored, 1); // wait until told
            return 0;
        }));
        ::close(report[1]);
        char index = 'x';
        ASSERT_EQ(::read(report[0], &index, 1), 1);
        ::close(report[0]);
        childIndex.push_back(index - '0');
    }
    EXPECT_EQ(childIndex, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(AcquireInstanceLock());

    ::kill(children[2], SIGKILL);
    EXPECT_EQ(WaitChild(children[2]), 128 + SIGKILL);
    auto taken = AcquireInstanceLock();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->index, 2);

    ::close(release[1]); // the other holders end normally
    ::close(release[0]);
    for (int c : {0, 1, 3})
        EXPECT_EQ(WaitChild(children[c]), 0);
}

} // namespace
