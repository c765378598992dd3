// Section slicing: slice boundaries and the area of every component of the section in every
// slice. Circles, voids, cores, casing rings and bars are cut by differences of circular
// segments measured from their top; polygons by clipping the outline at each boundary.
#include "section/slicing.hpp"

#include <algorithm>
#include <cmath>

#include "report/layout.hpp"

namespace mervik {

namespace {

constexpr double kPi = 3.141592653589793;
// Squared distance below which two consecutive clipped points are taken as one (1e-8 held in
// single precision).
constexpr double kCoincidentSquared = 9.99999993922529e-09;
// Work capacity of a clipped outline: every edge adds at most two points, so an outline of
// 300 vertices never needs more.
constexpr int kClipCapacity = 2 * kMaxOutlineVertices + 1;

using SliceTable = Table<double, kSliceCount>;

double discArea(double Dc) { return kPi * Dc * Dc / 4.0; }

PolygonOutline outlineOf(std::initializer_list<OutlinePoint> points) {
    PolygonOutline outline;
    for (const OutlinePoint& p : points) outline.vertex[++outline.count] = p;
    return outline;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Shape and geometry of a section.

std::optional<SectionShape> sectionShapeOf(const PileSection& section) {
    switch (section.sectionType) {
        case kRectangularConcretePile: return SectionShape::Rectangle;
        case kDrilledShaft: return SectionShape::Circle;
        case kDrilledShaftWithCasing: return SectionShape::CircleWithCasing;
        case kDrilledShaftWithCasingAndCore: return SectionShape::CircleWithCasingAndCore;
        case kSteelPipePile: return SectionShape::SteelPipe;
        case kCircularSolidPrestressed: return SectionShape::Circle;
        case kCircularHollowPrestressed: return SectionShape::CircleWithVoid;
        case kSquareSolidPrestressed:
            return section.chamfer > 0.0 ? SectionShape::Polygon : SectionShape::Rectangle;
        case kSquareHollowPrestressed:
            return section.chamfer > 0.0 ? SectionShape::PolygonWithVoids : SectionShape::RectangleWithVoid;
        case kOctagonalSolidPrestressed: return SectionShape::Polygon;
        case kOctagonalHollowPrestressed: return SectionShape::PolygonWithVoids;
        default: return std::nullopt;
    }
}

PolygonOutline rectangleOutline(double B, double D) {
    return outlineOf({{-B / 2, -D / 2}, {B / 2, -D / 2}, {B / 2, D / 2}, {-B / 2, D / 2}});
}

PolygonOutline chamferedSquareOutline(double W, double c) {
    const double h = W / 2;
    return outlineOf({{h - c, -h}, {h, -h + c}, {h, h - c}, {h - c, h}, {-h + c, h}, {-h, h - c}, {-h, -h + c},
                      {-h + c, -h}});
}

PolygonOutline octagonOutline(double W) {
    const double h = W / 2;
    const double a = kOctagonVertexFactor * W;
    return outlineOf({{a, -h}, {h, -a}, {h, a}, {a, h}, {-a, h}, {-h, a}, {-h, -a}, {-a, -h}});
}

SectionGeometry sectionGeometryOf(const PileSection& section, SectionShape shape) {
    SectionGeometry g;
    g.shape = shape;
    const int type = section.sectionType;
    if (type == kRectangularConcretePile) {
        g.D = section.depth;
        g.B = section.width;
    } else {
        g.D = section.diameter;
        g.B = g.D;
    }
    if (type == kSquareSolidPrestressed || type == kSquareHollowPrestressed) g.chamfer = section.chamfer;
    if (type == kDrilledShaftWithCasing || type == kDrilledShaftWithCasingAndCore || type == kSteelPipePile)
        g.t = section.casingThickness;
    if (type == kDrilledShaftWithCasingAndCore) {
        g.Dv = section.coreDiameter;
        g.tv = section.coreThickness;
        g.b_FillCoreWithConcrete = section.filledCore;
    }
    if (type == kCircularHollowPrestressed || type == kSquareHollowPrestressed || type == kOctagonalHollowPrestressed)
        g.Dv = section.voidDiameter;

    // Reinforced sections hold their bars, prestressed piles their strands, in the bar table;
    // the steel pipe has none. The counts never exceed the table (the reader checks them).
    int count = 0;
    if (type >= kRectangularConcretePile && type <= kDrilledShaftWithCasingAndCore) count = section.barCount;
    if (type >= kCircularSolidPrestressed && type <= kOctagonalHollowPrestressed) count = section.strandCount;
    g.barCount = std::clamp(count, 0, kMaxBars);
    for (int j = 1; j <= g.barCount; ++j) {
        const ReinforcingBar& b = section.bar[j];
        g.bar[j] = SectionBar{b.x, b.y, b.diameter, b.area};
    }

    if (shape == SectionShape::Polygon || shape == SectionShape::PolygonWithVoids) {
        const bool octagonal = type == kOctagonalSolidPrestressed || type == kOctagonalHollowPrestressed;
        g.outline = octagonal ? octagonOutline(g.D) : chamferedSquareOutline(g.D, g.chamfer);
    }
    return g;
}

// ---------------------------------------------------------------------------------------------
// Pure geometry.

double circularSegmentArea(double Dc, double h) {
    if (Dc <= 0.0) return 0.0;
    const double r = Dc / 2;
    double c = 1.0 - h / r;
    if (std::fabs(c) > 1.0) {
        if (c > 0.99) c = 1.0;
        if (c < -0.99) c = -1.0;
    }
    double theta;  // half-angle of the chord, acos c
    if (std::fabs(c) < 1e-12) {
        theta = kPi / 2;
    } else {
        theta = std::atan(std::sqrt(std::fabs(1.0 - c * c)) / c);
        if (c < 0.0) theta += kPi;
    }
    return Dc * Dc * (1.0 / 8.0) * (2.0 * theta - std::sin(2.0 * theta));
}

double polygonAreaBelow(const PolygonOutline& outline, double y) {
    const int n = std::clamp(outline.count, 0, kMaxOutlineVertices);
    if (n < 3) return 0.0;

    // Clip the closed outline against the half-plane at or below y.
    std::array<OutlinePoint, kClipCapacity + 1> out;
    int m = 0;
    auto append = [&](OutlinePoint p) {
        if (m < kClipCapacity) out[++m] = p;
    };
    auto crossing = [y](const OutlinePoint& p, const OutlinePoint& q) {
        const double x = q.x == p.x ? p.x : p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y);
        return OutlinePoint{x, y};
    };
    for (int k = 1; k <= n; ++k) {
        const OutlinePoint& p = outline.vertex[k];
        const OutlinePoint& q = outline.vertex[k == n ? 1 : k + 1];
        const bool pIn = p.y <= y, qIn = q.y <= y;
        if (pIn && qIn) {
            if (m == 0) append(p);
            append(q);
        } else if (pIn) {
            if (m == 0) append(p);
            append(crossing(p, q));
        } else if (qIn) {
            append(crossing(p, q));
            append(q);
        }
    }

    // Merge points that coincide with their successor (wrapping from the last to the first).
    int k = 1;
    while (m > 1 && k <= m) {
        const OutlinePoint& next = out[k == m ? 1 : k + 1];
        const double dx = next.x - out[k].x, dy = next.y - out[k].y;
        if (dx * dx + dy * dy < kCoincidentSquared) {
            for (int i = k; i < m; ++i) out[i] = out[i + 1];
            --m;
        } else {
            ++k;
        }
    }

    if (m < 3 || m > kSliceCount) return 0.0;
    double sum = 0.0;
    for (int i = 1; i <= m; ++i) {
        const OutlinePoint& p = out[i];
        const OutlinePoint& q = out[i == m ? 1 : i + 1];
        sum += p.x * q.y - q.x * p.y;
    }
    return sum / 2;
}

double polygonAreaBetween(const PolygonOutline& outline, double ylow, double yhigh) {
    return polygonAreaBelow(outline, yhigh) - polygonAreaBelow(outline, ylow);
}

int fn_FindSliceY(const SectionSlices& slices, double y) {
    for (int i = 1; i < kSliceCount; ++i)
        if (slices.S[i] >= y && y > slices.S[i + 1]) return i;
    return kSliceCount;
}

void setSliceBoundaries(SectionSlices& slices, double D, double ytop, double h) {
    slices = SectionSlices{};
    slices.h = h;
    for (int k = 1; k <= kSliceCount + 1; ++k) slices.S[k] = ytop - (k - 1) * h;
    slices.yc[1] = D / (2 * kSliceCountReal);
    for (int k = 2; k <= kSliceCount; ++k) slices.yc[k] = slices.yc[k - 1] + D / kSliceCountReal;
}

void discSliceAreas(const SectionSlices& slices, double Dc, double yTop, SliceTable& strip, int& first, int& last) {
    strip.fill(0.0);
    first = fn_FindSliceY(slices, yTop);
    last = fn_FindSliceY(slices, yTop - Dc);
    if (Dc <= 0.0) {
        last = first;
        return;
    }
    // Cumulative areas from the top of the disc down to the bottom of each slice touched.
    SliceTable cumulative{};
    for (int i = first; i < last; ++i) cumulative[i] = circularSegmentArea(Dc, yTop - slices.S[i + 1]);
    cumulative[last] = discArea(Dc);
    for (int i = last; i > first; --i) strip[i] = cumulative[i] - cumulative[i - 1];
    strip[first] = cumulative[first];
}

// ---------------------------------------------------------------------------------------------
// Component areas.

void Calculate_Rebar_Slice_Areas(Channel& report, const SectionGeometry& geometry, SectionSlices& slices) {
    slices.As.fill(0.0);
    const int n = geometry.barCount;
    if (n > kMaxBars) {
        Line(report)
            .text("  Error in Calculate_Rebar_Slice_Areas - NumBars out of valid range = ")
            .i(n, 0)
            .text(" (more than ")
            .i(kMaxBars, 0)
            .text(" bars)")
            .end();
        return;
    }
    for (int j = 1; j <= n; ++j) {
        const SectionBar& bar = geometry.bar[j];
        // The bar's extent comes from its diameter, the split from the diameter of a round bar
        // of its area, so that the parts add up to the bar area.
        const double de = std::sqrt(std::max(0.0, 4.0 * bar.area / kPi));
        const double yTop = bar.y + bar.diameter / 2;
        const double yBot = yTop - bar.diameter;
        int iTop = fn_FindSliceY(slices, yTop);
        const int iBot = fn_FindSliceY(slices, yBot);
        if (iTop == iBot) {
            slices.As[iTop] += bar.area;
            continue;
        }
        // A bar top above the top edge finds no slice (the search ends at the last one); the
        // split then starts at the top slice.
        if (iTop > iBot) iTop = 1;
        SliceTable w{};
        for (int i = iTop; i < iBot; ++i) w[i] = circularSegmentArea(de, yTop - slices.S[i + 1]);
        w[iBot] = bar.area;
        for (int i = iBot; i > iTop; --i) {
            w[i] -= w[i - 1];
            slices.As[i] += w[i];
        }
        slices.As[iTop] += w[iTop];
    }
    for (int k = 1; k <= kSliceCount; ++k) slices.Ac[k] -= slices.As[k];
}

void Calculate_Casing_Slice_Areas(const SectionGeometry& geometry, SectionSlices& slices) {
    const double D = geometry.D, t = geometry.t;
    int first = 0, last = 0;
    discSliceAreas(slices, D, D / 2, slices.Acas, first, last);
    if (t > 0.0) {
        SliceTable inner{};
        discSliceAreas(slices, D - 2 * t, D / 2 - t, inner, first, last);
        for (int k = 1; k <= kSliceCount; ++k) slices.Acas[k] -= inner[k];
    }
    if (geometry.shape != SectionShape::SteelPipe)
        for (int k = 1; k <= kSliceCount; ++k) slices.Ac[k] -= slices.Acas[k];
}

void addVoidOrCore(double Dv, double tv, double yv, bool filled, SectionSlices& slices) {
    SliceTable disc{};
    int first = 0, last = 0;
    discSliceAreas(slices, Dv, yv + Dv / 2, disc, first, last);
    for (int k = 1; k <= kSliceCount; ++k) {
        slices.Acore[k] += disc[k];
        slices.Ac[k] -= disc[k];
    }
    if (tv > 0.0 || filled) {
        // The steel ring is the disc less its inner disc; the inner disc holds the core concrete.
        SliceTable inner{};
        discSliceAreas(slices, Dv - 2 * tv, yv + Dv / 2 - tv, inner, first, last);
        for (int k = 1; k <= kSliceCount; ++k) {
            slices.Acore[k] -= inner[k];
            if (filled) slices.Acc[k] += inner[k];
        }
    }
    slices.coreFirstSlice = first;
    slices.coreLastSlice = last;
}

void buildSectionSlices(Channel& report, const SectionGeometry& g, SectionSlices& slices) {
    const SectionShape shape = g.shape;
    const bool polygon = shape == SectionShape::Polygon || shape == SectionShape::PolygonWithVoids;
    const double D = g.D;

    if (polygon) {
        double ymax = 0.0, ymin = 0.0;
        for (int k = 1; k <= std::clamp(g.outline.count, 0, kMaxOutlineVertices); ++k) {
            const double y = g.outline.vertex[k].y;
            if (k == 1 || y > ymax) ymax = y;
            if (k == 1 || y < ymin) ymin = y;
        }
        setSliceBoundaries(slices, D, ymax, (ymax - ymin) / kSliceCountReal);
    } else {
        setSliceBoundaries(slices, D, D / 2, D / kSliceCountReal);
    }

    // Gross concrete.
    switch (shape) {
        case SectionShape::Rectangle:
        case SectionShape::RectangleWithVoid:
            for (int k = 1; k <= kSliceCount; ++k) slices.Ac[k] = D * g.B / kSliceCountReal;
            break;
        case SectionShape::Circle:
        case SectionShape::CircleWithVoid:
        case SectionShape::CircleWithCasing:
        case SectionShape::CircleWithCasingAndCore: {
            SliceTable cumulative{};
            for (int i = 1; i <= kSliceCount; ++i) cumulative[i] = circularSegmentArea(D, i * slices.h);
            for (int i = kSliceCount; i >= 2; --i) slices.Ac[i] = cumulative[i] - cumulative[i - 1];
            slices.Ac[1] = cumulative[1];
            break;
        }
        case SectionShape::Polygon:
        case SectionShape::PolygonWithVoids:
            for (int k = 1; k <= kSliceCount; ++k)
                slices.Ac[k] = polygonAreaBetween(g.outline, slices.S[k + 1], slices.S[k]);
            break;
        case SectionShape::SteelPipe:
            break;
    }

    // The other components, in the order of each shape.
    const bool hasVoid = g.Dv > 0.0;
    switch (shape) {
        case SectionShape::Rectangle:
        case SectionShape::Circle:
        case SectionShape::Polygon:
            Calculate_Rebar_Slice_Areas(report, g, slices);
            break;
        case SectionShape::RectangleWithVoid:
        case SectionShape::CircleWithVoid:
        case SectionShape::PolygonWithVoids:
            Calculate_Rebar_Slice_Areas(report, g, slices);
            if (hasVoid) addVoidOrCore(g.Dv, g.tv, 0.0, false, slices);
            break;
        case SectionShape::CircleWithCasing:
            Calculate_Casing_Slice_Areas(g, slices);
            Calculate_Rebar_Slice_Areas(report, g, slices);
            break;
        case SectionShape::CircleWithCasingAndCore:
            Calculate_Casing_Slice_Areas(g, slices);
            Calculate_Rebar_Slice_Areas(report, g, slices);
            if (hasVoid) addVoidOrCore(g.Dv, g.tv, 0.0, g.b_FillCoreWithConcrete, slices);
            break;
        case SectionShape::SteelPipe:
            Calculate_Casing_Slice_Areas(g, slices);
            break;
    }

    if (shape == SectionShape::SteelPipe) return;
    for (int k = 1; k <= kSliceCount; ++k) slices.AcTotal += slices.Ac[k];
    if (!polygon)
        for (int k = 1; k <= kSliceCount; ++k) slices.AsTotal += slices.As[k];
}

}  // namespace mervik
