// Form streaming of the attribute tables: 28 defined properties, binary
// blocks of fixed little-endian records or lists of items, and Loaded.

#include "AlignAttributes.h"

namespace {

// Binary records: column, row (u16 each) and a value byte for cells; index
// (u16) and a value byte for columns and rows. No header, no count.
constexpr int kCellRecord = 5;
constexpr int kLineRecord = 3;
// A font name longer than this is cut.
constexpr std::size_t kMaxFontName = 31;

using Byte = std::uint8_t;

int U16(const Byte* p) {
    return p[0] | (p[1] << 8);
}

void PutU16(TStream& s, int value) {
    const Byte b[2] = {static_cast<Byte>(value), static_cast<Byte>(value >> 8)};
    s.Write(b, 2);
}

// List indices keep their low 16 bits, as a form stores them.
int ReadIndex(TReader& r) {
    return static_cast<std::uint16_t>(r.ReadInteger());
}
TColor ReadColor(TReader& r) {
    return static_cast<TColor>(r.ReadInteger());
}
void WriteColor(TWriter& w, TColor c) {
    w.WriteInteger(static_cast<std::int32_t>(c));
}

// ---- binary blocks

void ReadBinaryCells(TStream& s, TCellTable<Byte>& table) {
    s.Seek(0, soBeginning);
    Byte rec[kCellRecord];
    // An incomplete record at the end is ignored.
    while (s.Read(rec, kCellRecord) == kCellRecord) {
        table.Put(U16(rec), U16(rec + 2), rec[4]);
        table.stored = true;
    }
}

void ReadBinaryLine(TStream& s, TLineTable<Byte>& table) {
    s.Seek(0, soBeginning);
    Byte rec[kLineRecord];
    int count = 0;
    while (s.Read(rec, kLineRecord) == kLineRecord) {
        table.Put(U16(rec), rec[2]);
        ++count;
    }
    table.stored = count > 0;
}

// Only entries inside the grid's current size are written, column-major.
void WriteBinaryCells(TStream& s, const TCellTable<Byte>& table, int cols, int rows) {
    for (const auto& [col, column] : table.Columns()) {
        if (col >= cols) break;
        for (const auto& [row, value] : column) {
            if (row >= rows) break;
            PutU16(s, col);
            PutU16(s, row);
            s.Write(&value, 1);
        }
    }
}

void WriteBinaryLine(TStream& s, const TLineTable<Byte>& table, int count) {
    for (const auto& [index, value] : table) {
        if (index >= count) break;
        PutU16(s, index);
        s.Write(&value, 1);
    }
}

// ---- lists of items: (col, row, value...) or (index, value...)

template <class Place, class Read> int ReadCellItems(TReader& r, Place place, Read read) {
    int count = 0;
    r.ReadListBegin();
    while (!r.EndOfList()) {
        const int col = ReadIndex(r);
        const int row = ReadIndex(r);
        place(col, row, read(r));
        ++count;
    }
    r.ReadListEnd();
    return count;
}

template <class Place, class Read> int ReadLineItems(TReader& r, Place place, Read read) {
    int count = 0;
    r.ReadListBegin();
    while (!r.EndOfList()) {
        const int index = ReadIndex(r);
        place(index, read(r));
        ++count;
    }
    r.ReadListEnd();
    return count;
}

template <class E, class Write>
void WriteCellItems(TWriter& w, const TCellTable<E>& table, int cols, int rows, Write write) {
    w.WriteListBegin();
    for (const auto& [col, column] : table.Columns()) {
        if (col >= cols) break;
        for (const auto& [row, value] : column) {
            if (row >= rows) break;
            write(
                w,
                [&] {
                    w.WriteInteger(col);
                    w.WriteInteger(row);
                },
                value);
        }
    }
    w.WriteListEnd();
}

template <class E, class Write>
void WriteLineItems(TWriter& w, const TLineTable<E>& table, int count, Write write) {
    w.WriteListBegin();
    for (const auto& [index, value] : table) {
        if (index >= count) break;
        write(
            w, [&] { w.WriteInteger(index); }, value);
    }
    w.WriteListEnd();
}

// Item writers: `place` writes the index part, then the value follows.
const auto kWriteText = [](TWriter& w, auto place, const std::string& text) {
    place();
    w.WriteString(text);
};
const auto kWriteColor = [](TWriter& w, auto place, TColor color) {
    place();
    WriteColor(w, color);
};
// Fonts and brushes that were never changed are left out.
const auto kWriteFont = [](TWriter& w, auto place, const std::unique_ptr<TMyFont>& font) {
    if (!font->IsChanged()) return;
    place();
    WriteColor(w, font->Color());
    w.WriteInteger(font->Height());
    w.WriteString(font->Name());
    w.WriteInteger(font->Pitch());
    w.WriteInteger(static_cast<std::int32_t>(font->Style() & 0x0Fu));
};
const auto kWriteBrush = [](TWriter& w, auto place, const std::unique_ptr<TMyBrush>& brush) {
    if (!brush->IsChanged()) return;
    place();
    WriteColor(w, brush->Color());
    w.WriteInteger(brush->Style());
};

} // namespace

// Font record: colour, height, name, pitch, style, set in that order on a new
// font, so it counts as changed unless all equal the framework defaults.
TAlignAttributes::FontPtr TAlignAttributes::ReadFontRecord(TReader& r) {
    auto font = std::make_unique<TMyFont>();
    font->SetColor(ReadColor(r));
    font->SetHeight(r.ReadInteger());
    font->SetName(r.ReadString().substr(0, kMaxFontName));
    const std::int32_t pitch = r.ReadInteger();
    font->SetPitch(pitch >= fpDefault && pitch <= fpFixed ? static_cast<TFontPitch>(pitch)
                                                          : fpDefault);
    // Only the low byte holds the style set; the upper bytes carry other bits.
    font->SetStyle(static_cast<TFontStyles>(r.ReadInteger()) & 0xFFu);
    HookRepaint(*font);
    return font;
}

// Brush record: colour, style.
TAlignAttributes::BrushPtr TAlignAttributes::ReadBrushRecord(TReader& r) {
    auto brush = std::make_unique<TMyBrush>();
    brush->SetColor(ReadColor(r));
    const std::int32_t style = r.ReadInteger();
    // A style the canvas does not know paints solid.
    brush->SetStyle(style >= bsSolid && style <= bsDiagCross ? static_cast<TBrushStyle>(style)
                                                             : bsSolid);
    HookRepaint(*brush);
    return brush;
}

void TAlignAttributes::DefineProperties(TFiler& filer) {
    const auto cols = [this] { return host_.ColCount(); };
    const auto rows = [this] { return host_.RowCount(); };

    // 1-8: binary blocks.
    const auto binaryCells = [&](const char* name, TCellTable<Byte>& t) {
        filer.DefineBinaryProperty(
            name, [&t](TStream& s) { ReadBinaryCells(s, t); },
            [=, &t](TStream& s) { WriteBinaryCells(s, t, cols(), rows()); }, t.stored);
    };
    const auto binaryLine = [&](const char* name, TLineTable<Byte>& t, auto count) {
        filer.DefineBinaryProperty(
            name, [&t](TStream& s) { ReadBinaryLine(s, t); },
            [=, &t](TStream& s) { WriteBinaryLine(s, t, count()); }, t.stored);
    };
    binaryCells("AlignCell", alignCell_);
    binaryLine("AlignCol", alignCol_, cols);
    binaryLine("FixedAlignCol", fixedAlignCol_, cols);
    binaryLine("AlignRow", alignRow_, rows);
    binaryLine("FixedAlignRow", fixedAlignRow_, rows);
    binaryCells("EditCell", editCell_);
    binaryLine("EditCol", editCol_, cols);
    binaryLine("EditRow", editRow_, rows);

    // 9-10: texts; their flags are set by the first item.
    const auto readText = [](TReader& r) { return r.ReadString(); };
    const auto textCells = [&](const char* name, TCellTable<std::string>& t, TWriterProc write) {
        filer.DefineProperty(
            name,
            [&t, readText](TReader& r) {
                const auto put = [&t](int col, int row, std::string s) {
                    t.Put(col, row, std::move(s));
                };
                if (ReadCellItems(r, put, readText) > 0) t.stored = true;
            },
            write, t.stored);
    };
    textCells("HintCell", hintCell_,
              [=, this](TWriter& w) { WriteCellItems(w, hintCell_, cols(), rows(), kWriteText); });
    // The form's texts are written from the grid's current cells.
    textCells("Cells", storedCells_, [=, this](TWriter& w) {
        w.WriteListBegin();
        for (int c = 0; c < cols(); ++c)
            for (int r = 0; r < rows(); ++r)
                if (const std::string text = host_.GetCell(c, r); !text.empty())
                    kWriteText(
                        w, [&] { w.WriteInteger(c), w.WriteInteger(r); }, text);
        w.WriteListEnd();
    });

    // 11-20: fonts and brushes; their flags say whether any item was read.
    const auto objectCells = [&](const char* name, auto& t, auto read, auto write) {
        filer.DefineProperty(
            name,
            [&t, read](TReader& r) {
                const auto put = [&t](int col, int row, auto v) { t.Put(col, row, std::move(v)); };
                t.stored = ReadCellItems(r, put, read) > 0;
            },
            [=, &t](TWriter& w) { WriteCellItems(w, t, cols(), rows(), write); }, t.stored);
    };
    const auto objectLine = [&](const char* name, auto& t, auto count, auto read, auto write) {
        filer.DefineProperty(
            name,
            [&t, read](TReader& r) {
                const auto put = [&t](int i, auto v) { t.Put(i, std::move(v)); };
                t.stored = ReadLineItems(r, put, read) > 0;
            },
            [=, &t](TWriter& w) { WriteLineItems(w, t, count(), write); }, t.stored);
    };
    const auto readFont = [this](TReader& r) { return ReadFontRecord(r); };
    const auto readBrush = [this](TReader& r) { return ReadBrushRecord(r); };
    objectCells("FontCell", fontCell_, readFont, kWriteFont);
    objectLine("FontCol", fontCol_, cols, readFont, kWriteFont);
    objectLine("FontFixedCol", fontFixedCol_, cols, readFont, kWriteFont);
    objectLine("FontRow", fontRow_, rows, readFont, kWriteFont);
    objectLine("FontFixedRow", fontFixedRow_, rows, readFont, kWriteFont);
    objectCells("BrushCell", brushCell_, readBrush, kWriteBrush);
    objectLine("BrushCol", brushCol_, cols, readBrush, kWriteBrush);
    objectLine("BrushFixedCol", brushFixedCol_, cols, readBrush, kWriteBrush);
    objectLine("BrushRow", brushRow_, rows, readBrush, kWriteBrush);
    objectLine("BrushFixedRow", brushFixedRow_, rows, readBrush, kWriteBrush);

    // 21-25: read only; the colour of a brush of that place, made on demand,
    // and no stored flag.
    filer.DefineProperty(
        "ColorCell",
        [this](TReader& r) {
            ReadCellItems(
                r, [this](int col, int row, TColor v) { GetBrushCell(col, row).SetColor(v); },
                ReadColor);
        },
        nullptr, false);
    const auto colorLine = [&](const char* name, TMyBrush& (TAlignAttributes::*brushAt)(int)) {
        filer.DefineProperty(
            name,
            [this, brushAt](TReader& r) {
                ReadLineItems(
                    r, [&](int i, TColor v) { (this->*brushAt)(i).SetColor(v); }, ReadColor);
            },
            nullptr, false);
    };
    colorLine("ColorCol", &TAlignAttributes::GetBrushCol);
    colorLine("ColorFixedCol", &TAlignAttributes::GetBrushFixedCol);
    colorLine("ColorRow", &TAlignAttributes::GetBrushRow);
    colorLine("ColorFixedRow", &TAlignAttributes::GetBrushFixedRow);

    // 26-28: selected cell colours; the cell flag is set by the first item,
    // the column and row flags say whether any item was read.
    filer.DefineProperty(
        "SelectedColorCell",
        [this](TReader& r) {
            const auto put = [this](int col, int row, TColor v) {
                selectedColorCell_.Put(col, row, v);
            };
            if (ReadCellItems(r, put, ReadColor) > 0) selectedColorCell_.stored = true;
        },
        [=, this](TWriter& w) {
            WriteCellItems(w, selectedColorCell_, cols(), rows(), kWriteColor);
        },
        selectedColorCell_.stored);
    const auto selectedLine = [&](const char* name, TLineTable<TColor>& t, auto count) {
        filer.DefineProperty(
            name,
            [&t](TReader& r) {
                t.stored = ReadLineItems(
                               r, [&t](int i, TColor v) { t.Put(i, v); }, ReadColor) > 0;
            },
            [=, &t](TWriter& w) { WriteLineItems(w, t, count(), kWriteColor); }, t.stored);
    };
    selectedLine("SelectedColorCol", selectedColorCol_, cols);
    selectedLine("SelectedColorRow", selectedColorRow_, rows);
}

void TAlignAttributes::Loaded() {
    const int cols = host_.ColCount(), rows = host_.RowCount();
    for (int col = 0; col < cols; ++col)
        for (int row = 0; row < rows; ++row) {
            const std::string* text = storedCells_.Find(col, row);
            host_.SetCell(col, row, text ? *text : std::string());
        }
    storedCells_.Clear();
}
