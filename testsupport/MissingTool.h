#pragma once
// Tests that check against an outside tool, font or locale. Under ./test.sh, which sets
// CURVIX_STRICT, a missing one fails the test; elsewhere the test is skipped with the
// reason. Use it where GTEST_SKIP would go:
//     if (!fs::exists("/usr/bin/wmf2svg")) CURVIX_SKIP_OR_FAIL() << "libwmf-bin is not installed";

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace testsupport {
inline bool StrictTools() {
    const char* v = std::getenv("CURVIX_STRICT");
    return v && *v && std::strcmp(v, "0") != 0;
}
} // namespace testsupport

#define CURVIX_SKIP_OR_FAIL()                                                                      \
    return ::testing::internal::AssertHelper(                                                      \
               ::testsupport::StrictTools() ? ::testing::TestPartResult::kFatalFailure             \
                                            : ::testing::TestPartResult::kSkip,                    \
               __FILE__, __LINE__, "a tool, font or locale the test needs is missing: ") =         \
               ::testing::Message()
