#include "SimOut.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> converted(std::vector<std::string> names, void (*convert)(SimOut&)) {
    SimOut s;
    s.names = std::move(names);
    convert(s);
    return s.names;
}

using Names = std::vector<std::string>;

} // namespace

TEST(Pl4PlainNames, NodesBecomeCapitalisedWords) {
    const auto plain = converted({"t", "v:BUS1  -BUS2  ", "c:N1    -      ", "c:N1    -",
                                  "v:BUS 1 ", "s1:ABCDEF", "u12:GEN   ", "vr:BUS1  ", "v:"},
                                 [](SimOut& s) { s.MakePl4NamesPlain(); });
    EXPECT_EQ(plain, (Names{"t", "vBus1Bus2", "iN1Terra", "iN1Terra", "vBus_1", "s1Abcdef",
                            "u12Gen", "vrBus1", "vTerra"}));
}

TEST(Pl4PlainNames, NameWithoutPrefixStopsOnlyItself) {
    testing::internal::CaptureStdout();
    const auto plain = converted({"t", "v:A", "nocolon", "c:B     -C     "},
                                 [](SimOut& s) { s.MakePl4NamesPlain(); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Internal error \"PPos\"\n");
    EXPECT_EQ(plain, (Names{"t", "vA", "nocolon", "iBC"}));
}

TEST(ComtradePlainNames, WordsAreJoinedAfterThePrefix) {
    EXPECT_EQ(converted({"t", "v:Bus 1 Va", "v:", "a:x,Y\tz", "v:  "},
                        [](SimOut& s) { s.MakeComtradeNamesPlain(false); }),
              (Names{"t", "vBus1Va", "v:Dummy", "aXYZ", "v:  "}));
    EXPECT_EQ(converted({"t", "c:I-a (kA)", "d:Trip\xe9"},
                        [](SimOut& s) { s.MakeComtradeNamesPlain(true); }),
              (Names{"t", "cI_a_ka_", "dTrip_"}));
}

TEST(MatNames, EveryNameBecomesAnIdentifier) {
    EXPECT_EQ(converted({"X_(auto)", "v:BUS1", "1st", "", "_a", "\xe9t\xe9"},
                        [](SimOut& s) { s.MakeMatNames(); }),
              (Names{"X__auto_", "v_BUS1", "x1st", "x", "x_a", "x_t_"}));
}
