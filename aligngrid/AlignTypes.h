#pragma once
// Value types of the alignment grid: enumerations with their stored ordinals,
// and the font and brush that remember whether they were ever changed (only
// changed ones are written to a form).

#include "GraphicsObjects.h"

#include <cstdint>
#include <string_view>

enum TMyAlign : std::uint8_t { alRight = 0, alLeft = 1, alCenter = 2 };

enum T_nextcell : std::uint8_t {
    nc_rightdown = 0,
    nc_downright = 1,
    nc_leftdown = 2,
    nc_downleft = 3,
    nc_leftup = 4,
    nc_upleft = 5,
    nc_rightup = 6,
    nc_upright = 7
};

enum t_lastcell : std::uint8_t { lc_newcolrow = 0, lc_stop = 1, lc_first = 2 };

enum t_relation : std::uint8_t { rel_greater = 0, rel_equal = 1, rel_less = 2 };

class TMyFont : public TFont {
public:
    bool IsChanged() const { return changed_; }

protected:
    void Changed() override {
        changed_ = true;
        TFont::Changed();
    }

private:
    bool changed_ = false;
};

class TMyBrush : public TBrush {
public:
    bool IsChanged() const { return changed_; }

protected:
    void Changed() override {
        changed_ = true;
        TBrush::Changed();
    }

private:
    bool changed_ = false;
};

// Texts compare by their 8-bit codes (0x80 and above after ASCII); a text that
// begins another sorts first.
t_relation CompareCellTexts(std::string_view first, std::string_view second);
