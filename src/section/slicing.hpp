// Section slicing for the fibre analysis of a pile section.
//
// The cross-section is cut into N = 100 horizontal slices of equal thickness across its depth
// in the bending direction; every component (concrete, bars or strands, casing or pipe wall,
// steel core, concrete inside the core) gets its area in every slice. The bending axis is
// horizontal, compression at the top, and the section is used in its own coordinates: x
// horizontal, y up, origin at the centre of the section. Depths are measured downwards from the
// top (compression) edge.
//
// The slice table is built once per section and then only read for every axial thrust and
// curvature; all tables are fixed-size, nothing is allocated while slicing.
#pragma once
#include <optional>

#include "engine/capacities.hpp"
#include "input/sections.hpp"

namespace mervik {

class Channel;

inline constexpr int kSliceCount = 100;                  // N
inline constexpr double kSliceCountReal = 100.0;         // N as a real
inline constexpr int kMaxOutlineVertices = 300;          // polygon outline capacity
// Vertex constant of the octagonal pile: the octagon's vertices lie at ±a·W, a = 0.2071 held in
// single precision.
inline constexpr double kOctagonVertexFactor = 0.2071000039577484;

// Classification of a section for slicing and for the force and moment sums.
enum class SectionShape {
    Rectangle,
    Circle,
    CircleWithCasing,
    CircleWithCasingAndCore,
    SteelPipe,
    CircleWithVoid,
    RectangleWithVoid,
    Polygon,
    PolygonWithVoids,
};

// Shape of a section from its type code (and, for square prestressed piles, its chamfer).
// The elastic, elastic-plastic, user-EI and micropile sections (codes 11-14) and unknown codes
// are not sliced: no shape.
std::optional<SectionShape> sectionShapeOf(const PileSection& section);

struct OutlinePoint {
    double x = 0.0, y = 0.0;
};

// Closed polygon outline, counter-clockwise, vertices 1..count.
struct PolygonOutline {
    int count = 0;
    Table<OutlinePoint, kMaxOutlineVertices> vertex{};
};

// Outline of a rectangle of width B and depth D centred at the origin.
PolygonOutline rectangleOutline(double B, double D);
// Outline of a square pile of width W whose four corners are chamfered by c (eight vertices).
PolygonOutline chamferedSquareOutline(double W, double c);
// Outline of an octagonal pile of width W across flats (eight vertices at ±W/2 and ±a·W).
PolygonOutline octagonOutline(double W);

// One bar or strand of the section: position, diameter and area.
struct SectionBar {
    double x = 0.0, y = 0.0;
    double diameter = 0.0;
    double area = 0.0;
};

// The geometry the slicing works on, in the length unit of the run (inches in US customary
// units, meters in SI).
struct SectionGeometry {
    SectionShape shape = SectionShape::Rectangle;
    double D = 0.0;        // depth in the bending direction: rectangle depth, diameter, width
    double B = 0.0;        // width of a rectangle; D for the other shapes
    double chamfer = 0.0;  // corner chamfer of a square prestressed pile
    double Dv = 0.0;       // void diameter, or outside diameter of the steel core
    double tv = 0.0;       // wall thickness of the steel core (0 for a void without steel)
    double t = 0.0;        // casing or pipe wall thickness
    bool b_FillCoreWithConcrete = false;  // casing-and-core shaft with a concrete-filled core
    int barCount = 0;      // bars or strands 1..barCount
    Table<SectionBar, kMaxBars> bar{};
    PolygonOutline outline;  // polygon shapes only
};

// Geometry of a section of types 0 to 10 with the given shape. Bar ordinates are those of the
// section record, which for bars placed in a circle already include the cage offset. For
// prestressed piles the bars are the strands.
SectionGeometry sectionGeometryOf(const PileSection& section, SectionShape shape);

// The slice table of one section.
struct SectionSlices {
    int N = kSliceCount;
    double realN = kSliceCountReal;
    double h = 0.0;                          // slice thickness
    Table<double, kSliceCount + 1> S{};      // boundary ordinates, descending; slice k lies
                                             // between S(k) and S(k+1)
    Table<double, kSliceCount> yc{};         // depth of the mid-depth of slice k below the top
    Table<double, kSliceCount> Ac{};         // net concrete area
    Table<double, kSliceCount> As{};         // bars or strands
    Table<double, kSliceCount> Acas{};       // casing or pipe wall
    Table<double, kSliceCount> Acore{};      // steel core wall; for a void without steel wall
                                             // the void area
    Table<double, kSliceCount> Acc{};        // concrete inside a filled core
    int coreFirstSlice = 1, coreLastSlice = 0;  // slices touched by the core (empty: no core)
    // Sums over the slices. Polygon shapes sum only AcTotal (AsTotal stays 0); the steel pipe
    // sums neither, its concrete areas are not used.
    double AcTotal = 0.0, AsTotal = 0.0;
};

// ---------------------------------------------------------------------------------------------
// Pure geometry.

// Area of the part of a circle of diameter Dc above a horizontal chord at distance h below the
// top of the circle: 0 for h <= 0, the whole disc for h >= Dc, 0 for Dc <= 0.
double circularSegmentArea(double Dc, double h);

// Area of the part of the outline on or below the line at ordinate y. Pieces of fewer than 3
// or more than N points after clipping have no area.
double polygonAreaBelow(const PolygonOutline& outline, double y);
// Area of the part of the outline between the ordinates ylow and yhigh.
double polygonAreaBetween(const PolygonOutline& outline, double ylow, double yhigh);

// Index i of the slice with S(i) >= y > S(i+1), searching from the top; N when no slice
// before the last one holds y (the bottom edge, and ordinates outside the section).
int fn_FindSliceY(const SectionSlices& slices, double y);

// Slice boundaries for a section of depth D whose top edge lies at ordinate ytop, with slice
// thickness h: S, h, the mid-depths yc; all areas and totals cleared.
void setSliceBoundaries(SectionSlices& slices, double D, double ytop, double h);

// Areas of a disc of diameter Dc whose top lies at ordinate yTop, slice by slice, by
// differences of circular segments measured from the top of the disc. strip(k) is zero outside
// the slices touched; first and last are the slices holding the top and the bottom of the disc.
void discSliceAreas(const SectionSlices& slices, double Dc, double yTop, Table<double, kSliceCount>& strip,
                    int& first, int& last);

// ---------------------------------------------------------------------------------------------
// Component areas; each works on a table whose boundaries are set.

// Adds the bars to As (cleared first), each split across the slices it spans by circular
// segments of its equivalent diameter, then deducts As from Ac. More than 300 bars: one error
// line to the report channel and no bar is added.
void Calculate_Rebar_Slice_Areas(Channel& report, const SectionGeometry& geometry, SectionSlices& slices);

// Casing or pipe wall of outside diameter D and wall t into Acas; deducted from Ac except for
// the steel pipe, whose concrete is not used.
void Calculate_Casing_Slice_Areas(const SectionGeometry& geometry, SectionSlices& slices);

// One void or core of diameter Dv and steel wall tv centred at ordinate yv: its area is
// deducted from Ac; Acore receives the steel ring (tv > 0 or filled) or the void area; a
// filled core puts its inner disc into Acc. Sets the core slice range.
void addVoidOrCore(double Dv, double tv, double yv, bool filled, SectionSlices& slices);

// The whole slice table of a section: boundaries, the areas of every component present for its
// shape, the totals. Writes to the report only for more than 300 bars.
void buildSectionSlices(Channel& report, const SectionGeometry& geometry, SectionSlices& slices);

}  // namespace mervik
