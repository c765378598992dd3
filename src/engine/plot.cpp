// Records of the plot output file, one function per record layout.
#include "engine/plot.hpp"

#include "engine/run.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

bool uscs(const Run& run) { return run.model.options.IUNITS == kUSCS; }

}  // namespace

void plotRecord1(Run& run, int analysisType, int IUNITS, int KYL, int stiffnessOption) {
    writeLayout(run.plot, R"(4I5,60X,"Line 1 : i_Analysis_Type, IUNITS, KYL, ib_ComputeKmatrix_1T0F")",
                {analysisType, IUNITS, KYL, stiffnessOption});
}

void plotRecord2(Run& run, int sectionCount) {
    writeLayout(run.plot, R"(I5,75X,"Line 2 : Total number of sections")", {sectionCount});
}

void plotRecord3(Run& run, PlotSectionKind kind, int thrustCount) {
    std::string_view comment;
    switch (kind) {
        case PlotSectionKind::EIOnlyThrusts: comment = "Line 3 : Total number of axial thrusts for EI-only computations"; break;
        case PlotSectionKind::Lrfd: comment = "Line 3 : Total number of axial thrusts for LRFD"; break;
        case PlotSectionKind::Nonlinear: comment = "Line 3 : Total number of axial thrusts"; break;
        case PlotSectionKind::InputMEI: comment = "Line 3 : Total number of axial thrusts for input M-EI section"; break;
        case PlotSectionKind::Elastic: comment = "Line 3 : Total number of axial thrusts for elastic section"; break;
        case PlotSectionKind::ElasticPlastic:
            comment = "Line 3 : Total number of axial thrusts for elastic-plastic section";
            break;
    }
    writeLayout(run.plot, "I5,75X,A", {thrustCount, comment});
}

void plotRecord4(Run& run, PlotSectionKind kind, int pointCount, double thrust, double nominalMoment, int section) {
    const bool us = uscs(run);
    Line line(run.plot);
    line.i(pointCount, 5).x(10).es(thrust, 15, 7).es(nominalMoment, 15, 7).tab(81);
    switch (kind) {
        case PlotSectionKind::InputMEI:
            line.text(us ? "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips) for input "
                           "M-EI pile, Section "
                         : "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kN), Nom. Moment Cap. (kN-m) for input M-EI "
                           "pile, Section ")
                .i(section, 0);
            break;
        case PlotSectionKind::Elastic:
            line.text(us ? "Line 4 : Num. Elas. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips) for "
                           "linear EI pile at top of section"
                         : "Line 4 : Num. Elas. M-EI-Crv Points, Axial Thrust Load (kN) , Nom. Moment Cap. (kN-m) for "
                           "linear EI pile at top of section");
            break;
        case PlotSectionKind::ElasticPlastic:
            line.text(us ? "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kip) for "
                           "elastic-plastic EI at top of section"
                         : "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kN), Nom. Moment Cap. (kN-m) for "
                           "elastic-plastic EI at top of section");
            break;
        default:
            line.text(us ? "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips), Section "
                         : "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kN), Nom. Moment Cap. (kN-m), Section ")
                .i(section, 0);
            break;
    }
    line.end();
}

void plotRecord5(Run& run, PlotSectionKind kind, double moment, double EI, double curvature, int section, int thrust,
                 int point) {
    const bool us = uscs(run);
    std::string_view comment;
    switch (kind) {
        case PlotSectionKind::InputMEI: comment = "Line 5 : Moment, EI, Curvature for "; break;
        case PlotSectionKind::Elastic:
            comment = us ? "Line 5 : Elastic Moment (in-kips), EI (kip-in^2), Curvature (rad/in) for "
                         : "Line 5 : Elastic Moment (kN-m), EI (kN-m^2), Curvature (rad/m) for ";
            break;
        case PlotSectionKind::ElasticPlastic:
            comment = us ? "Line 5 : Elas-Plas Moment (in-lb), EI (lb-in^2), Curvature (rad/in) for "
                         : "Line 5 : Elas-Plas Moment (kN-m), EI (kN-m^2), Curvature (rad/m) for ";
            break;
        default:
            comment = us ? "Line 5 : Moment (in-kips), EI (kip-in^2), Curvature (rad/in) for "
                         : "Line 5 : Moment (kN-m), EI (kN-m^2), Curvature (rad/m) for ";
            break;
    }
    // One record per point of every relation: written with the line builder, without a layout
    // to interpret, 3ES15.7,T81,A,"Sect#=",I0,", AxLd#=",I0,", CurvPnt#=",I0.
    Line(run.plot)
        .es(moment, 15, 7)
        .es(EI, 15, 7)
        .es(curvature, 15, 7)
        .tab(81)
        .text(comment)
        .text("Sect#=")
        .i(section, 0)
        .text(", AxLd#=")
        .i(thrust, 0)
        .text(", CurvPnt#=")
        .i(point, 0)
        .end();
}

void plotRecord6(Run& run, int curveCount) {
    writeLayout(run.plot, R"(I5,75X,"Line 6 : number of output p-y curves")", {curveCount});
}

void plotRecord7(Run& run, double depth, int pointCount, std::string_view modelText, int curve, bool withJWording) {
    writeLayout(run.plot, R"(ES15.7,I5,60X,"Line 7:  p-y curve depth in ",A,A,I0)",
                {depth, pointCount, modelText,
                 withJWording ? ", no. points on p-y curve no. " : ", no. p-y points on curve no. ", curve});
}

void plotRecord7AboveGround(Run& run, double depth, int pointCount) {
    writeLayout(run.plot, R"(ES15.7,I5,60X,"Line 7:  p-y curve depth, no. p-y points")", {depth, pointCount});
}

void plotRecord8(Run& run, double y, double p, int point, std::string_view modelText, bool wideLayout) {
    if (wideLayout) {
        writeLayout(run.plot, R"(2ES15.7,20X,"Line 8(",I2,"): y, p, for ",A)", {y, p, point, modelText});
    } else {
        writeLayout(run.plot, R"(2ES15.7,50X,"Line 8(",I0,"): y, p, for ",A)", {y, p, point, modelText});
    }
}

void plotRecord9(Run& run, int loadCaseCount, int nodeCount, int IUNITS) {
    writeLayout(run.plot, R"(3I5,65X,"Line 9:  No. loads, No. nodes, iunits: 1 = USCS, 2 = SI")",
                {loadCaseCount, nodeCount, IUNITS});
}

void plotRecord10(Run& run, int node, double x, double y, double M, double V, double p, double EI) {
    // One record per node and load case, 6ES15.7,T92,"Line 10(",I3,"): nodal depth, y, M, V, p, EI".
    Line line(run.plot);
    for (double v : {x, y, M, V, p, EI}) line.es(v, 15, 7);
    line.tab(92).text("Line 10(").i(node, 3).text("): nodal depth, y, M, V, p, EI").end();
}

void plotRecord11(Run& run, PlotRecord11Kind kind, int pointCount, int loadCase) {
    std::string_view comment;
    switch (kind) {
        case PlotRecord11Kind::PileLengthCurve:
            comment = "Line 11: Num. points on Ytop vs. pile length curve for load case ";
            break;
        case PlotRecord11Kind::NoCurve: comment = "Line 11: Num. points on Ytop vs. Length curve for load case "; break;
        case PlotRecord11Kind::NoCurveLrfd:
            comment = "Line 11: Num. points on Ytop vs. Length curve for LRFD load case ";
            break;
    }
    writeLayout(run.plot, "I5,75X,A,I0", {pointCount, comment, loadCase});
}

void plotRecord12(Run& run, double pileLength, double yTop, double maxMoment, double maxShear) {
    writeLayout(run.plot, "4ES15.7,20X,A",
                {pileLength, yTop, maxMoment, maxShear,
                 uscs(run) ? "Line 12: pile length (in), Ytop (in), Max Moment(in-lb), Max Shear(lbs)"
                           : "Line 12: pile length (m), Ytop (m), Max Moment(kN-m), Max Shear(kN)"});
}

void plotRecord13(Run& run, double topShear, double yTop, double maxMoment, double maxShear, double rotation) {
    writeLayout(run.plot, "5ES15.7,T81,A",
                {topShear, yTop, maxMoment, maxShear, rotation,
                 uscs(run) ? "Line 13: TopV(lbs), TopY(in), Max Moment(in-lbs), Max Shear(lbs), Rotation(rad)"
                           : "Line 13: TopV(kN) TopY(m), Max Moment(kN-m), Max Shear(kN), Rotation(rad)"});
}

void plotRecord14(Run& run, double V, double M, double K22, double K23, double K32, double K33, double yTop,
                  double theta) {
    writeLayout(run.plot, R"(8ES15.7,"  Line 14: V, M, K22, K23, K32, K33, ytop, theta")",
                {V, M, K22, K23, K32, K33, yTop, theta});
}

}  // namespace mervik
