// Records of the plot output file. Every record is one line of numeric fields at fixed
// positions followed by a comment naming them; each record layout is written by exactly one
// function here, the callers only supply values.
#pragma once
#include <string_view>

namespace mervik {

struct Run;

// Who wrote the moment-curvature records 3 to 5.
enum class PlotSectionKind {
    EIOnlyThrusts,  // section analysis, thrusts from the EI-only input (record 3 only)
    Lrfd,           // section analysis, LRFD thrusts (record 3 only)
    Nonlinear,      // section analysis, thrusts from the load cases
    InputMEI,       // user-input moment-curvature section
    Elastic,
    ElasticPlastic,
};

// Which comment record 11 carries.
enum class PlotRecord11Kind { PileLengthCurve, NoCurve, NoCurveLrfd };

void plotRecord1(Run& run, int analysisType, int IUNITS, int KYL, int stiffnessOption);
void plotRecord2(Run& run, int sectionCount);
void plotRecord3(Run& run, PlotSectionKind kind, int thrustCount);
void plotRecord4(Run& run, PlotSectionKind kind, int pointCount, double thrust, double nominalMoment, int section);
void plotRecord5(Run& run, PlotSectionKind kind, double moment, double EI, double curvature, int section, int thrust,
                 int point);
void plotRecord6(Run& run, int curveCount);
// modelText is the record-7 text of the p-y model ("soft clay", ...); withJWording gives the
// soft-clay-with-J comment.
void plotRecord7(Run& run, double depth, int pointCount, std::string_view modelText, int curve, bool withJWording = false);
// The curve of a depth above the ground surface.
void plotRecord7AboveGround(Run& run, double depth, int pointCount);
// wideLayout: the liquefied-sand and user-input layout (20X, point number in two characters).
void plotRecord8(Run& run, double y, double p, int point, std::string_view modelText, bool wideLayout = false);
void plotRecord9(Run& run, int loadCaseCount, int nodeCount, int IUNITS);
void plotRecord10(Run& run, int node, double x, double y, double M, double V, double p, double EI);
void plotRecord11(Run& run, PlotRecord11Kind kind, int pointCount, int loadCase);
void plotRecord12(Run& run, double pileLength, double yTop, double maxMoment, double maxShear);
void plotRecord13(Run& run, double topShear, double yTop, double maxMoment, double maxShear, double rotation);
void plotRecord14(Run& run, double V, double M, double K22, double K23, double K32, double K33, double yTop,
                  double theta);

}  // namespace mervik
