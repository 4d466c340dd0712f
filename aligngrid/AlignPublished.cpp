// The grid-wide values as published form properties: enumerations by their
// identifiers, colours as integers or colour identifiers.

#include "AlignAttributes.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

const std::array<std::pair<std::string_view, TColor>, 31> kColorNames{{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
}};

constexpr std::array<std::string_view, 3> kAlignNames{"alRight", "alLeft", "alCenter"};
constexpr std::array<std::string_view, 8> kNextCellNames{
    "nc_rightdown", "nc_downright", "nc_leftdown", "nc_downleft",
    "nc_leftup",    "nc_upleft",    "nc_rightup",  "nc_upright"};
constexpr std::array<std::string_view, 3> kLastCellNames{"lc_newcolrow", "lc_stop", "lc_first"};

[[noreturn]] void BadValue(const std::string& name, const std::string& value) {
    throw EReadError("Invalid value " + value + " for property " + name);
}

template <std::size_t N>
std::uint8_t ReadEnum(TReader& r, const std::string& name,
                      const std::array<std::string_view, N>& names) {
    const std::string ident = r.ReadIdent();
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == ident) return static_cast<std::uint8_t>(i);
    BadValue(name, ident);
}

TColor ReadColorValue(TReader& r, const std::string& name) {
    if (r.NextValue() != vaIdent) return static_cast<TColor>(r.ReadInteger());
    const std::string ident = r.ReadIdent();
    for (const auto& [text, color] : kColorNames)
        if (text == ident) return color;
    BadValue(name, ident);
}

} // namespace

bool TAlignAttributes::ReadPublished(const std::string& name, TReader& r) {
    if (name == "Alignment")
        SetAlignment(static_cast<TMyAlign>(ReadEnum(r, name, kAlignNames)));
    else if (name == "Editable")
        SetEditable(r.ReadBoolean());
    else if (name == "FixedColor")
        SetFixedColor(ReadColorValue(r, name));
    else if (name == "ShowCellHints")
        SetShowCellHints(r.ReadBoolean());
    else if (name == "SelectedCellColor")
        SetSelectedCellColor(ReadColorValue(r, name));
    else if (name == "SelectedFontColor")
        SetSelectedFontColor(ReadColorValue(r, name));
    else if (name == "AutoEditNextCell")
        SetAutoEditNextCell(r.ReadBoolean());
    else if (name == "NextCellEdit")
        SetNextCellEdit(static_cast<T_nextcell>(ReadEnum(r, name, kNextCellNames)));
    else if (name == "NextCellTab")
        SetNextCellTab(static_cast<T_nextcell>(ReadEnum(r, name, kNextCellNames)));
    else if (name == "AfterLastCellEdit")
        SetAfterLastCellEdit(static_cast<t_lastcell>(ReadEnum(r, name, kLastCellNames)));
    else if (name == "AfterLastCellTab")
        SetAfterLastCellTab(static_cast<t_lastcell>(ReadEnum(r, name, kLastCellNames)));
    else if (name == "DrawSelection")
        SetDrawSelection(r.ReadBoolean());
    else
        return false;
    return true;
}

void TAlignAttributes::WritePublished(TWriter& w) const {
    const auto ident = [&](const char* name, std::string_view value) {
        w.WritePropName(name);
        w.WriteIdent(std::string(value));
    };
    const auto boolean = [&](const char* name, bool value) {
        w.WritePropName(name);
        w.WriteBoolean(value);
    };
    const auto color = [&](const char* name, TColor value) {
        w.WritePropName(name);
        w.WriteInteger(static_cast<std::int32_t>(value));
    };
    if (alignment_ != alLeft && alignment_ < kAlignNames.size())
        ident("Alignment", kAlignNames[alignment_]);
    if (!editable_) boolean("Editable", false);
    if (FixedColor() != clBtnFace) color("FixedColor", FixedColor());
    if (!showCellHints_) boolean("ShowCellHints", false);
    if (selectedCellColor_ != clHighlight) color("SelectedCellColor", selectedCellColor_);
    if (selectedFontColor_ != clWhite) color("SelectedFontColor", selectedFontColor_);
    if (autoEditNextCell_) boolean("AutoEditNextCell", true);
    if (nextCellEdit_ != nc_rightdown && nextCellEdit_ < kNextCellNames.size())
        ident("NextCellEdit", kNextCellNames[nextCellEdit_]);
    if (nextCellTab_ != nc_rightdown && nextCellTab_ < kNextCellNames.size())
        ident("NextCellTab", kNextCellNames[nextCellTab_]);
    if (afterLastCellEdit_ != lc_newcolrow && afterLastCellEdit_ < kLastCellNames.size())
        ident("AfterLastCellEdit", kLastCellNames[afterLastCellEdit_]);
    if (afterLastCellTab_ != lc_first && afterLastCellTab_ < kLastCellNames.size())
        ident("AfterLastCellTab", kLastCellNames[afterLastCellTab_]);
    if (!drawSelection_) boolean("DrawSelection", false);
}
