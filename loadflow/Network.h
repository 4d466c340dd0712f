#pragma once
// Admittance elements: one own element per bus and one mutual element per
// branch (the same for both directions), with the branch-end shunts kept for
// the flows and the polar form used by the Newton programs.

#include "CaseModel.h"

#include <vector>

namespace lf {

struct Admittance {
    double g = 0, b = 0;
    double mag = 0, ang = 0; // polar form, once the network is complete
};

struct BranchElements {
    int from = 0, to = 0;
    Admittance mutual;
    double gs = 0, bs = 0; // sending-end shunt
    double gr = 0, br = 0; // receiving-end shunt
    // PI model of a transformer: series element S = N y.
    double sg = 0, sb = 0;
};

// A branch seen from one of its buses.
struct Neighbour {
    int branch;
    int other;
};

struct Network {
    std::vector<Admittance> own;
    std::vector<BranchElements> branches;
    std::vector<std::vector<Neighbour>> neighbours; // per bus, in branch order
};

// Series admittance 1 / (R + jX); an R of 0 becomes X / 1000000 in the branch.
void seriesAdmittance(Branch& branch, double& g, double& b);

// Adds a line or transformer (bus indices set) to the network.
void addBranch(Network& net, Branch& branch);

// Adds the bus shunts, the polar form and the neighbour lists.
void completeNetwork(Network& net, const std::vector<Bus>& buses);

Network emptyNetwork(int nBuses);

// Impedance standing for an admittance, 0 for a zero admittance.
void impedanceOf(double g, double b, double& r, double& x);

} // namespace lf
