// Section slicing: expected areas come from closed forms (chord-width integrals of the circle,
// triangle and trapezoid areas), never from the slicing routines themselves.
#include "section/slicing.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>

#include "report/channel.hpp"

namespace mervik {
namespace {

constexpr double pi = std::numbers::pi;
constexpr int N = kSliceCount;

// Area of a circle of radius r centred at ordinate yc between the ordinates ylow and yhigh:
// the integral of the chord width 2·sqrt(r² - y²), whose primitive is y·sqrt(r² - y²) +
// r²·asin(y/r).
double circleAreaBetween(double r, double ylow, double yhigh, double yc = 0.0) {
    auto primitive = [r, yc](double y) {
        const double u = std::clamp(y - yc, -r, r);
        return u * std::sqrt(r * r - u * u) + r * r * std::asin(u / r);
    };
    return primitive(yhigh) - primitive(ylow);
}

double sum(const Table<double, kSliceCount>& t) {
    double s = 0.0;
    for (int k = 1; k <= N; ++k) s += t[k];
    return s;
}

// Area of a circular segment of radius r and half-angle theta: r²·(θ - sin θ cos θ).
double segment(double r, double theta) { return r * r * (theta - std::sin(theta) * std::cos(theta)); }

struct Sliced {
    Channel report;
    SectionSlices slices;
    Sliced() { report.openMemory(); }
    std::string text() {
        report.close();
        return report.memory();
    }
};

std::unique_ptr<Sliced> slice(const SectionGeometry& g) {
    auto s = std::make_unique<Sliced>();
    buildSectionSlices(s->report, g, s->slices);
    return s;
}

SectionGeometry circle(double D) {
    SectionGeometry g;
    g.shape = SectionShape::Circle;
    g.D = D;
    g.B = D;
    return g;
}

SectionGeometry rectangle(double D, double B) {
    SectionGeometry g;
    g.shape = SectionShape::Rectangle;
    g.D = D;
    g.B = B;
    return g;
}

void addBar(SectionGeometry& g, double x, double y, double d, double area) {
    g.bar[++g.barCount] = SectionBar{x, y, d, area};
}

// ---------------------------------------------------------------------------------------------
// Pure geometry.

TEST(CircularSegmentArea, MatchesClosedForms) {
    struct Case {
        double Dc, h, expected;
    };
    const Case cases[] = {
        {2.0, 0.0, 0.0},
        {2.0, 2.0, pi},
        {2.0, 1.0, pi / 2},
        {2.0, 0.5, pi / 3 - std::sqrt(3.0) / 4},           // half-angle 60 degrees
        {2.0, 1.5, pi - (pi / 3 - std::sqrt(3.0) / 4)},    // the rest of the disc
        {36.0, 9.0, 324.0 * (pi / 3 - std::sqrt(3.0) / 4)},
        {2.0, -0.3, 0.0},                                  // chord above the circle
        {2.0, 2.7, pi},                                    // chord below the circle
        {0.0, 0.1, 0.0},                                   // no circle
    };
    for (const Case& c : cases)
        EXPECT_NEAR(circularSegmentArea(c.Dc, c.h), c.expected, 1e-12) << "Dc " << c.Dc << " h " << c.h;
}

PolygonOutline outline(std::initializer_list<OutlinePoint> points) {
    PolygonOutline o;
    for (const OutlinePoint& p : points) o.vertex[++o.count] = p;
    return o;
}

TEST(PolygonArea, BelowALineByClipping) {
    const PolygonOutline square = rectangleOutline(2.0, 2.0);
    const PolygonOutline triangle = outline({{0, 0}, {4, 0}, {0, 4}});
    // L-shape of area 3 and U-shape of area 5 (the line at 1.5 cuts the U into two arms).
    const PolygonOutline ell = outline({{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}});
    const PolygonOutline u = outline({{0, 0}, {3, 0}, {3, 2}, {2, 2}, {2, 1}, {1, 1}, {1, 2}, {0, 2}});
    // A repeated vertex is merged with its neighbour and changes nothing.
    const PolygonOutline repeated = outline({{-1, -1}, {1, -1}, {1, -1}, {1, 1}, {-1, 1}});
    // A triangle smaller than the merging distance has no area.
    const PolygonOutline tiny = outline({{0, 0}, {1e-5, 0}, {0, 1e-5}});
    struct Case {
        const PolygonOutline* outline;
        double y, expected;
    };
    const Case cases[] = {
        {&square, 0.0, 2.0},   {&square, 0.5, 3.0},    {&square, 1.0, 4.0},    {&square, 5.0, 4.0},
        {&square, -1.0, 0.0},  {&square, -3.0, 0.0},   {&triangle, 2.0, 6.0},  {&triangle, 4.0, 8.0},
        {&ell, 1.0, 2.0},      {&ell, 1.5, 2.5},       {&ell, 2.0, 3.0},       {&u, 1.5, 4.0},
        {&u, 2.0, 5.0},        {&repeated, 0.0, 2.0},  {&tiny, 1.0, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(polygonAreaBelow(*c.outline, c.y), c.expected, 1e-12) << "y " << c.y;
    EXPECT_NEAR(polygonAreaBetween(ell, 0.5, 1.5), 1.5, 1e-12);
    EXPECT_NEAR(polygonAreaBetween(u, 1.0, 2.0), 2.0, 1e-12);  // the two arms
}

TEST(PolygonArea, MoreClippedPointsThanSlicesGiveNoArea) {
    // Regular polygons of radius 1: area n/2·sin(2π/n) up to 100 points, none beyond.
    auto regular = [](int n) {
        PolygonOutline o;
        for (int k = 0; k < n; ++k) o.vertex[++o.count] = {std::cos(2 * pi * k / n), std::sin(2 * pi * k / n)};
        return o;
    };
    EXPECT_NEAR(polygonAreaBelow(regular(60), 2.0), 30.0 * std::sin(2 * pi / 60), 1e-12);
    EXPECT_EQ(polygonAreaBelow(regular(120), 2.0), 0.0);
}

TEST(PolygonOutlines, VerticesOfTheSquareAndOctagonPiles) {
    const PolygonOutline sq = chamferedSquareOutline(14.0, 1.0);
    ASSERT_EQ(sq.count, 8);
    EXPECT_DOUBLE_EQ(sq.vertex[1].x, 6.0);
    EXPECT_DOUBLE_EQ(sq.vertex[1].y, -7.0);
    EXPECT_DOUBLE_EQ(sq.vertex[2].x, 7.0);
    EXPECT_DOUBLE_EQ(sq.vertex[2].y, -6.0);
    // Four chamfer triangles of c²/2 each.
    EXPECT_NEAR(polygonAreaBelow(sq, 10.0), 196.0 - 2.0, 1e-12);

    const PolygonOutline oct = octagonOutline(24.0);
    ASSERT_EQ(oct.count, 8);
    EXPECT_DOUBLE_EQ(oct.vertex[1].x, 0.2071000039577484 * 24.0);
    EXPECT_DOUBLE_EQ(oct.vertex[1].y, -12.0);
    EXPECT_DOUBLE_EQ(oct.vertex[8].x, -0.2071000039577484 * 24.0);
    EXPECT_DOUBLE_EQ(oct.vertex[8].y, -12.0);
}

TEST(FindSliceY, SearchesFromTheTopAndEndsAtTheLastSlice) {
    SectionSlices s;
    setSliceBoundaries(s, 10.0, 5.0, 0.1);
    struct Case {
        double y;
        int expected;
    };
    const Case cases[] = {
        {s.S[1], 1},      // top edge
        {4.95, 1},
        {s.S[2], 2},      // a boundary belongs to the slice below it
        {s.S[51], 51},
        {-4.95, 100},
        {s.S[101], 100},  // bottom edge
        {6.0, 100},       // above the section: no slice found
        {-7.0, 100},
    };
    for (const Case& c : cases) EXPECT_EQ(fn_FindSliceY(s, c.y), c.expected) << "y " << c.y;
    EXPECT_DOUBLE_EQ(s.yc[1], 0.05);
    EXPECT_NEAR(s.yc[100], 9.95, 1e-12);
}

// ---------------------------------------------------------------------------------------------
// Gross concrete of the shapes.

TEST(SectionSlices, CircleStripsSumToTheDiscAndAreSymmetric) {
    const auto r = slice(circle(36.0));
    const SectionSlices& s = r->slices;
    EXPECT_EQ(s.N, 100);
    EXPECT_DOUBLE_EQ(s.realN, 100.0);
    EXPECT_DOUBLE_EQ(s.h, 0.36);
    EXPECT_DOUBLE_EQ(s.S[1], 18.0);
    EXPECT_NEAR(s.S[101], -18.0, 1e-12);
    EXPECT_DOUBLE_EQ(s.yc[1], 0.18);
    EXPECT_NEAR(s.yc[100], 35.82, 1e-12);
    for (int k = 1; k <= N; ++k) {
        EXPECT_NEAR(s.Ac[k], circleAreaBetween(18.0, s.S[k + 1], s.S[k]), 1e-9) << k;
        EXPECT_NEAR(s.Ac[k], s.Ac[N + 1 - k], 1e-9) << k;
    }
    EXPECT_NEAR(s.AcTotal, pi * 324.0, 1e-9);
    EXPECT_EQ(s.AsTotal, 0.0);
    EXPECT_EQ(sum(s.Acas) + sum(s.Acore) + sum(s.Acc), 0.0);
}

TEST(SectionSlices, RectangleHasWidthTimesThicknessPerSlice) {
    const auto r = slice(rectangle(20.0, 10.0));
    const SectionSlices& s = r->slices;
    EXPECT_DOUBLE_EQ(s.h, 0.2);
    EXPECT_DOUBLE_EQ(s.S[1], 10.0);
    for (int k = 1; k <= N; ++k) EXPECT_DOUBLE_EQ(s.Ac[k], 2.0) << k;
    EXPECT_NEAR(s.AcTotal, 200.0, 1e-9);
}

TEST(SectionSlices, OctagonStripsSumToItsArea) {
    const double W = 24.0, aW = 0.2071000039577484 * W;
    SectionGeometry g;
    g.shape = SectionShape::Polygon;
    g.D = g.B = W;
    g.outline = octagonOutline(W);
    const auto r = slice(g);
    const SectionSlices& s = r->slices;
    EXPECT_DOUBLE_EQ(s.S[1], 12.0);
    EXPECT_NEAR(s.h, 0.24, 1e-15);
    // The square less four corner triangles with legs W/2 - aW.
    const double leg = W / 2 - aW;
    EXPECT_NEAR(s.AcTotal, W * W - 2 * leg * leg, 1e-9);
    EXPECT_NEAR(s.AcTotal, 477.17, 0.005);
    int flat = 0;
    for (int k = 1; k <= N; ++k) {
        EXPECT_NEAR(s.Ac[k], s.Ac[N + 1 - k], 1e-9) << k;
        if (s.S[k] <= aW && s.S[k + 1] >= -aW) {
            EXPECT_NEAR(s.Ac[k], W * s.h, 1e-9) << k;  // between the vertical sides
            ++flat;
        }
    }
    EXPECT_EQ(flat, 40);  // slices 31 (4.80 to 4.56) to 70
    // Top slice: width 2·(aW + W/2 - y), integrated over the slice.
    EXPECT_NEAR(s.Ac[1], 2 * aW * s.h + s.h * s.h, 1e-9);
    EXPECT_EQ(s.AsTotal, 0.0);
}

TEST(SectionSlices, SteelPipeRingHasNoConcrete) {
    SectionGeometry g = circle(24.0);
    g.shape = SectionShape::SteelPipe;
    g.t = 0.5;
    const auto r = slice(g);
    const SectionSlices& s = r->slices;
    EXPECT_NEAR(sum(s.Acas), pi / 4 * (24.0 * 24.0 - 23.0 * 23.0), 1e-9);
    for (int k = 1; k <= N; ++k) {
        const double ring =
            circleAreaBetween(12.0, s.S[k + 1], s.S[k]) - circleAreaBetween(11.5, s.S[k + 1], s.S[k]);
        EXPECT_NEAR(s.Acas[k], ring, 1e-9) << k;
        EXPECT_EQ(s.Ac[k], 0.0);
    }
    EXPECT_EQ(s.AcTotal, 0.0);
    EXPECT_EQ(s.AsTotal, 0.0);
}

// ---------------------------------------------------------------------------------------------
// Bars.

TEST(RebarSliceAreas, BarInsideOneSliceAddsItsWholeArea) {
    // A 0.5-inch strand in a 72-inch pile (slices of 0.72), centred in slice 10.
    SectionGeometry g = circle(72.0);
    const double y = 36.0 - 9.5 * 0.72;
    addBar(g, 3.0, y, 0.5, 0.144);
    const auto r = slice(g);
    const SectionSlices& s = r->slices;
    for (int k = 1; k <= N; ++k) {
        EXPECT_EQ(s.As[k], k == 10 ? 0.144 : 0.0) << k;
        EXPECT_NEAR(s.Ac[k] + s.As[k], circleAreaBetween(36.0, s.S[k + 1], s.S[k]), 1e-9) << k;
    }
    EXPECT_NEAR(s.AsTotal, 0.144, 1e-15);
    EXPECT_NEAR(s.AcTotal, pi * 36.0 * 36.0 - 0.144, 1e-9);
}

TEST(RebarSliceAreas, BarsAcrossSliceBoundariesAreSplitBySegments) {
    // Rectangle 20 deep, 10 wide: slices of 0.2.
    SectionGeometry g = rectangle(20.0, 10.0);
    const double h = 0.2;
    const double a1 = pi * 0.1 * 0.1 / 4;  // round bar of 0.1 centred on the top of slice 30
    const double a3 = pi * 0.3 * 0.3 / 4;  // round bar of 0.3 centred in slice 40
    addBar(g, 0.0, 10.0 - 29 * h, 0.1, a1);
    addBar(g, 1.0, 10.0 - 39.5 * h, 0.3, a3);
    const auto r = slice(g);
    const SectionSlices& s = r->slices;

    EXPECT_NEAR(s.As[29], a1 / 2, 1e-15);
    EXPECT_NEAR(s.As[30], a1 / 2, 1e-15);
    // The 0.3 bar reaches 0.05 into slices 39 and 41: segments of half-angle acos(2/3).
    const double cap = segment(0.15, std::acos(2.0 / 3.0));
    EXPECT_NEAR(s.As[39], cap, 1e-14);
    EXPECT_NEAR(s.As[40], a3 - 2 * cap, 1e-14);
    EXPECT_NEAR(s.As[41], cap, 1e-14);
    EXPECT_NEAR(s.As[39] + s.As[40] + s.As[41], a3, 1e-16);
    for (int k = 1; k <= N; ++k) {
        if (k != 29 && k != 30 && (k < 39 || k > 41)) {
            EXPECT_EQ(s.As[k], 0.0) << k;
        }
        EXPECT_NEAR(s.Ac[k] + s.As[k], 10.0 * h, 1e-12) << k;
    }
    EXPECT_NEAR(s.AsTotal, a1 + a3, 1e-15);
}

TEST(RebarSliceAreas, ExtentFromDiameterSplitFromEquivalentDiameter) {
    // Diameter 0.1 centred on the top of slice 30, but the area of a 0.05 round bar: the
    // equivalent disc lies wholly in the upper 0.05 of the bar, so slice 29 gets everything.
    SectionGeometry g = rectangle(20.0, 10.0);
    const double area = pi * 0.05 * 0.05 / 4;
    addBar(g, 0.0, 10.0 - 29 * 0.2, 0.1, area);
    const auto r = slice(g);
    EXPECT_NEAR(r->slices.As[29], area, 1e-16);
    EXPECT_NEAR(r->slices.As[30], 0.0, 1e-16);
}

TEST(RebarSliceAreas, BarsOnTheEdgesOfTheSection) {
    SectionGeometry g = rectangle(20.0, 10.0);
    addBar(g, 0.0, 10.0, 0.1, 0.5);    // centred on the top edge: its top finds no slice
    addBar(g, 0.0, -10.0, 0.1, 0.25);  // centred on the bottom edge
    const auto r = slice(g);
    const SectionSlices& s = r->slices;
    EXPECT_NEAR(s.As[1], 0.5, 1e-15);
    EXPECT_NEAR(s.As[100], 0.25, 1e-15);
    EXPECT_NEAR(s.AsTotal, 0.75, 1e-15);
}

TEST(RebarSliceAreas, MoreThan300BarsWritesTheErrorLineAndAddsNone) {
    SectionGeometry g = rectangle(20.0, 10.0);
    for (int j = 1; j <= kMaxBars; ++j) addBar(g, 0.0, 0.0, 1.0, 1.0);
    g.barCount = 301;
    const auto r = slice(g);
    EXPECT_EQ(r->text(), "  Error in Calculate_Rebar_Slice_Areas - NumBars out of valid range = 301 (more than 300 bars)\n");
    EXPECT_EQ(sum(r->slices.As), 0.0);
    EXPECT_NEAR(r->slices.AcTotal, 200.0, 1e-9);
}

// ---------------------------------------------------------------------------------------------
// Casing, voids and cores.

TEST(SectionSlices, CasedShaftSplitsEverySliceIntoConcreteBarsAndCasing) {
    SectionGeometry g = circle(36.0);
    g.shape = SectionShape::CircleWithCasing;
    g.t = 0.5;
    addBar(g, 0.0, 14.0, 1.0, 0.79);
    addBar(g, 0.0, -14.0, 1.0, 0.79);
    addBar(g, 14.0, 0.0, 1.0, 0.79);
    const auto r = slice(g);
    const SectionSlices& s = r->slices;
    for (int k = 1; k <= N; ++k)
        EXPECT_NEAR(s.Ac[k] + s.As[k] + s.Acas[k], circleAreaBetween(18.0, s.S[k + 1], s.S[k]), 1e-9) << k;
    const double ring = pi / 4 * (36.0 * 36.0 - 35.0 * 35.0);
    EXPECT_NEAR(sum(s.Acas), ring, 1e-9);
    EXPECT_NEAR(s.AsTotal, 3 * 0.79, 1e-12);
    EXPECT_NEAR(s.AcTotal, pi * 324.0 - ring - 3 * 0.79, 1e-9);
}

TEST(SectionSlices, CasingAndCoreFilledOrVoid) {
    // D 48 (slices of 0.48), casing 0.5, core 12 with a 0.5 wall: the inner core disc of
    // radius 5.5 touches slices 39 (5.76 to 5.28) to 62 (-5.28 to -5.76).
    for (bool filled : {true, false}) {
        SectionGeometry g = circle(48.0);
        g.shape = SectionShape::CircleWithCasingAndCore;
        g.t = 0.5;
        g.Dv = 12.0;
        g.tv = 0.5;
        g.b_FillCoreWithConcrete = filled;
        addBar(g, 0.0, 20.0, 1.0, 0.79);
        addBar(g, 0.0, -20.0, 1.0, 0.79);
        const auto r = slice(g);
        const SectionSlices& s = r->slices;
        EXPECT_EQ(s.coreFirstSlice, 39) << filled;
        EXPECT_EQ(s.coreLastSlice, 62) << filled;
        const double ring = pi / 4 * (144.0 - 121.0), inside = pi / 4 * 121.0;
        EXPECT_NEAR(sum(s.Acore), ring, 1e-9) << filled;
        EXPECT_NEAR(sum(s.Acc), filled ? inside : 0.0, 1e-9) << filled;
        for (int k = 1; k <= N; ++k) {
            const double gross = circleAreaBetween(24.0, s.S[k + 1], s.S[k]);
            const double hole = filled ? 0.0 : circleAreaBetween(5.5, s.S[k + 1], s.S[k]);
            EXPECT_NEAR(s.Ac[k] + s.As[k] + s.Acas[k] + s.Acore[k] + s.Acc[k] + hole, gross, 1e-9) << k;
            if (k < 39 || k > 62) {
                EXPECT_EQ(s.Acc[k], 0.0) << k;
            }
        }
        EXPECT_NEAR(s.AcTotal, pi * 576.0 - pi / 4 * (48.0 * 48.0 - 47.0 * 47.0) - 2 * 0.79 - pi * 36.0, 1e-9);
    }
}

TEST(SectionSlices, HollowCircleKeepsTheVoidInAcore) {
    // Void of 17 in a 36 pile: from 8.5 to -8.5, slices 27 (8.64 to 8.28) to 74.
    SectionGeometry g = circle(36.0);
    g.shape = SectionShape::CircleWithVoid;
    g.Dv = 17.0;
    addBar(g, 0.0, 15.0, 0.5, 0.144);
    const auto r = slice(g);
    const SectionSlices& s = r->slices;
    EXPECT_EQ(s.coreFirstSlice, 27);
    EXPECT_EQ(s.coreLastSlice, 74);
    for (int k = 1; k <= N; ++k) {
        EXPECT_NEAR(s.Acore[k], circleAreaBetween(8.5, s.S[k + 1], s.S[k]), 1e-9) << k;
        EXPECT_NEAR(s.Ac[k] + s.As[k] + s.Acore[k], circleAreaBetween(18.0, s.S[k + 1], s.S[k]), 1e-9) << k;
    }
    EXPECT_NEAR(s.AcTotal, pi * (324.0 - 72.25) - 0.144, 1e-9);
    EXPECT_EQ(sum(s.Acc), 0.0);
}

TEST(SectionSlices, VoidInASmallSliceRangeAndOffCentre) {
    // A void smaller than one slice lies wholly in it; a void centred off the axis is cut from
    // its own top.
    SectionSlices s;
    setSliceBoundaries(s, 20.0, 10.0, 0.2);
    for (int k = 1; k <= N; ++k) s.Ac[k] = 2.0;
    addVoidOrCore(0.1, 0.0, 10.0 - 4.5 * 0.2, false, s);  // centred in slice 5
    EXPECT_NEAR(s.Acore[5], pi * 0.01 / 4, 1e-16);
    EXPECT_EQ(s.coreFirstSlice, 5);
    EXPECT_EQ(s.coreLastSlice, 5);
    addVoidOrCore(2.0, 0.0, -4.0, false, s);
    for (int k = 6; k <= N; ++k) EXPECT_NEAR(s.Acore[k], circleAreaBetween(1.0, s.S[k + 1], s.S[k], -4.0), 1e-12) << k;
    EXPECT_NEAR(sum(s.Acore), pi * 0.01 / 4 + pi, 1e-12);
    EXPECT_NEAR(sum(s.Ac), 200.0 - sum(s.Acore), 1e-9);
}

TEST(SectionSlices, HollowSquarePilesWithAndWithoutChamfer) {
    const double W = 14.0, Dv = 6.0, strand = 0.153;
    for (bool chamfered : {false, true}) {
        SectionGeometry g;
        g.D = g.B = W;
        g.Dv = Dv;
        addBar(g, -5.0, -5.0, 0.5, strand);
        addBar(g, 5.0, -5.0, 0.5, strand);
        addBar(g, 5.0, 5.0, 0.5, strand);
        addBar(g, -5.0, 5.0, 0.5, strand);
        if (chamfered) {
            g.shape = SectionShape::PolygonWithVoids;
            g.chamfer = 1.0;
            g.outline = chamferedSquareOutline(W, 1.0);
        } else {
            g.shape = SectionShape::RectangleWithVoid;
        }
        const auto r = slice(g);
        const SectionSlices& s = r->slices;
        const double gross = W * W - (chamfered ? 2.0 : 0.0);
        EXPECT_NEAR(sum(s.Acore), pi * 9.0, 1e-9) << chamfered;
        EXPECT_NEAR(sum(s.As), 4 * strand, 1e-12) << chamfered;
        EXPECT_NEAR(s.AcTotal, gross - pi * 9.0 - 4 * strand, 1e-9) << chamfered;
        // Polygon shapes leave the bar total unsummed.
        EXPECT_NEAR(s.AsTotal, chamfered ? 0.0 : 4 * strand, 1e-12) << chamfered;
        for (int k = 1; k <= N; ++k) {
            // Rows between the vertical sides have the full width.
            if (!chamfered || (s.S[k] <= 6.0 && s.S[k + 1] >= -6.0)) {
                EXPECT_NEAR(s.Ac[k] + s.As[k] + s.Acore[k], W * s.h, 1e-9) << chamfered << " " << k;
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// From the section record.

TEST(SectionShapeOf, FollowsTheSectionTypeAndChamfer) {
    struct Case {
        int type;
        double chamfer;
        std::optional<SectionShape> expected;
    };
    const Case cases[] = {
        {0, 0.0, SectionShape::Rectangle},
        {1, 0.0, SectionShape::Circle},
        {2, 0.0, SectionShape::CircleWithCasing},
        {3, 0.0, SectionShape::CircleWithCasingAndCore},
        {4, 0.0, SectionShape::SteelPipe},
        {5, 0.0, SectionShape::Circle},
        {6, 0.0, SectionShape::CircleWithVoid},
        {7, 0.0, SectionShape::Rectangle},
        {7, 1.5, SectionShape::Polygon},
        {8, 0.0, SectionShape::RectangleWithVoid},
        {8, 1.5, SectionShape::PolygonWithVoids},
        {9, 0.0, SectionShape::Polygon},
        {10, 0.0, SectionShape::PolygonWithVoids},
        {11, 0.0, std::nullopt},
        {12, 0.0, std::nullopt},
        {13, 0.0, std::nullopt},
        {14, 0.0, std::nullopt},
        {-1, 0.0, std::nullopt},
    };
    for (const Case& c : cases) {
        PileSection section;
        section.sectionType = c.type;
        section.chamfer = c.chamfer;
        EXPECT_EQ(sectionShapeOf(section), c.expected) << "type " << c.type << " chamfer " << c.chamfer;
    }
}

TEST(SectionGeometryOf, TakesDimensionsBarsAndStrandsFromTheSection) {
    auto section = std::make_unique<PileSection>();
    PileSection& p = *section;

    p.sectionType = kRectangularConcretePile;
    p.depth = p.diameter = 20.0;
    p.width = 10.0;
    p.barCount = 2;
    p.bar[1] = ReinforcingBar{5, 0.625, 0.31, 3.0, 8.0};
    p.bar[2] = ReinforcingBar{5, 0.625, 0.31, -3.0, -8.0};
    auto g = std::make_unique<SectionGeometry>(sectionGeometryOf(p, SectionShape::Rectangle));
    EXPECT_EQ(g->D, 20.0);
    EXPECT_EQ(g->B, 10.0);
    ASSERT_EQ(g->barCount, 2);
    EXPECT_EQ(g->bar[2].x, -3.0);
    EXPECT_EQ(g->bar[2].y, -8.0);
    EXPECT_EQ(g->bar[2].diameter, 0.625);
    EXPECT_EQ(g->bar[2].area, 0.31);

    // Casing and void core: the bar ordinates already hold the cage offset.
    *section = PileSection{};
    p.sectionType = kDrilledShaftWithCasingAndCore;
    p.diameter = 48.0;
    p.casingThickness = 0.5;
    p.coreDiameter = 12.0;
    p.coreThickness = 0.75;
    p.filledCore = false;
    p.cageOffset = 2.0;
    p.barCount = 1;
    p.bar[1] = ReinforcingBar{0, 1.0, 0.79, 0.0, 22.0};
    *g = sectionGeometryOf(p, SectionShape::CircleWithCasingAndCore);
    EXPECT_EQ(g->D, 48.0);
    EXPECT_EQ(g->B, 48.0);
    EXPECT_EQ(g->t, 0.5);
    EXPECT_EQ(g->Dv, 12.0);
    EXPECT_EQ(g->tv, 0.75);
    EXPECT_FALSE(g->b_FillCoreWithConcrete);
    EXPECT_EQ(g->bar[1].y, 22.0);

    // Hollow chamfered square pile: the strands, the void and the outline.
    *section = PileSection{};
    p.sectionType = kSquareHollowPrestressed;
    p.diameter = 14.0;
    p.chamfer = 1.0;
    p.voidDiameter = 6.0;
    p.strandCount = 3;
    p.bar[3] = ReinforcingBar{3, 0.5, 0.153, 5.0, -5.0};
    *g = sectionGeometryOf(p, SectionShape::PolygonWithVoids);
    EXPECT_EQ(g->D, 14.0);
    EXPECT_EQ(g->chamfer, 1.0);
    EXPECT_EQ(g->Dv, 6.0);
    EXPECT_EQ(g->tv, 0.0);
    EXPECT_EQ(g->barCount, 3);
    EXPECT_EQ(g->bar[3].area, 0.153);
    ASSERT_EQ(g->outline.count, 8);
    EXPECT_EQ(g->outline.vertex[1].x, 6.0);

    // Octagonal pile: the octagon outline.
    *section = PileSection{};
    p.sectionType = kOctagonalSolidPrestressed;
    p.diameter = 24.0;
    *g = sectionGeometryOf(p, SectionShape::Polygon);
    ASSERT_EQ(g->outline.count, 8);
    EXPECT_EQ(g->outline.vertex[1].x, 0.2071000039577484 * 24.0);

    // Steel pipe: wall thickness, no bars whatever the bar count says.
    *section = PileSection{};
    p.sectionType = kSteelPipePile;
    p.diameter = 24.0;
    p.casingThickness = 0.5;
    p.barCount = 4;
    *g = sectionGeometryOf(p, SectionShape::SteelPipe);
    EXPECT_EQ(g->t, 0.5);
    EXPECT_EQ(g->barCount, 0);
    EXPECT_EQ(g->outline.count, 0);
}

TEST(SectionSlices, DrilledShaftFromItsSectionRecord) {
    // Eight 1-inch bars on a circle in a 36-inch shaft with cover 3, cage offset 2.
    auto section = std::make_unique<PileSection>();
    PileSection& p = *section;
    p.sectionType = kDrilledShaft;
    p.diameter = 36.0;
    p.barCount = 8;
    for (int j = 1; j <= 8; ++j) p.bar[j] = ReinforcingBar{8, 1.0, 0.79, 0.0, 0.0};
    placeBarsOnCircle(36.0, 3.0, 1.0, 8, 1, p.bar);
    for (int j = 1; j <= 8; ++j) p.bar[j].y += 2.0;
    const auto shape = sectionShapeOf(p);
    ASSERT_TRUE(shape.has_value());
    const auto g = std::make_unique<SectionGeometry>(sectionGeometryOf(p, *shape));
    const auto r = slice(*g);
    const SectionSlices& s = r->slices;
    EXPECT_NEAR(s.AsTotal, 8 * 0.79, 1e-12);
    EXPECT_NEAR(s.AcTotal, pi * 324.0 - 8 * 0.79, 1e-9);
    // The bar at angle 90 degrees sits at y = 14.5 + 2, from 17 to 16 (slices 3 to 6); the
    // bar at -90 degrees at y = -12.5, from -12 to -13 (slices 84 to 87).
    EXPECT_EQ(s.As[2], 0.0);
    EXPECT_GT(s.As[3], 0.0);
    EXPECT_GT(s.As[6], 0.0);
    EXPECT_NEAR(s.As[3] + s.As[4] + s.As[5] + s.As[6], 0.79, 1e-15);
    EXPECT_EQ(s.As[83], 0.0);
    EXPECT_NEAR(s.As[84] + s.As[85] + s.As[86] + s.As[87], 0.79, 1e-15);
    EXPECT_EQ(s.As[88], 0.0);
    EXPECT_EQ(r->text(), "");
}

}  // namespace
}  // namespace mervik
