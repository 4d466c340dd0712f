#pragma once
// The case of one run: titles, general values, buses and branches as read.

#include <string>
#include <vector>

namespace lf {

// Capacities of the case arrays; the Newton programs also hold at most this
// many equations.
inline constexpr int kMaxBuses = 50;
inline constexpr int kMaxBranches = 50;
inline constexpr int kMaxEquations = 50;

// Degrees to radians with pi in single precision, as every angle conversion.
inline constexpr double kPi = static_cast<double>(3.1415927f);

enum BusType { btSlack = 1, btPV = 2, btPQ = 3 };

struct GeneralData {
    int nBuses = 0;
    int nLines = 0;
    int nTransformers = 0;
    double acceleration = 0;
    int maxIterations = 0;
    double tolerance = 0;
    int printOption = 0;
};

struct Bus {
    std::string name; // 10 characters
    int type = btPQ;
    double vm = 1.0; // magnitude, pu
    double va = 0.0; // angle: degrees as read, radians once echoed
    double pg = 0, qg = 0, pd = 0, qd = 0, gb = 0, bb = 0, qgmin = 0, qgmax = 0;
    double pspec = 0, qspec = 0; // 0 where the type does not set them
};

struct Branch {
    bool transformer = false;
    std::string fromName, toName; // 10 characters each
    int from = 0, to = 0;         // bus indices from 0
    double r = 0, x = 0, snom = 0;
    double g = 0, b = 0;             // line: total shunt
    double vi = 1, vf = 1, alfa = 0; // transformer: winding voltages, shift in degrees
};

struct CaseTotals {
    int nPV = 0, nPQ = 0;
    double pg = 0, qg = 0, pd = 0, qd = 0;
};

struct Case {
    std::string title1, title2;
    GeneralData general;
    std::vector<Bus> buses;
    std::vector<Branch> branches; // lines, then transformers
    CaseTotals totals;
};

} // namespace lf
