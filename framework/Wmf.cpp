#include "Wmf.h"

#include <algorithm>
#include <optional>
#include <variant>

namespace wmf {
namespace {

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return U16(b, at) | (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}
std::int16_t S16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int16_t>(U16(b, at));
}

bool CreatesObject(std::uint16_t f) {
    return f == CREATEPENINDIRECT || f == CREATEBRUSHINDIRECT || f == CREATEFONTINDIRECT;
}

// Parameter words each record we play needs at least.
std::size_t MinWords(std::uint16_t f) {
    switch (f) {
    case SETBKMODE:
    case SETMAPMODE:
    case RESTOREDC:
    case SELECTOBJECT:
    case SETTEXTALIGN:
    case DELETEOBJECT:
        return 1;
    case SETBKCOLOR:
    case SETTEXTCOLOR:
    case SETWINDOWORG:
    case SETWINDOWEXT:
    case LINETO:
    case MOVETO:
        return 2;
    case CREATEBRUSHINDIRECT:
    case INTERSECTCLIPRECT:
    case ELLIPSE:
    case RECTANGLE:
    case SETPIXEL:
        return 4;
    case CREATEPENINDIRECT:
        return 5;
    case CREATEFONTINDIRECT:
        return 9;
    case POLYGON:
    case POLYLINE:
    case TEXTOUT:
        return 1;
    case EXTTEXTOUT:
        return 4;
    default:
        return 0;
    }
}

} // namespace

std::string Parse(std::span<const std::uint8_t> bytes, File& out) {
    out = File{};
    const std::size_t size = bytes.size();
    if (size < static_cast<std::size_t>(kPlaceableBytes + kHeaderBytes + 6))
        return "The metafile is too short (" + std::to_string(size) + " bytes)";
    if (U32(bytes, 0) != kPlaceableKey) return "The metafile has no placeable header";
    std::uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= U16(bytes, static_cast<std::size_t>(2 * i));
    if (sum != U16(bytes, 20)) return "The placeable header's checksum is wrong";
    out.left = S16(bytes, 6);
    out.top = S16(bytes, 8);
    out.right = S16(bytes, 10);
    out.bottom = S16(bytes, 12);
    out.inch = U16(bytes, 14);
    const std::size_t h = kPlaceableBytes;
    if (U16(bytes, h) > 2 || U16(bytes, h + 2) != 9)
        return "The metafile header is not a standard one";
    const std::uint64_t totalWords = U32(bytes, h + 6);
    out.objects = U16(bytes, h + 10);
    const std::uint32_t maxRecord = U32(bytes, h + 12);
    if (totalWords * 2 != size - h)
        return "The metafile header gives " + std::to_string(totalWords * 2) +
               " bytes, the file holds " + std::to_string(size - h);

    std::vector<bool> alive(out.objects, false);
    std::uint32_t largest = 0;
    std::size_t at = h + kHeaderBytes;
    bool ended = false;
    while (at < size) {
        if (size - at < 6) return "A record is cut off at byte " + std::to_string(at);
        const std::uint64_t words = U32(bytes, at);
        const std::uint16_t function = U16(bytes, at + 4);
        if (words < 3 || words * 2 > size - at)
            return "The record at byte " + std::to_string(at) + " has an impossible size";
        largest = std::max<std::uint32_t>(largest, static_cast<std::uint32_t>(words));
        const std::size_t params = at + 6, paramWords = static_cast<std::size_t>(words - 3);
        if (function == EOF_) {
            if (at + words * 2 != size) return "Bytes follow the end record";
            ended = true;
            break;
        }
        if (paramWords < MinWords(function))
            return "The record at byte " + std::to_string(at) + " is too short";
        if (CreatesObject(function)) {
            auto slot = std::find(alive.begin(), alive.end(), false);
            if (slot == alive.end()) return "More objects than the header declares";
            *slot = true;
        } else if (function == SELECTOBJECT || function == DELETEOBJECT) {
            const std::uint16_t handle = U16(bytes, params);
            if (handle >= alive.size() || !alive[handle])
                return "Object " + std::to_string(handle) + " is used but does not exist";
            if (function == DELETEOBJECT) alive[handle] = false;
        } else if (function == POLYLINE || function == POLYGON) {
            if (paramWords < 1 + 2 * std::size_t{U16(bytes, params)})
                return "A point list is longer than its record";
        } else if (function == TEXTOUT) {
            if (paramWords < 3 + (std::size_t{U16(bytes, params)} + 1) / 2)
                return "A text is longer than its record";
        } else if (function == EXTTEXTOUT) {
            const std::uint16_t opts = U16(bytes, params + 6);
            const std::size_t rect = (opts & (kEtoOpaque | kEtoClipped)) ? 4 : 0;
            if (paramWords < 4 + rect + (std::size_t{U16(bytes, params + 4)} + 1) / 2)
                return "A text is longer than its record";
        }
        out.records.push_back({function, params, paramWords});
        at += static_cast<std::size_t>(words * 2);
    }
    if (!ended) return "The metafile has no end record";
    if (largest != maxRecord) return "The header's largest record size is wrong";
    if (std::find(alive.begin(), alive.end(), true) != alive.end())
        return "Objects are left undeleted at the end";
    out.bytes = bytes;
    return {};
}

namespace {
struct PenObj {
    TPenStyle style;
    int width;
    TColor color;
};
struct BrushObj {
    TBrushStyle style;
    TColor color;
};
struct FontObj {
    TFont font;
};
using Object = std::variant<std::monostate, PenObj, BrushObj, FontObj>;

struct DcState {
    TPen pen;
    TBrush brush;
    TFont font;
    bool opaque = true;
    TColor bk = clWhite;
    TColor text = clBlack;
    TPoint pos;
    bool hasClip = false;
    TRect clip;
};

TPenStyle PenStyleOf(std::uint16_t code) {
    switch (code & 0x0F) {
    case 1:
        return psDash;
    case 2:
        return psDot;
    case 5:
        return psClear;
    default:
        return psSolid;
    }
}
} // namespace

void Play(const File& file, TCanvas& canvas, std::span<const std::string> shownTexts) {
    const auto b = file.bytes;
    const auto textRecords =
        std::count_if(file.records.begin(), file.records.end(), [](const Record& r) {
            return r.function == TEXTOUT || r.function == EXTTEXTOUT;
        });
    if (shownTexts.size() != std::size_t(textRecords)) shownTexts = {};
    std::size_t textIndex = 0;
    // The record's own Windows-1252 bytes, or the text as it was drawn.
    auto textOf = [&](std::size_t at, std::size_t n) {
        const std::size_t i = textIndex++;
        if (i < shownTexts.size()) return shownTexts[i];
        return std::string(reinterpret_cast<const char*>(b.data() + at), n);
    };
    std::vector<Object> objects(file.objects);
    DcState dc;
    dc.font.Assign(canvas.Font());
    std::vector<DcState> stack;
    auto apply = [&] {
        canvas.Pen().Assign(dc.pen);
        canvas.Brush().Assign(dc.brush);
        TFont f(dc.font);
        f.SetColor(dc.text);
        canvas.Font().Assign(f);
        if (dc.hasClip)
            canvas.SetClipRect(dc.clip);
        else
            canvas.ResetClip();
    };
    auto text = [&](int x, int y, std::string_view s, const TRect* clip, bool opaque) {
        apply();
        TBrush saved(canvas.Brush());
        canvas.Brush().SetColor(dc.bk);
        canvas.Brush().SetStyle(opaque ? bsSolid : bsClear);
        if (clip)
            canvas.TextRect(*clip, x, y, s);
        else
            canvas.TextOut(x, y, s);
        canvas.Brush().Assign(saved);
    };
    auto rectOf = [&](std::size_t p) {
        return TRect{S16(b, p + 6), S16(b, p + 4), S16(b, p + 2), S16(b, p)};
    };
    auto points = [&](std::size_t p) {
        std::vector<TPoint> pts(U16(b, p));
        for (std::size_t i = 0; i < pts.size(); ++i)
            pts[i] = {S16(b, p + 2 + 4 * i), S16(b, p + 4 + 4 * i)};
        return pts;
    };
    for (const Record& r : file.records) {
        const std::size_t p = r.offset;
        switch (r.function) {
        case CREATEPENINDIRECT:
        case CREATEBRUSHINDIRECT:
        case CREATEFONTINDIRECT: {
            auto slot = std::find_if(objects.begin(), objects.end(), [](const Object& o) {
                return std::holds_alternative<std::monostate>(o);
            });
            if (slot == objects.end()) break;
            if (r.function == CREATEPENINDIRECT) {
                *slot = PenObj{PenStyleOf(U16(b, p)), S16(b, p + 2), U32(b, p + 6)};
            } else if (r.function == CREATEBRUSHINDIRECT) {
                const std::uint16_t style = U16(b, p);
                const TBrushStyle s =
                    style == 0 ? bsSolid
                    : style == 2
                        ? static_cast<TBrushStyle>(bsHorizontal + std::min<int>(U16(b, p + 6), 5))
                        : bsClear;
                *slot = BrushObj{s, U32(b, p + 2)};
            } else {
                FontObj fo;
                fo.font.SetPixelsPerInch(canvas.PixelsPerInch());
                fo.font.SetHeight(S16(b, p));
                TFontStyles st = 0;
                if (U16(b, p + 8) >= 600) st |= fsBold;
                if (b[p + 10]) st |= fsItalic;
                if (b[p + 11]) st |= fsUnderline;
                if (b[p + 12]) st |= fsStrikeOut;
                fo.font.SetStyle(st);
                fo.font.SetCharset(b[p + 13]);
                const std::uint8_t pitch = b[p + 17] & 3;
                fo.font.SetPitch(pitch == 1 ? fpFixed : pitch == 2 ? fpVariable : fpDefault);
                std::string name;
                for (std::size_t i = p + 18; i < p + 2 * r.words && b[i] != 0 && name.size() < 32;
                     ++i)
                    name += static_cast<char>(b[i]);
                fo.font.SetName(name);
                *slot = fo;
            }
            break;
        }
        case SELECTOBJECT: {
            const std::uint16_t hnd = U16(b, p);
            if (hnd >= objects.size()) break;
            if (auto* pen = std::get_if<PenObj>(&objects[hnd])) {
                dc.pen.SetStyle(pen->style);
                dc.pen.SetWidth(pen->width);
                dc.pen.SetColor(pen->color);
            } else if (auto* brush = std::get_if<BrushObj>(&objects[hnd])) {
                dc.brush.SetStyle(brush->style);
                dc.brush.SetColor(brush->color);
            } else if (auto* font = std::get_if<FontObj>(&objects[hnd])) {
                dc.font.Assign(font->font);
            }
            break;
        }
        case DELETEOBJECT:
            if (U16(b, p) < objects.size()) objects[U16(b, p)] = std::monostate{};
            break;
        case SETBKMODE:
            dc.opaque = U16(b, p) == kOpaque;
            break;
        case SETBKCOLOR:
            dc.bk = U32(b, p) & 0xFFFFFFu;
            break;
        case SETTEXTCOLOR:
            dc.text = U32(b, p) & 0xFFFFFFu;
            break;
        case SAVEDC:
            stack.push_back(dc);
            break;
        case RESTOREDC:
            if (!stack.empty()) {
                dc = stack.back();
                stack.pop_back();
            }
            break;
        case INTERSECTCLIPRECT: {
            const TRect c = rectOf(p);
            dc.clip = dc.hasClip ? IntersectRect(dc.clip, c) : c;
            dc.hasClip = true;
            break;
        }
        case MOVETO:
            dc.pos = {S16(b, p + 2), S16(b, p)};
            break;
        case LINETO:
            apply();
            canvas.MoveTo(dc.pos.x, dc.pos.y);
            dc.pos = {S16(b, p + 2), S16(b, p)};
            canvas.LineTo(dc.pos.x, dc.pos.y);
            break;
        case POLYLINE: {
            apply();
            const auto pts = points(p);
            canvas.Polyline(pts);
            break;
        }
        case POLYGON: {
            apply();
            const auto pts = points(p);
            canvas.Polygon(pts);
            break;
        }
        case RECTANGLE: {
            apply();
            const TRect rc = rectOf(p);
            if (dc.pen.Style() == psClear)
                canvas.FillRect({rc.Left, rc.Top, rc.Right - 1, rc.Bottom - 1});
            else
                canvas.Rectangle(rc);
            break;
        }
        case ELLIPSE: {
            apply();
            const TRect rc = rectOf(p);
            canvas.Ellipse(rc.Left, rc.Top, rc.Right, rc.Bottom);
            break;
        }
        case SETPIXEL:
            apply();
            canvas.SetPixel(S16(b, p + 6), S16(b, p + 4), U32(b, p) & 0xFFFFFFu);
            break;
        case TEXTOUT: {
            const std::size_t n = U16(b, p);
            const std::size_t after = p + 2 + (n + 1) / 2 * 2;
            const std::string s = textOf(p + 2, n);
            text(S16(b, after + 2), S16(b, after), s, nullptr, dc.opaque);
            break;
        }
        case EXTTEXTOUT: {
            const std::size_t n = U16(b, p + 4);
            const std::uint16_t opts = U16(b, p + 6);
            std::size_t at = p + 8;
            std::optional<TRect> clip;
            if (opts & (kEtoOpaque | kEtoClipped)) {
                clip = TRect{S16(b, at), S16(b, at + 2), S16(b, at + 4), S16(b, at + 6)};
                at += 8;
            }
            const std::string s = textOf(at, n);
            const bool opaque = (opts & kEtoOpaque) != 0;
            if (clip && (opts & kEtoClipped))
                text(S16(b, p + 2), S16(b, p), s, &*clip, opaque);
            else
                text(S16(b, p + 2), S16(b, p), s, nullptr, dc.opaque);
            break;
        }
        default:
            break;
        }
    }
}

} // namespace wmf
