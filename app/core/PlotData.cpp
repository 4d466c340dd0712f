#include "PlotData.h"

#include "NumericText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>

namespace {

constexpr const char* kContactLine =
    "\nPlease report it to the program's author (address in the program's documentation)";

SPlotOutcome Fail(std::string text, std::string title, EPlotIcon icon, SPlotBadCell cell = {}) {
    SPlotOutcome out;
    out.message = {std::move(text), std::move(title), icon, cell};
    return out;
}

SPlotOutcome InvalidCell(SPlotBadCell cell) {
    return Fail("Invalid number in the evidenced Cell", "Error", EPlotIcon::stop, cell);
}

SPlotBadCell SelectionCell(int col, int row) {
    SPlotBadCell c;
    c.grid = SPlotBadCell::selection;
    c.col = col;
    c.row = row;
    return c;
}

std::string WithoutPath(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

char TypeLetter(std::string_view name) {
    if (name.empty()) return 0;
    return name.front() == 'i' ? 'c' : name.front();
}

// Samples are single precision: a factor, offset or shift beyond its range would give a
// curve of infinities.
bool FitsSingle(double v) {
    return std::fabs(v) <= FLT_MAX;
}

bool VariableExists(const SimOut& f, int index) {
    return index >= 0 && index < f.nVars && index < static_cast<int>(f.names.size());
}

} // namespace

bool ReadPlotFactor(std::string_view text, double& value) {
    if (TextToDouble(value, text) == 0) return true;
    if (text == kMinutesFactorText) {
        value = 1.0 / 60.0;
        return true;
    }
    if (text == kHoursFactorText) {
        value = 1.0 / 3600.0;
        return true;
    }
    return false;
}

std::uint8_t UnitOfName(std::string_view name) {
    switch (TypeLetter(name)) {
    case 'a':
        return 0xB0;
    case 'c':
        return 'A';
    case 'e':
        return 'J';
    case 'p':
        return 'W';
    case 'v':
        return 'V';
    default:
        return 0;
    }
}

std::uint8_t CompositeUnit(std::string_view first, char op, std::string_view second) {
    const char a = TypeLetter(first), b = TypeLetter(second);
    if (op == '*') return ((a == 'v' && b == 'c') || (a == 'c' && b == 'v')) ? 'W' : 0;
    return a == b ? UnitOfName(first) : 0;
}

std::string PlotTimeUnit(std::string_view xFactorText, std::string_view currentXName,
                         std::string_view xName) {
    if (xFactorText == kMinutesFactorText) return "m";
    if (xFactorText == kHoursFactorText) return "h";
    if (currentXName == "f") return "Hz";
    if (!StartsWith(xName, "t") && !StartsWith(xName, "%t")) return "";
    return "s";
}

SPlotOutcome BuildPlotData(const SPlotRequest& req) {
    const int nRows = static_cast<int>(req.rows.size());
    if (nRows == 0) return Fail("No variable Selected", "Invalid input", EPlotIcon::exclamation);
    if (nRows == 1) return Fail("No Y variable Selected", "Invalid input", EPlotIcon::exclamation);
    if (nRows > kMaxCurves + 1 || req.xRow < 1 || req.xRow > nRows)
        return Fail("Error \"Selection rows\" in DataSelFF" + std::string(kContactLine), "Error",
                    EPlotIcon::stop);
    const SPlotRow& xr = req.rows[static_cast<std::size_t>(req.xRow - 1)];

    // Curves grouped by slot, each slot's rows in grid order.
    std::array<std::vector<int>, kMaxFiles> rowsOfSlot;
    for (int r = 1; r <= nRows; ++r) {
        if (r == req.xRow) continue;
        const SPlotRow& row = req.rows[static_cast<std::size_t>(r - 1)];
        const SimOut* f = row.slot >= 0 && row.slot < kMaxFiles
                              ? req.files[static_cast<std::size_t>(row.slot)].file
                              : nullptr;
        const bool composite = row.operatorPos > 0;
        if (!f || !VariableExists(*f, row.variable) ||
            (composite && !VariableExists(*f, row.second)))
            return Fail("The variable \"" + row.name + "\" is no longer in its file", "Error",
                        EPlotIcon::stop);
        rowsOfSlot[static_cast<std::size_t>(row.slot)].push_back(r);
    }

    // Time shifts of the files the table shows.
    std::array<float, kMaxFiles> shift{};
    for (int s = 0; s < kMaxFiles; ++s) {
        const SPlotFile& pf = req.files[static_cast<std::size_t>(s)];
        if (!pf.file || !pf.hasShift) continue;
        double v = 0;
        if (TextToDouble(v, pf.shiftText) != 0 || !FitsSingle(v)) {
            SPlotBadCell cell;
            cell.grid = SPlotBadCell::shift;
            cell.slot = s;
            return InvalidCell(cell);
        }
        shift[static_cast<std::size_t>(s)] = static_cast<float>(v);
    }

    auto snap = std::make_shared<SPlotSnapshot>();
    SPlotSnapshot& p = *snap;
    for (int s = 0; s < kMaxFiles; ++s) {
        const auto& rows = rowsOfSlot[static_cast<std::size_t>(s)];
        if (rows.empty()) continue;
        const auto f = static_cast<std::size_t>(p.nFiles++);
        p.slot[f] = s;
        p.nCurves[f] = static_cast<int>(rows.size());
        p.legendNames[f] = WithoutPath(req.files[static_cast<std::size_t>(s)].fileName);
    }

    p.chartKind = req.pointsOnly ? 2 : 0;
    if (p.nFiles == 1 && p.nCurves[0] == 1) {
        const std::uint8_t kind = req.files[static_cast<std::size_t>(p.slot[0])].file->pl4RunKind;
        if ((kind == rkFrequencyScan && req.barsForFS) ||
            (kind == rkHarmonicScan && req.barsForHFS))
            p.chartKind = 1;
    }

    std::vector<float> factor(static_cast<std::size_t>(nRows)), offset(factor.size());
    for (int r = 1; r <= nRows; ++r) {
        const SPlotRow& row = req.rows[static_cast<std::size_t>(r - 1)];
        double k = 0, o = 0;
        if (!ReadPlotFactor(row.factorText, k) || !FitsSingle(k))
            return InvalidCell(SelectionCell(2, r));
        if (TextToDouble(o, row.offsetText) != 0 || !FitsSingle(o))
            return InvalidCell(SelectionCell(3, r));
        factor[static_cast<std::size_t>(r - 1)] = static_cast<float>(k);
        offset[static_cast<std::size_t>(r - 1)] = static_cast<float>(o);
    }
    const float xFactor = factor[static_cast<std::size_t>(req.xRow - 1)];
    const float xOffset = offset[static_cast<std::size_t>(req.xRow - 1)];
    if (xFactor == 0)
        return Fail("Null Factor not allowed on X variable", "Error", EPlotIcon::stop,
                    SelectionCell(2, req.xRow));

    // The x variable of every plotted file: the first one in multi-file mode, else the
    // x row's plain variable.
    int xVar = 0;
    if (!req.multiFile) {
        if (xr.operatorPos > 0)
            return Fail("Error \"Operator in x-var\"" + std::string(kContactLine), "Error",
                        EPlotIcon::stop);
        xVar = xr.variable;
    }
    for (int f = 0; f < p.nFiles; ++f) {
        const SimOut& file =
            *req.files[static_cast<std::size_t>(p.slot[static_cast<std::size_t>(f)])].file;
        if (!VariableExists(file, xVar))
            return Fail("The variable \"" + xr.name + "\" is no longer in its file", "Error",
                        EPlotIcon::stop);
        if (file.nPoints < 2 || !file.data)
            return Fail("The number of plot points must be greater than 1", "Error",
                        EPlotIcon::stop);
    }
    for (const auto& rows : rowsOfSlot)
        for (int r : rows) {
            const SPlotRow& row = req.rows[static_cast<std::size_t>(r - 1)];
            if (row.operatorPos == 0) continue;
            const auto at = static_cast<std::size_t>(row.operatorPos - 1);
            const char op = at < row.name.size() ? row.name[at] : 0;
            if (op != '+' && op != '-' && op != '*')
                return Fail("Error \"Invalid Operator in DataSelFF\"" + std::string(kContactLine),
                            "Error", EPlotIcon::stop);
        }

    try {
        int c = 0;
        for (int f = 0; f < p.nFiles; ++f) {
            const auto fi = static_cast<std::size_t>(f);
            const int s = p.slot[fi];
            const SimOut& file = *req.files[static_cast<std::size_t>(s)].file;
            const int n = file.nPoints;
            const float sh = shift[static_cast<std::size_t>(s)];
            p.nPoints[fi] = n;
            p.xFromFile[fi] = file.xFromFile;
            p.xShift[fi] = sh;
            p.yData[fi] = FMatrix(p.nCurves[fi], n);
            if (!p.yData[fi]) throw std::bad_alloc();
            p.xData[fi].resize(static_cast<std::size_t>(n));
            const float* xv = file.data[static_cast<std::size_t>(xVar)];
            float* x = p.xData[fi].data();
            for (int j = 0; j < n; ++j)
                x[j] = xv[j] * xFactor + xOffset + sh;

            int curve = 0;
            for (int r : rowsOfSlot[static_cast<std::size_t>(s)]) {
                const SPlotRow& row = req.rows[static_cast<std::size_t>(r - 1)];
                const float k = factor[static_cast<std::size_t>(r - 1)];
                const float o = offset[static_cast<std::size_t>(r - 1)];
                const float* a = file.data[static_cast<std::size_t>(row.variable)];
                float* y = p.yData[fi][static_cast<std::size_t>(curve++)];
                const auto ci = static_cast<std::size_t>(c++);
                if (row.operatorPos == 0) {
                    if (k == 1)
                        std::copy(a, a + n, y);
                    else
                        for (int j = 0; j < n; ++j)
                            y[j] = a[j] * k;
                    p.curves[ci].unitChar = UnitOfName(row.name);
                } else {
                    const float* b = file.data[static_cast<std::size_t>(row.second)];
                    const auto at = static_cast<std::size_t>(row.operatorPos);
                    const char op = row.name[at - 1];
                    if (op == '+')
                        for (int j = 0; j < n; ++j)
                            y[j] = k == 1 ? a[j] + b[j] : k * (a[j] + b[j]);
                    else if (op == '-')
                        for (int j = 0; j < n; ++j)
                            y[j] = k == 1 ? a[j] - b[j] : k * (a[j] - b[j]);
                    else
                        for (int j = 0; j < n; ++j)
                            y[j] = k == 1 ? a[j] * b[j] : a[j] * b[j] * k;
                    p.curves[ci].unitChar =
                        CompositeUnit(row.name, op, std::string_view(row.name).substr(at));
                }
                if (o != 0 || sh != 0)
                    for (int j = 0; j < n; ++j)
                        y[j] += o;
                p.curves[ci].color = row.colour;
                p.curves[ci].axis = row.rightAxis ? 1 : 0;
                p.factors[ci] = k;
                p.offsets[ci] = o;
                p.varNames[ci] = row.name;
            }
        }
        p.totalCurves = c;
    } catch (const std::bad_alloc&) {
        return Fail("Not enough memory for the plot data", "Error", EPlotIcon::stop);
    }

    const auto xi = static_cast<std::size_t>(p.totalCurves);
    p.factors[xi] = xFactor;
    p.offsets[xi] = xOffset;
    p.varNames[xi] = req.multiFile ? std::string("t") : xr.name;

    const SimOut* current = req.currentSlot >= 0 && req.currentSlot < kMaxFiles
                                ? req.files[static_cast<std::size_t>(req.currentSlot)].file
                                : nullptr;
    const std::string currentX = current && !current->names.empty() ? current->names[0] : "";
    p.timeUnit = PlotTimeUnit(xr.factorText, currentX, p.varNames[xi]);
    p.xParam.xIsTime = req.xIsFirstVariable;
    p.xParam.unitChar = p.timeUnit.size() > 0 ? static_cast<std::uint8_t>(p.timeUnit[0]) : 0;
    p.xParam.unitChar2 = p.timeUnit.size() > 1 ? static_cast<std::uint8_t>(p.timeUnit[1]) : 0;

    p.allXFromFile = true;
    for (int f = 0; f < p.nFiles; ++f)
        p.allXFromFile = p.allXFromFile && p.xFromFile[static_cast<std::size_t>(f)];
    p.BindPointers();

    SPlotOutcome out;
    out.plot = std::move(snap);
    return out;
}
