#include "services/SystemHooks.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

TEST(SystemHooksTest, TickCountFollowsAReplacedClockUntilRestored) {
    std::uint32_t now = 0xFFFFFFF0u;
    auto previous = SetTickCountSource([&] { return now; });
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    now += 0x20; // wraps like the system counter
    EXPECT_EQ(GetTickCount(), 0x10u);
    SetTickCountSource(std::move(previous));
    std::uint32_t a = GetTickCount();
    std::uint32_t b = GetTickCount();
    EXPECT_LE(static_cast<std::uint32_t>(b - a), 1000u);
}

TEST(SystemHooksTest, BeepsGoToTheInstalledHandler) {
    std::vector<std::pair<unsigned, unsigned>> beeps;
    auto previous = SetBeepHandler([&](unsigned f, unsigned d) { beeps.emplace_back(f, d); });
    Beep(500, 100);
    SetBeepHandler(std::move(previous));
    ASSERT_EQ(beeps.size(), 1u);
    EXPECT_EQ(beeps[0], std::make_pair(500u, 100u));
}

} // namespace
