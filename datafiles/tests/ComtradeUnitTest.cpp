#include "SimOut.h"

#include <gtest/gtest.h>

namespace {

struct UnitCase {
    const char* unit;
    const char* component;
    const char* prefix;
    float factor;
};

} // namespace

TEST(ComtradeUnit, PrefixAndFactorFollowTheUnitThenTheComponent) {
    const UnitCase cases[] = {
        {"kV", "Bus", "v:", 1000.0f},
        {"mA", "", "c:", 0.001f},
        {"V", "", "v:", 1.0f},
        {"A", "x", "c:", 1.0f},
        {"W", "", "p:", 1.0f},
        {"J", "", "e:", 1.0f},
        {"kW", "", "p:", 1000.0f},
        {"mJ", "", "e:", 0.001f},
        {"DEG", "", "a:", 1.0f},
        {"  kV ", "", "v:", 1000.0f},
        {"Hz", "Line", "L:", 1.0f},
        {"MW", "", "?:", 1.0f},
        {"kHz", "Gen", "G:", 1000.0f},
        {"X", "Feeder", "F:", 1.0f},
        {"X", "", "?:", 1.0f},
        {" ", "d", "d:", 1.0f},
        {"", "", "?:", 1.0f},
        {"km", "9", "?:", 1.0f},
        {"kVA", "Tx", "T:", 1000.0f},
        {"kWh", "", "?:", 1.0f},
        {"v", "", "?:", 1.0f},
        {"Ohm", "\xC3\x84", "?:", 1.0f},
        {"DEGREES", "Rotor", "R:", 1.0f},
    };
    for (const UnitCase& c : cases) {
        SimOut s;
        s.factor.assign(3, 1.0f);
        std::string name = "N1";
        s.PrefixFromUnit(2, name, c.unit, c.component);
        EXPECT_EQ(name, std::string(c.prefix) + "N1")
            << "'" << c.unit << "' '" << c.component << "'";
        EXPECT_EQ(s.factor[2], c.factor) << "'" << c.unit << "'";
    }
}

TEST(ComtradeUnit, IndexBeyondTheFactorsGrowsThemInsteadOfWritingPastThem) {
    SimOut s;
    std::string name = "x";
    s.PrefixFromUnit(4, name, "kV", "");
    ASSERT_EQ(s.factor.size(), 5u);
    EXPECT_EQ(s.factor[4], 1000.0f);
    s.PrefixFromUnit(-1, name, "A", "");
    EXPECT_EQ(name, "c:v:x");
}
