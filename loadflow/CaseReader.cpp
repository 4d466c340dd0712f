#include "CaseReader.h"

#include "EditFormat.h"

#include <cmath>

namespace lf {

std::optional<std::string> RecordSource::next() {
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

namespace {

// Integer part of a value read, truncated toward zero.
std::optional<int> integerPart(double v) {
    double t = std::trunc(v);
    if (t < -2147483648.0 || t > 2147483647.0) return std::nullopt;
    return static_cast<int>(t);
}

struct Fields {
    const std::string& record;
    bool ok = true;
    double f(int first, int width, int d) {
        auto v = readF(column(record, first, width), d);
        if (!v) ok = false;
        return v.value_or(0.0);
    }
};

} // namespace

std::optional<GeneralData> parseGeneral(const std::string& record) {
    Fields in{record};
    double v[7];
    for (int i = 0; i < 7; ++i)
        v[i] = in.f(1 + 8 * i, 8, 0);
    if (!in.ok) return std::nullopt;
    GeneralData g;
    auto nb = integerPart(v[0]), nl = integerPart(v[1]), nt = integerPart(v[2]),
         mi = integerPart(v[4]), po = integerPart(v[6]);
    if (!nb || !nl || !nt || !mi || !po) return std::nullopt;
    g.nBuses = *nb;
    g.nLines = *nl;
    g.nTransformers = *nt;
    g.acceleration = v[3];
    g.maxIterations = *mi;
    g.tolerance = v[5];
    g.printOption = *po;
    return g;
}

int decodeBusType(const std::string& code) {
    if (code == " 1" || code == "FL") return btSlack;
    if (code == " 2" || code == "PV") return btPV;
    if (code == " 3" || code == "PQ") return btPQ;
    return 0;
}

std::optional<Bus> parseBus(const std::string& record) {
    Fields in{record};
    Bus b;
    b.name = column(record, 1, 10);
    b.type = decodeBusType(column(record, 11, 2));
    b.vm = in.f(13, 6, 3);
    b.va = in.f(19, 6, 3);
    double* powers[] = {&b.pg, &b.qg, &b.pd, &b.qd, &b.gb, &b.bb, &b.qgmin, &b.qgmax};
    for (int i = 0; i < 8; ++i)
        *powers[i] = in.f(25 + 6 * i, 6, 4);
    if (!in.ok || b.type == 0) return std::nullopt;
    if (b.vm == 0) b.vm = 1.0;
    return b;
}

std::optional<Branch> parseLine(const std::string& record) {
    Fields in{record};
    Branch k;
    k.fromName = column(record, 1, 10);
    k.toName = column(record, 11, 10);
    k.r = in.f(21, 9, 5);
    k.x = in.f(30, 9, 5);
    k.g = in.f(39, 9, 5);
    k.b = in.f(48, 9, 5);
    k.snom = in.f(57, 9, 5);
    if (!in.ok) return std::nullopt;
    return k;
}

std::optional<Branch> parseTransformer(const std::string& record) {
    Fields in{record};
    Branch k;
    k.transformer = true;
    k.fromName = column(record, 1, 10);
    k.toName = column(record, 11, 10);
    k.r = in.f(21, 8, 5);
    k.x = in.f(29, 8, 5);
    k.vi = in.f(37, 8, 5);
    k.vf = in.f(45, 8, 5);
    k.alfa = in.f(53, 4, 2);
    k.snom = in.f(57, 8, 5);
    if (!in.ok) return std::nullopt;
    return k;
}

std::optional<int> findBus(const Case& c, const std::string& name) {
    std::optional<int> found;
    for (std::size_t i = 0; i < c.buses.size(); ++i)
        if (c.buses[i].name == name) found = static_cast<int>(i);
    return found;
}

} // namespace lf
