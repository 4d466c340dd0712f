#include "Network.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lf;

namespace {

Branch lineBetween(int a, int b, double r, double x, double g = 0, double bsh = 0) {
    Branch k;
    k.from = a;
    k.to = b;
    k.r = r;
    k.x = x;
    k.g = g;
    k.b = bsh;
    return k;
}

Branch transformerBetween(int a, int b, double r, double x, double vi, double vf, double alfa) {
    Branch k = lineBetween(a, b, r, x);
    k.transformer = true;
    k.vi = vi;
    k.vf = vf;
    k.alfa = alfa;
    return k;
}

} // namespace

// 1 / (0.03 + j0.04) = 12 - j16, and half the line shunt at each end.
TEST(AdmittanceElements, LineByHand) {
    Network net = emptyNetwork(2);
    Branch k = lineBetween(0, 1, 0.03, 0.04, 0.002, 0.06);
    addBranch(net, k);
    std::vector<Bus> buses(2);
    completeNetwork(net, buses);
    EXPECT_NEAR(net.own[0].g, 12.001, 1e-12);
    EXPECT_NEAR(net.own[0].b, -16.0 + 0.03, 1e-12);
    EXPECT_NEAR(net.own[1].b, -15.97, 1e-12);
    EXPECT_NEAR(net.branches[0].mutual.g, -12.0, 1e-12);
    EXPECT_NEAR(net.branches[0].mutual.b, 16.0, 1e-12);
    EXPECT_NEAR(net.branches[0].bs, 0.03, 1e-15);
    EXPECT_NEAR(net.branches[0].br, 0.03, 1e-15);
    EXPECT_NEAR(net.branches[0].mutual.mag, 20.0, 1e-12);
}

// t = 1.1 / 1.0 on y = -j10: sending y, receiving t^2 y, mutual -t y, and
// the PI shunts (1 - t) y at the sending end and t (t - 1) y at the receiving end.
TEST(AdmittanceElements, OffNominalTransformerByHand) {
    Network net = emptyNetwork(2);
    Branch k = transformerBetween(0, 1, 0.0, 0.1, 1.1, 1.0, 0.0);
    addBranch(net, k);
    EXPECT_DOUBLE_EQ(k.r, 0.1 / 1000000.0);
    double g = k.r / (k.r * k.r + 0.01), b = -0.1 / (k.r * k.r + 0.01);
    const double t = 1.1;
    EXPECT_NEAR(net.own[0].b, b, 1e-9);
    EXPECT_NEAR(net.own[1].b, t * t * b, 1e-9);
    EXPECT_NEAR(net.own[1].g, t * t * g, 1e-9);
    EXPECT_NEAR(net.branches[0].mutual.b, -t * b, 1e-9);
    EXPECT_NEAR(net.branches[0].bs, (1 - t) * b, 1e-9);
    EXPECT_NEAR(net.branches[0].br, t * (t - 1) * b, 1e-9);
}

TEST(AdmittanceElements, NominalTransformerHasNoShunts) {
    Network net = emptyNetwork(2);
    Branch k = transformerBetween(0, 1, 0.01, 0.1, 1.0, 1.0, 0.0);
    addBranch(net, k);
    EXPECT_DOUBLE_EQ(net.branches[0].gs, 0.0);
    EXPECT_DOUBLE_EQ(net.branches[0].bs, 0.0);
    EXPECT_DOUBLE_EQ(net.branches[0].gr, 0.0);
    EXPECT_DOUBLE_EQ(net.branches[0].br, 0.0);
    double r, x;
    impedanceOf(net.branches[0].gs, net.branches[0].bs, r, x);
    EXPECT_EQ(r, 0.0);
    EXPECT_EQ(x, 0.0);
    impedanceOf(net.branches[0].sg, net.branches[0].sb, r, x);
    EXPECT_NEAR(r, 0.01, 1e-12);
    EXPECT_NEAR(x, 0.1, 1e-12);
}

TEST(AdmittanceElements, PhaseShiftTurnsTheSeriesElement) {
    Network net = emptyNetwork(2);
    Branch k = transformerBetween(0, 1, 0.0, 0.1, 1.0, 1.0, 30.0);
    addBranch(net, k);
    const double alpha = 30.0 * kPi / 180;
    double y = 1.0 / 0.1; // |y|, series element is N y with |N| = 1
    EXPECT_NEAR(net.branches[0].sg, y * std::sin(alpha), 1e-4);
    EXPECT_NEAR(net.branches[0].sb, -y * std::cos(alpha), 1e-4);
}

TEST(AdmittanceElements, PureSusceptanceKeepsItsAngle) {
    Network net = emptyNetwork(2);
    std::vector<Bus> buses(2);
    buses[1].bb = 0.5; // an isolated bus with a capacitor only
    completeNetwork(net, buses);
    EXPECT_DOUBLE_EQ(net.own[1].g, 0.0);
    EXPECT_DOUBLE_EQ(net.own[1].mag, 0.5);
    EXPECT_NEAR(net.own[1].ang, kPi / 2, 1e-6);
    EXPECT_EQ(net.own[0].ang, 0.0);
}

TEST(AdmittanceElements, ParallelLinesStayTwoElements) {
    Network net = emptyNetwork(2);
    Branch a = lineBetween(0, 1, 0.0, 0.2), b = lineBetween(1, 0, 0.0, 0.2);
    addBranch(net, a);
    addBranch(net, b);
    std::vector<Bus> buses(2);
    completeNetwork(net, buses);
    ASSERT_EQ(net.branches.size(), 2u);
    EXPECT_NEAR(net.own[0].b, -10.0, 1e-9);
    ASSERT_EQ(net.neighbours[0].size(), 2u);
    EXPECT_EQ(net.neighbours[0][1].other, 1);
}
