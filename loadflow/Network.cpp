#include "Network.h"

#include <cmath>

namespace lf {

Network emptyNetwork(int nBuses) {
    Network net;
    net.own.resize(static_cast<std::size_t>(nBuses));
    return net;
}

void seriesAdmittance(Branch& branch, double& g, double& b) {
    if (branch.r == 0) branch.r = branch.x / 1000000.0;
    double d = branch.r * branch.r + branch.x * branch.x;
    g = branch.r / d;
    b = -branch.x / d;
}

void addBranch(Network& net, Branch& branch) {
    double g, b;
    seriesAdmittance(branch, g, b);
    BranchElements e;
    e.from = branch.from;
    e.to = branch.to;
    Admittance& s = net.own[static_cast<std::size_t>(branch.from)];
    Admittance& r = net.own[static_cast<std::size_t>(branch.to)];
    if (!branch.transformer) {
        e.gs = e.gr = branch.g / 2;
        e.bs = e.br = branch.b / 2;
        e.sg = g;
        e.sb = b;
    } else {
        double t = branch.vi / branch.vf;
        double alpha = branch.alfa * kPi / 180;
        double a = t * std::cos(alpha), c = t * std::sin(alpha);
        e.sg = a * g - c * b;
        e.sb = a * b + c * g;
        e.gs = g * (1 - a) - c * b;
        e.bs = b * (1 - a) + c * g;
        double q = a * a - c * c - a, w = 2 * a * c - c;
        e.gr = g * q - b * w;
        e.br = b * q + g * w;
    }
    s.g += e.sg + e.gs;
    s.b += e.sb + e.bs;
    r.g += e.sg + e.gr;
    r.b += e.sb + e.br;
    e.mutual.g = -e.sg;
    e.mutual.b = -e.sb;
    net.branches.push_back(e);
}

namespace {
void polar(Admittance& y) {
    y.mag = std::sqrt(y.g * y.g + y.b * y.b);
    y.ang = std::atan2(y.b, y.g);
}
} // namespace

void completeNetwork(Network& net, const std::vector<Bus>& buses) {
    for (std::size_t i = 0; i < buses.size(); ++i) {
        net.own[i].g += buses[i].gb;
        net.own[i].b += buses[i].bb;
        polar(net.own[i]);
    }
    net.neighbours.assign(buses.size(), {});
    for (std::size_t k = 0; k < net.branches.size(); ++k) {
        BranchElements& e = net.branches[k];
        polar(e.mutual);
        int kk = static_cast<int>(k);
        net.neighbours[static_cast<std::size_t>(e.from)].push_back({kk, e.to});
        if (e.to != e.from) net.neighbours[static_cast<std::size_t>(e.to)].push_back({kk, e.from});
    }
}

void impedanceOf(double g, double b, double& r, double& x) {
    double d = g * g + b * b;
    if (d == 0) {
        r = x = 0;
        return;
    }
    r = g / d;
    x = -b / d;
}

} // namespace lf
