#pragma once
// Reading back the placeable Windows metafiles we write: a checked walk over
// the records, and playback onto any canvas (used for the clipboard's PNG and
// for tests).

#include "Canvas.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wmf {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr int kPlaceableBytes = 22;
constexpr int kHeaderBytes = 18;

enum Function : std::uint16_t {
    EOF_ = 0x0000,
    SAVEDC = 0x001E,
    SETBKMODE = 0x0102,
    SETMAPMODE = 0x0103,
    RESTOREDC = 0x0127,
    SELECTOBJECT = 0x012D,
    SETTEXTALIGN = 0x012E,
    DELETEOBJECT = 0x01F0,
    SETBKCOLOR = 0x0201,
    SETTEXTCOLOR = 0x0209,
    SETWINDOWORG = 0x020B,
    SETWINDOWEXT = 0x020C,
    CREATEPENINDIRECT = 0x02FA,
    CREATEFONTINDIRECT = 0x02FB,
    CREATEBRUSHINDIRECT = 0x02FC,
    LINETO = 0x0213,
    MOVETO = 0x0214,
    POLYGON = 0x0324,
    POLYLINE = 0x0325,
    INTERSECTCLIPRECT = 0x0416,
    ELLIPSE = 0x0418,
    RECTANGLE = 0x041B,
    SETPIXEL = 0x041F,
    TEXTOUT = 0x0521,
    EXTTEXTOUT = 0x0A32,
};

constexpr std::uint16_t kTransparent = 1, kOpaque = 2;
constexpr std::uint16_t kEtoOpaque = 0x0002, kEtoClipped = 0x0004;

struct Record {
    std::uint16_t function = 0;
    std::size_t offset = 0; // of the parameters, in bytes from the file start
    std::size_t words = 0;  // parameter words
};

struct File {
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::uint16_t inch = 0;
    std::uint16_t objects = 0;
    std::vector<Record> records;         // without the end record
    std::span<const std::uint8_t> bytes; // the parsed bytes; they must outlive the File
};

// Checks the placeable header and its checksum, the header, every record size
// against the file, the object handles (created into a free slot within the
// declared count, selected and deleted only while alive) and the final end
// record. Empty text on success, else the reason.
std::string Parse(std::span<const std::uint8_t> bytes, File& out);

// Draws the records onto the canvas, at the metafile's own coordinates. Texts as they
// were drawn (TMetafile::ShownTexts), one per text record, replace the records'
// Windows-1252 texts; any other count is ignored.
void Play(const File& file, TCanvas& canvas, std::span<const std::string> shownTexts = {});

} // namespace wmf
