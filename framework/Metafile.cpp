#include "Metafile.h"

#include "CanvasRules_p.h"
#include "Cp1252.h"
#include "FontMap_p.h"
#include "QtCanvas_p.h"
#include "Wmf.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>

namespace {
std::int16_t Clamp16(long long v) {
    return static_cast<std::int16_t>(std::clamp<long long>(
        v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(v & 0xFF),
                                   static_cast<std::uint8_t>(v >> 8)};
    b.insert(b.end(), bytes, bytes + 2);
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(b, static_cast<std::uint16_t>(v >> 16));
}
} // namespace

// ---- TMetafile

std::string TMetafile::SaveToFile(const std::string& fileName) const {
    if (data_.empty()) return "The metafile holds no picture";
    std::FILE* f = std::fopen(fileName.c_str(), "wb");
    if (!f) return "Cannot create the file \"" + fileName + "\"";
    const bool written = std::fwrite(data_.data(), 1, data_.size(), f) == data_.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        // Only a half-written ordinary file is ours to take away; a device or pipe the
        // user named is left alone.
        std::error_code ec;
        if (std::filesystem::is_regular_file(fileName, ec)) std::remove(fileName.c_str());
        return "Cannot write the file \"" + fileName + "\" (disk full?)";
    }
    return {};
}

std::string TMetafile::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    wmf::File parsed;
    std::string error = wmf::Parse(bytes, parsed);
    if (!error.empty()) return error;
    data_.assign(bytes.begin(), bytes.end());
    shownTexts_.clear();
    width_ = parsed.right - parsed.left;
    height_ = parsed.bottom - parsed.top;
    return {};
}

void TMetafile::Clear() {
    data_.clear();
    shownTexts_.clear();
    width_ = height_ = 0;
}

// ---- writer

struct TMetafileCanvas::Writer {
    std::vector<std::uint8_t> body;
    std::vector<std::string> texts; // one per text record, as drawn
    std::uint32_t maxRecordWords = 0;
    std::vector<bool> inUse; // handle table
    std::size_t maxSlots = 0;

    // What the playing device has selected and set.
    int pen = -1, brush = -1, font = -1;
    std::uint64_t penGen = 0, brushGen = 0, fontGen = 0;
    std::optional<std::uint16_t> bkMode;
    std::optional<TColor> bkColor, textColor;
    std::optional<TPoint> position;

    // SaveDC state kept for the clip: objects selected at the save may not be
    // deleted before the matching RestoreDC.
    bool saved = false;
    int savedPen = -1, savedBrush = -1, savedFont = -1;
    std::optional<std::uint16_t> savedBkMode;
    std::optional<TColor> savedBkColor, savedTextColor;
    std::optional<TPoint> savedPosition;

    // Text metrics on the screen.
    std::uint64_t metricsGen = 0;
    std::optional<QFontMetrics> metrics;

    struct Rec {
        Writer& w;
        std::size_t start;
        Rec(Writer& writer, std::uint16_t function) : w(writer), start(writer.body.size()) {
            Put32(w.body, 0);
            Put16(w.body, function);
        }
        void W(std::uint16_t v) { Put16(w.body, v); }
        void S(long long v) { Put16(w.body, static_cast<std::uint16_t>(Clamp16(v))); }
        void D(std::uint32_t v) { Put32(w.body, v); }
        void Bytes(std::string_view s) {
            for (char c : s)
                w.body.push_back(static_cast<std::uint8_t>(c));
            if (s.size() % 2) w.body.push_back(0);
        }
        ~Rec() {
            const auto words = static_cast<std::uint32_t>((w.body.size() - start) / 2);
            w.body[start] = static_cast<std::uint8_t>(words & 0xFF);
            w.body[start + 1] = static_cast<std::uint8_t>((words >> 8) & 0xFF);
            w.body[start + 2] = static_cast<std::uint8_t>((words >> 16) & 0xFF);
            w.body[start + 3] = static_cast<std::uint8_t>(words >> 24);
            w.maxRecordWords = std::max(w.maxRecordWords, words);
        }
    };

    void Emit(std::uint16_t function) { Rec r(*this, function); }
    void Emit16(std::uint16_t function, std::uint16_t v) {
        Rec r(*this, function);
        r.W(v);
    }
    void Emit32(std::uint16_t function, std::uint32_t v) {
        Rec r(*this, function);
        r.D(v);
    }

    int NewSlot() {
        auto it = std::find(inUse.begin(), inUse.end(), false);
        const auto index = static_cast<int>(it - inUse.begin());
        if (it == inUse.end())
            inUse.push_back(true);
        else
            *it = true;
        maxSlots = std::max(maxSlots, inUse.size());
        return index;
    }

    void Delete(int handle) {
        if (handle < 0) return;
        Emit16(wmf::DELETEOBJECT, static_cast<std::uint16_t>(handle));
        inUse[static_cast<std::size_t>(handle)] = false;
    }

    // Replaces the selected object `current` by the new `handle`.
    void Select(int handle, int& current, int protectedHandle) {
        Emit16(wmf::SELECTOBJECT, static_cast<std::uint16_t>(handle));
        const int old = current;
        current = handle;
        if (old >= 0 && !(saved && old == protectedHandle)) Delete(old);
    }
};

namespace {
std::uint16_t PenStyleCode(TPenStyle s) {
    switch (s) {
    case psDash:
        return 1;
    case psDot:
        return 2;
    case psClear:
        return 5;
    default:
        return 0;
    }
}
} // namespace

namespace {
// The body starts after room for the placeable header, the metafile header and
// the four set-up records, which are filled in when the canvas completes.
constexpr std::size_t kSetupBytes = 8 + 10 + 10 + 8;
constexpr std::size_t kPrefixBytes = wmf::kPlaceableBytes + wmf::kHeaderBytes + kSetupBytes;
} // namespace

TMetafileCanvas::TMetafileCanvas(TMetafile& metafile)
    : TCanvas(96), metafile_(metafile), w_(std::make_unique<Writer>()) {
    w_->body.resize(kPrefixBytes);
}

TMetafileCanvas::~TMetafileCanvas() {
    Writer& w = *w_;
    if (w.saved) w.Emit16(wmf::RESTOREDC, 0xFFFF);
    for (std::size_t i = 0; i < w.inUse.size(); ++i)
        if (w.inUse[i]) w.Delete(static_cast<int>(i));
    w.Emit(wmf::EOF_);

    std::vector<std::uint8_t> head;
    head.reserve(kPrefixBytes);
    // Placeable header, with the XOR checksum of its first ten words.
    Put32(head, wmf::kPlaceableKey);
    Put16(head, 0);
    Put16(head, 0);
    Put16(head, 0);
    Put16(head, static_cast<std::uint16_t>(Clamp16(metafile_.width_)));
    Put16(head, static_cast<std::uint16_t>(Clamp16(metafile_.height_)));
    Put16(head, 96);
    Put32(head, 0);
    std::uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= static_cast<std::uint16_t>(head[2 * i] | (head[2 * i + 1] << 8));
    Put16(head, sum);
    // Metafile header; sizes in 16-bit words.
    Put16(head, 1);      // in memory
    Put16(head, 9);      // header words
    Put16(head, 0x0300); // version
    Put32(head, static_cast<std::uint32_t>((w.body.size() - wmf::kPlaceableBytes) / 2));
    Put16(head, static_cast<std::uint16_t>(w.maxSlots));
    Put32(head, std::max<std::uint32_t>(w.maxRecordWords, 5));
    Put16(head, 0);
    // Set-up records: anisotropic mapping of the picture's extent, text placed
    // by its top-left corner without moving the current position.
    const auto record = [&](std::uint16_t function, std::initializer_list<long long> params) {
        Put32(head, static_cast<std::uint32_t>(3 + params.size()));
        Put16(head, function);
        for (long long p : params)
            Put16(head, static_cast<std::uint16_t>(Clamp16(p)));
    };
    record(wmf::SETMAPMODE, {8});
    record(wmf::SETWINDOWORG, {0, 0});
    record(wmf::SETWINDOWEXT, {metafile_.height_, metafile_.width_});
    record(wmf::SETTEXTALIGN, {0});
    std::copy(head.begin(), head.end(), w.body.begin());
    metafile_.data_ = std::move(w.body);
    metafile_.shownTexts_ = std::move(w.texts);
}

void TMetafileCanvas::SelectPen() {
    Writer& w = *w_;
    if (w.pen >= 0 && w.penGen == PenGeneration()) return;
    w.penGen = PenGeneration();
    const int h = w.NewSlot();
    {
        Writer::Rec r(w, wmf::CREATEPENINDIRECT);
        r.W(PenStyleCode(Pen().Style()));
        r.S(Pen().Width());
        r.S(0);
        r.D(ColorToRGB(Pen().Color()));
    }
    w.Select(h, w.pen, w.savedPen);
}

void TMetafileCanvas::SelectBrush() {
    Writer& w = *w_;
    if (w.brush >= 0 && w.brushGen == BrushGeneration()) return;
    w.brushGen = BrushGeneration();
    const int h = w.NewSlot();
    {
        Writer::Rec r(w, wmf::CREATEBRUSHINDIRECT);
        const TBrushStyle s = Brush().Style();
        r.W(s == bsSolid ? 0 : s == bsClear ? 1 : 2);
        r.D(ColorToRGB(Brush().Color()));
        r.W(s >= bsHorizontal ? static_cast<std::uint16_t>(s - bsHorizontal) : 0);
    }
    w.Select(h, w.brush, w.savedBrush);
}

void TMetafileCanvas::SelectFont() {
    Writer& w = *w_;
    if (w.font >= 0 && w.fontGen == FontGeneration()) return;
    w.fontGen = FontGeneration();
    Font().SetPixelsPerInch(96);
    const int h = w.NewSlot();
    {
        Writer::Rec r(w, wmf::CREATEFONTINDIRECT);
        const TFont& f = Font();
        r.S(f.Height());
        r.S(0); // width
        r.S(0); // escapement
        r.S(0); // orientation
        r.S((f.Style() & fsBold) ? 700 : 400);
        std::string bytes;
        bytes += static_cast<char>((f.Style() & fsItalic) ? 1 : 0);
        bytes += static_cast<char>((f.Style() & fsUnderline) ? 1 : 0);
        bytes += static_cast<char>((f.Style() & fsStrikeOut) ? 1 : 0);
        bytes += static_cast<char>(f.Charset());
        bytes += '\0'; // output precision
        bytes += '\0'; // clip precision
        bytes += '\3'; // not antialiased
        bytes += static_cast<char>(f.Pitch() == fpFixed ? 1 : f.Pitch() == fpVariable ? 2 : 0);
        bytes += f.Name().substr(0, 31);
        bytes += '\0';
        r.Bytes(bytes);
    }
    w.Select(h, w.font, w.savedFont);
}

void TMetafileCanvas::SetTextState(bool opaque) {
    Writer& w = *w_;
    const TColor text = ColorToRGB(Font().Color());
    if (w.textColor != text) {
        w.Emit32(wmf::SETTEXTCOLOR, text);
        w.textColor = text;
    }
    const std::uint16_t mode = opaque ? wmf::kOpaque : wmf::kTransparent;
    if (w.bkMode != mode) {
        w.Emit16(wmf::SETBKMODE, mode);
        w.bkMode = mode;
    }
    if (opaque) {
        const TColor bk = ColorToRGB(Brush().Color());
        if (w.bkColor != bk) {
            w.Emit32(wmf::SETBKCOLOR, bk);
            w.bkColor = bk;
        }
    }
}

void TMetafileCanvas::DoLineTo(TPoint from, TPoint to) {
    Writer& w = *w_;
    SelectPen();
    if (w.position != from) {
        Writer::Rec r(w, wmf::MOVETO);
        r.S(from.y);
        r.S(from.x);
    }
    {
        Writer::Rec r(w, wmf::LINETO);
        r.S(to.y);
        r.S(to.x);
    }
    w.position = to;
}

namespace {
constexpr std::size_t kMaxPoints = 32767; // the format's point count is 16-bit
}

void TMetafileCanvas::DoPolyline(std::span<const TPoint> points) {
    SelectPen();
    // Longer lines go as several records sharing their joining point.
    for (std::size_t start = 0; start + 1 < points.size(); start += kMaxPoints - 1) {
        const std::size_t n = std::min(kMaxPoints, points.size() - start);
        Writer::Rec r(*w_, wmf::POLYLINE);
        r.W(static_cast<std::uint16_t>(n));
        for (std::size_t i = start; i < start + n; ++i) {
            r.S(points[i].x);
            r.S(points[i].y);
        }
    }
}

void TMetafileCanvas::DoPolygon(std::span<const TPoint> points) {
    SelectPen();
    SelectBrush();
    // A polygon cannot be split; the format holds at most 32767 corners.
    const std::size_t n = std::min(kMaxPoints, points.size());
    Writer::Rec r(*w_, wmf::POLYGON);
    r.W(static_cast<std::uint16_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        r.S(points[i].x);
        r.S(points[i].y);
    }
}

namespace {
// Rectangle and ellipse records hold their box bottom, right, top, left.
template <class Rec>
void PutBox(Rec& r, long long left, long long top, long long right, long long bottom) {
    r.S(bottom);
    r.S(right);
    r.S(top);
    r.S(left);
}
} // namespace

void TMetafileCanvas::DoRectangle(const TRect& rect) {
    SelectPen();
    SelectBrush();
    Writer::Rec r(*w_, wmf::RECTANGLE);
    PutBox(r, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TMetafileCanvas::DoFillRect(const TRect& rect) {
    // A rectangle without a pen fills one pixel less each way, so it is drawn
    // one pixel larger, under a null pen.
    TPen saved(Pen());
    Pen().SetStyle(psClear);
    SelectPen();
    SelectBrush();
    {
        Writer::Rec r(*w_, wmf::RECTANGLE);
        PutBox(r, rect.Left, rect.Top, static_cast<long long>(rect.Right) + 1,
               static_cast<long long>(rect.Bottom) + 1);
    }
    Pen().Assign(saved);
}

void TMetafileCanvas::DoEllipse(const TRect& rect) {
    SelectPen();
    SelectBrush();
    Writer::Rec r(*w_, wmf::ELLIPSE);
    PutBox(r, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TMetafileCanvas::DoSetPixel(int x, int y, TColor color) {
    Writer::Rec r(*w_, wmf::SETPIXEL);
    r.D(ColorToRGB(color));
    r.S(y);
    r.S(x);
}

void TMetafileCanvas::DoTextOut(int x, int y, std::string_view shown, const TRect* clip,
                                bool opaque) {
    // Metafile text is 8-bit in the font's Windows-1252 character set, which is how
    // other programs read it: a UTF-8 name is written in that set.
    const std::string ansi = Cp1252FromUtf16(Utf16FromShownText(shown));
    const std::string_view text = ansi;
    w_->texts.emplace_back(shown);
    SelectFont();
    if (!clip) {
        SetTextState(opaque);
        Writer::Rec r(*w_, wmf::TEXTOUT);
        r.W(static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), 0x7FFF)));
        r.Bytes(text.substr(0, 0x7FFF));
        r.S(y);
        r.S(x);
        return;
    }
    // Clipped text fills its rectangle itself when opaque; the background mode
    // stays transparent so that the text box is not painted twice.
    SetTextState(false);
    if (opaque) {
        const TColor bk = ColorToRGB(Brush().Color());
        if (w_->bkColor != bk) {
            w_->Emit32(wmf::SETBKCOLOR, bk);
            w_->bkColor = bk;
        }
    }
    Writer::Rec r(*w_, wmf::EXTTEXTOUT);
    r.S(y);
    r.S(x);
    r.W(static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), 0x7FFF)));
    r.W(static_cast<std::uint16_t>(wmf::kEtoClipped | (opaque ? wmf::kEtoOpaque : 0)));
    r.S(clip->Left);
    r.S(clip->Top);
    r.S(clip->Right);
    r.S(clip->Bottom);
    r.Bytes(text.substr(0, 0x7FFF));
}

TSize TMetafileCanvas::DoTextExtent(std::string_view text) {
    Writer& w = *w_;
    if (!w.metrics || w.metricsGen != FontGeneration()) {
        Font().SetPixelsPerInch(96);
        w.metrics.emplace(QtFontFor(Font()));
        w.metricsGen = FontGeneration();
    }
    return {w.metrics->horizontalAdvance(QtText(text)), w.metrics->height()};
}

void TMetafileCanvas::DoClipChanged() {
    Writer& w = *w_;
    if (w.saved) {
        // Back to the state of the save: its objects and text settings.
        w.Emit16(wmf::RESTOREDC, 0xFFFF);
        w.saved = false;
        const int pens[] = {w.pen, w.brush, w.font};
        w.pen = w.savedPen;
        w.brush = w.savedBrush;
        w.font = w.savedFont;
        w.penGen = w.brushGen = w.fontGen = 0;
        // Objects replaced while the save held them are free to go now.
        for (int h : pens)
            if (h >= 0 && h != w.pen && h != w.brush && h != w.font) w.Delete(h);
        w.bkMode = w.savedBkMode;
        w.bkColor = w.savedBkColor;
        w.textColor = w.savedTextColor;
        w.position = w.savedPosition;
    }
    if (!HasClip()) return;
    w.Emit(wmf::SAVEDC);
    w.saved = true;
    w.savedPen = w.pen;
    w.savedBrush = w.brush;
    w.savedFont = w.font;
    w.savedBkMode = w.bkMode;
    w.savedBkColor = w.bkColor;
    w.savedTextColor = w.textColor;
    w.savedPosition = w.position;
    const TRect& c = ClipRect();
    Writer::Rec r(w, wmf::INTERSECTCLIPRECT);
    r.S(c.Bottom);
    r.S(c.Right);
    r.S(c.Top);
    r.S(c.Left);
}
