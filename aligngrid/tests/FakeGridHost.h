#pragma once
// A string grid on plain vectors for the attribute store: texts move like the
// framework grid moves them, and moves and repaints are logged.

#include "AlignAttributes.h"
#include "PropertyStream.h"

#include <string>
#include <utility>
#include <vector>

class FakeGridHost : public TAlignGridHost {
public:
    FakeGridHost(int cols, int rows, int fixedCols = 1, int fixedRows = 1)
        : fixedCols_(fixedCols), fixedRows_(fixedRows) {
        SetColCount(cols);
        SetRowCount(rows);
        brush_.SetColor(clWindow);
    }

    int ColCount() const override { return static_cast<int>(texts_.size()); }
    int RowCount() const override { return rows_; }
    int FixedCols() const override { return fixedCols_; }
    int FixedRows() const override { return fixedRows_; }
    void SetFixed(int cols, int rows) {
        fixedCols_ = cols;
        fixedRows_ = rows;
    }
    void SetColCount(int value) override { texts_.resize(value, std::vector<std::string>(rows_)); }
    void SetRowCount(int value) override {
        rows_ = value;
        for (auto& column : texts_)
            column.resize(value);
    }
    std::string GetCell(int col, int row) const override { return texts_.at(col).at(row); }
    void SetCell(int col, int row, const std::string& text) override {
        texts_.at(col).at(row) = text;
    }
    void BaseRowMoved(int from, int to) override {
        rowMoves.emplace_back(from, to);
        for (auto& column : texts_) {
            std::string moving = std::move(column.at(from));
            column.erase(column.begin() + from);
            column.insert(column.begin() + to, std::move(moving));
        }
    }
    void BaseColumnMoved(int from, int to) override {
        colMoves.emplace_back(from, to);
        auto moving = std::move(texts_.at(from));
        texts_.erase(texts_.begin() + from);
        texts_.insert(texts_.begin() + to, std::move(moving));
    }
    const TFont& GridFont() const override { return font; }
    const TBrush& GridBrush() const override { return brush_; }
    TColor BaseFixedColor() const override { return fixedColor_; }
    void SetBaseFixedColor(TColor value) override { fixedColor_ = value; }
    void Invalidate() override { ++repaints; }

    TFont font;
    int repaints = 0;
    std::vector<std::pair<int, int>> rowMoves, colMoves;

private:
    std::vector<std::vector<std::string>> texts_;
    int rows_ = 0;
    int fixedCols_, fixedRows_;
    TBrush brush_;
    TColor fixedColor_ = clBtnFace;
};

// A grid as the form reader sees it: the base grid's sizes are published
// properties of its own, the rest is the attribute store's.
class FakeAlignGrid : public TStreamable {
public:
    FakeAlignGrid(int cols = 5, int rows = 5, int fixedCols = 1, int fixedRows = 1)
        : host(cols, rows, fixedCols, fixedRows), attrs(host) {}

    bool ReadPublished(const std::string& name, TReader& reader) override {
        if (name == "ColCount")
            host.SetColCount(ReadCount(reader, name));
        else if (name == "RowCount")
            host.SetRowCount(ReadCount(reader, name));
        else if (name == "FixedCols")
            host.SetFixed(ReadCount(reader, name), host.FixedRows());
        else if (name == "FixedRows")
            host.SetFixed(host.FixedCols(), ReadCount(reader, name));
        else if (name == "DefaultRowHeight")
            defaultRowHeight = reader.ReadInteger();
        else if (name == "Options")
            reader.SkipValue(); // the real grid's; see AligridTest
        else
            return attrs.ReadPublished(name, reader);
        return true;
    }
    void WritePublished(TWriter& writer) override {
        writer.WritePropName("ColCount");
        writer.WriteInteger(host.ColCount());
        writer.WritePropName("RowCount");
        writer.WriteInteger(host.RowCount());
        attrs.WritePublished(writer);
    }
    void DefineProperties(TFiler& filer) override { attrs.DefineProperties(filer); }
    void Loaded() override {
        attrs.Loaded();
        ++loadedCalls;
    }

    static int ReadCount(TReader& reader, const std::string& name) {
        const int value = reader.ReadInteger();
        if (value < 0 || value > 1000) throw EReadError("Invalid value for " + name);
        return value;
    }

    FakeGridHost host;
    TAlignAttributes attrs;
    int defaultRowHeight = 0;
    int loadedCalls = 0;
};
