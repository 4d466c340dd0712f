#pragma once
// Point filter and clipper of curve drawing. CFilterClip merges samples that
// stay within half a pixel of the segment being drawn and clips segments
// against the plot rectangle; TraceCurve runs one curve through it and
// collects the result as polylines (runs of connected points), so a canvas
// draws a dense curve with one call per run instead of one per segment.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

struct SPixelMap;
class SPolylines;

class CFilterClip {
public:
    struct FloatPoint {
        float x = 0;
        float y = 0;
    };

    CFilterClip() = default;

    bool strongFilter = false; // also merge points that turn back along the line (copies)

    void GetRect(int left, int top, int right, int bottom);
    bool IsInRect(float x, float y) const {
        return left_ <= x && x <= right_ && top_ <= y && y <= bottom_;
    }
    bool GetLine(float x1, float y1, float x2, float y2);
    bool IsRedundant(float x, float y) {
        if (!lineDefined_) return x == pointX_ && y == pointY_;
        const double e = P_ * x + Q_ * y + R_;
        if (e * e < limit_ &&
            (strongFilter || (double(x) - endX_) * dx_ + (double(y) - endY_) * dy_ >= 0)) {
            endX_ = x;
            endY_ = y;
            return true;
        }
        return false;
    }
    // The drawing rules for a stretch of samples inside the rectangle, with
    // a defined line: redundant samples extend the segment, the others start
    // a new one from the segment end, which goes to `out` (count + 1). Stops
    // at the first sample in [i, end) that is no drawable point inside the
    // rectangle and returns its index (end when there is none).
    std::int64_t FollowInside(const float* x, const float* y, std::int64_t i, std::int64_t end,
                              const SPixelMap& map, SPolylines& out, int& count);
    int GiveRectIntersect(FloatPoint& first, FloatPoint& second) const;
    bool GiveX(float y, float& x) const;
    bool GiveY(float x, float& y) const;

    FloatPoint SegmentEnd() const { return {endX_, endY_}; }
    // The integer plot rectangle GetRect was given.
    int PlotLeft() const { return plotLeft_; }
    int PlotTop() const { return plotTop_; }
    int PlotRight() const { return plotRight_; }
    int PlotBottom() const { return plotBottom_; }

private:
    float tolerance_ = 0.5f;
    float startX_ = 0, startY_ = 0, endX_ = 0, endY_ = 0;
    float top_ = 0, bottom_ = 0, left_ = 0, right_ = 0;
    int plotLeft_ = 0, plotTop_ = 0, plotRight_ = 0, plotBottom_ = 0;
    float dx_ = 0, dy_ = 0;
    bool lineDefined_ = false;
    // P x + Q y + R = 0 with P = y1 - y2, Q = x2 - x1: the slope form times
    // (x2 - x1), so neither vertical segments nor the distance test need a
    // division or a square root: distance < tolerance is
    // (P x + Q y + R)^2 < tolerance^2 (P^2 + Q^2) = limit_. Double: squares of
    // far coordinates overflow a float.
    double P_ = 0, Q_ = 0, R_ = 0, limit_ = 0;
    float pointX_ = 0, pointY_ = 0;
};

struct SPixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const SPixelPoint&, const SPixelPoint&) = default;
};

// Runs of connected pixel points; every run holds at least two distinct points.
//
// With column collapse on, consecutive points in one pixel column keep only
// the first (entry) and last (exit) point and, between them, the lowest and
// highest point of the others: a dense curve then costs a few points per
// column instead of one per up-and-down segment. For a solid pen the pixels
// stay the same: wide pens cover the union of the segments, which is the same
// vertical span; a one-pixel line leaves out only its end pixel, so the
// extreme that equals the exit point is visited first, before the other one.
class SPolylines {
public:
    void SetColumnCollapse(bool on) { collapse_ = on; }
    void clear() {
        points_.clear();
        starts_.clear();
        column_ = 0;
    }
    void reserve(std::size_t n) { points_.reserve(n); }
    std::size_t runCount() const { return starts_.size(); }
    std::span<const SPixelPoint> run(std::size_t i) const {
        const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] : points_.size();
        return {points_.data() + starts_[i], end - starts_[i]};
    }
    const std::vector<SPixelPoint>& points() const { return points_; }

    void MoveTo(SPixelPoint p) {
        DropShortRun();
        starts_.push_back(points_.size());
        points_.push_back(p);
        StartColumn(p);
    }
    void LineTo(SPixelPoint p) {
        if (starts_.empty())
            MoveTo(p);
        else if (!(points_.back() == p)) // zero-length lines draw nothing
            Append(p);
    }
    void Finish() { DropShortRun(); }

private:
    void StartColumn(SPixelPoint p) {
        column_ = points_.size() - 1;
        low_ = high_ = p.y;
    }
    void Append(SPixelPoint p) {
        const SPixelPoint last = points_.back();
        if (!collapse_ || p.x != last.x) {
            points_.push_back(p);
            StartColumn(p);
            return;
        }
        // The former exit point is now one of the inner points.
        low_ = std::min(low_, last.y);
        high_ = std::max(high_, last.y);
        points_.resize(column_ + 1);
        const int first = p.y == high_ ? high_ : low_, second = p.y == high_ ? low_ : high_;
        for (const int y : {first, second, p.y})
            if (points_.back().y != y) points_.push_back({p.x, y});
    }
    void DropShortRun() {
        if (!starts_.empty() && points_.size() - starts_.back() < 2) {
            points_.resize(starts_.back());
            starts_.pop_back();
            if (!points_.empty()) StartColumn(points_.back());
        }
    }
    std::vector<SPixelPoint> points_;
    std::vector<std::size_t> starts_;
    bool collapse_ = false;
    std::size_t column_ = 0; // index of the entry point of the last column
    int low_ = 0, high_ = 0; // extremes of the column's points before its exit
};

// Sample to pixel mapping of one curve. Log axes map log10 of the sample
// (xOrigin/yOrigin are then the lowest decades, scales pixels per decade).
struct SPixelMap {
    double xOrigin = 0, xScale = 1, xOffset = 0; // xOffset: plot left (+ bar margin for bars)
    bool xLog = false;
    double yOrigin = 0, yScale = 1, yLength = 0, yTop = 0; // yLength: left y pixel length
    bool yLog = false;

    // Mapped positions beyond this are held there: far outside, still finite.
    static constexpr double kLimit = 1e9;

    // NaN when the sample is no drawable point (not finite; <= 0 on a log axis).
    double Column(float xv) const {
        double v = xv;
        if (!(std::fabs(v) <= 3.5e38)) return NAN;
        if (xLog) {
            if (!(v > 0)) return NAN;
            v = std::log10(v);
        }
        return Hold((v - xOrigin) * xScale + xOffset);
    }
    double Row(float yv) const {
        double v = yv;
        if (!(std::fabs(v) <= 3.5e38)) return NAN;
        if (yLog) {
            if (!(v > 0)) return NAN;
            v = std::log10(v);
        }
        return Hold(yLength - (v - yOrigin) * yScale + yTop);
    }
    static double Hold(double v) { return std::max(std::min(v, kLimit), -kLimit); } // NaN stays
};

// Draws samples first..last of one curve into `out` (appended; the caller
// clears between pens). Non-drawable samples break the line. Returns the
// segment count of the curve. The clipper's rectangle must be set.
int TraceCurve(const float* x, const float* y, std::int64_t first, std::int64_t last,
               const SPixelMap& map, CFilterClip& clip, SPolylines& out);
