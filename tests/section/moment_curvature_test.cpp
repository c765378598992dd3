// Moment-curvature computation: the neutral-axis search, the relation of a steel pipe against
// its closed-form elastic stiffness and plastic moment, the nominal capacity of a drilled shaft
// against an independent strain-compatibility calculation, the curvature steps, the point-limit
// and design warnings, the thrust checks and selection, and the relation files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "input/model.hpp"
#include "input/sections.hpp"
#include "section/section_analysis.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

constexpr double kPi = 3.141592653589793;

// Steel pipe 24 in x 0.5 in, fy = 36 ksi, E = 29000 ksi (input in psi).
constexpr double kPipeD = 24.0, kPipeT = 0.5, kPipeFy = 36.0, kPipeE = 29000.0;

class MomentCurvatureTest : public testing::MemoryRunTest {
protected:
    PileSection& section() { return run->model.sections.section[1]; }

    void usePipe() {
        PileSection& s = section();
        s.sectionType = kSteelPipePile;
        s.diameter = kPipeD;
        s.casingThickness = kPipeT;
        s.casingYield = kPipeFy * 1000.0;
        s.casingModulus = kPipeE * 1000.0;
        const double A = kPi * (kPipeD * kPipeD - (kPipeD - 2 * kPipeT) * (kPipeD - 2 * kPipeT)) / 4.0;
        run->section.Pn = kPipeFy * A;
        run->section.Nt = -kPipeFy * A;
    }

    // Drilled shaft 36 in, f'c = 4 ksi, twelve 1.0 sq. in. bars (1.128 in) on a radius of 14 in,
    // fy = 60 ksi, Es = 29000 ksi.
    void useShaft() {
        PileSection& s = section();
        s.sectionType = kDrilledShaft;
        s.diameter = 36.0;
        s.concreteStrength = 4000.0;
        s.barYield = 60000.0;
        s.barModulus = 29.0e6;
        s.barCount = 12;
        for (int j = 1; j <= 12; ++j) {
            const double a = (j - 1) * kPi / 6.0;
            s.bar[j] = ReinforcingBar{9, 1.128, 1.0, 14.0 * std::cos(a), 14.0 * std::sin(a)};
        }
        run->section.Pn = 3000.0;
        run->section.Nt = -720.0;
        run->section.Pcr = -150.0;
        run->section.AsTotal = 12.0;
    }

    void setOptions(int analysisType, bool lrfd = false) {
        run->model.options.IUNITS = kUSCS;
        run->model.options.i_Analysis_Type = analysisType;
        run->model.options.useLrfd = lrfd;
    }

    void setThrusts(std::initializer_list<double> thrusts) {
        AxialThrustList& list = run->model.axialThrusts;
        list.count = 0;
        for (double P : thrusts) list.thrust[++list.count] = P;
    }

    const MomentCurvatureTable& table(int i) const { return run->section.table[i]; }
};

// Curvature of point k in base increments: steps of 1 up to point 39, of 2 from point 40, of 8
// from point 80 and of 48 from point 120.
double stepsToPoint(int k) {
    if (k <= 39) return k;
    if (k <= 79) return 39 + 2.0 * (k - 39);
    if (k <= 119) return 119 + 8.0 * (k - 79);
    return 439 + 48.0 * (k - 119);
}

// ---------------------------------------------------------------------------------------------
// Neutral-axis search.

// The pipe is symmetric and elastic at small curvature, so the axial force is linear in the
// depth: one Newton step lands on D/2 from anywhere, and the second iteration confirms it.
TEST_F(MomentCurvatureTest, SymmetricElasticSectionFindsMidDepthInTwoIterations) {
    setOptions(2);
    usePipe();
    Initialize_EI_Vars(*run, 1);
    ASSERT_TRUE(run->section.sliced);
    run->section.thrust[1] = 0.0;
    for (double start : {0.3 * kPipeD, 0.9 * kPipeD}) {
        run->section.yN0 = start;
        Find_Neutral_Axis(*run, 1, 1, 1.0e-5);  // edge strain 1.2e-4, well below yield
        ASSERT_FALSE(run->failed());
        EXPECT_NEAR(table(1).yN[1], kPipeD / 2, 1e-6) << "start " << start;
        EXPECT_EQ(run->section.neutralAxisIterations, 2) << "start " << start;
    }
}

// A depth estimate outside the section restarts from mid-depth.
TEST_F(MomentCurvatureTest, EstimateBeyondTheSectionRestartsAtMidDepth) {
    setOptions(2);
    usePipe();
    Initialize_EI_Vars(*run, 1);
    run->section.thrust[1] = 0.0;
    run->section.yN0 = -3.0 * kPipeD;
    Find_Neutral_Axis(*run, 1, 1, 1.0e-5);
    EXPECT_NEAR(table(1).yN[1], kPipeD / 2, 1e-6);
    // Starting at D/2 the first residual is zero, and the search stops at once.
    EXPECT_EQ(run->section.neutralAxisIterations, 1);
}

// ---------------------------------------------------------------------------------------------
// Steel pipe.

TEST_F(MomentCurvatureTest, SteelPipeStartsAtElasticStiffnessAndApproachesPlasticMoment) {
    setOptions(2);
    usePipe();
    setThrusts({0.0});
    computeMomentCurvature(*run, 1);
    ASSERT_FALSE(run->failed());
    const MomentCurvatureTable& t = table(1);

    // E I of the annulus: I = pi/64 (24^4 - 23^4) = 2549.33 in^4.
    const double Di = kPipeD - 2 * kPipeT;
    const double EI = kPipeE * kPi / 64.0 * (std::pow(kPipeD, 4) - std::pow(Di, 4));
    EXPECT_NEAR(t.EI[1] / EI, 1.0, 1e-4);

    // First curvature: 80 base steps are 1.7 times the first-yield curvature fy/E/(D/2).
    const double base = (1.7000000476837158 * kPipeFy / kPipeE) / (kPipeD / 2) / 80.0;
    EXPECT_NEAR(t.phi[1], base, 1e-15);

    // The loop ends at an edge strain of 5 fy/E: phi = 5 fy/E / 12 = 235.3 base steps, reached
    // at point 94 (119 + 8 * 15 = 239 steps; point 93 has 231).
    EXPECT_EQ(t.n, 94);
    EXPECT_NEAR(t.phi[t.n], 239.0 * base, 1e-12);

    // Plastic moment fy (D^3 - Di^3) / 6 = 36 * 1657 / 6 = 9942 in-kips, approached from below:
    // at an edge strain of 5 fy/E only the wall within D/10 of the axis is still elastic.
    const double Mp = kPipeFy * (std::pow(kPipeD, 3) - std::pow(Di, 3)) / 6.0;
    const double Mmax = *std::max_element(t.M.begin() + 1, t.M.begin() + 1 + t.n);
    EXPECT_LT(Mmax, Mp);
    EXPECT_GT(Mmax, 0.98 * Mp);
    // The pipe's capacity is its last moment; stored in inch-pounds.
    EXPECT_EQ(t.Mn, t.M[t.n]);
    EXPECT_DOUBLE_EQ(run->eiTables.Mn[1][1], 1000.0 * t.Mn);
    EXPECT_EQ(run->eiTables.pointCount[1][1], t.n);
    EXPECT_EQ(run->eiTables.EI[1][1][1], t.EI[1]);

    // The wall first yields at phi = (fy/E) / 12 = 80 / 1.7 = 47.06 base steps: point 43 has
    // 47 steps and is elastic, point 44 has 49 and is flagged.
    EXPECT_EQ(t.msg[43][1], ' ');
    EXPECT_EQ(t.msg[44][1], 'Y');
    EXPECT_EQ(t.msg[t.n][1], 'Y');
    // No concrete, so never cracked, and no point-limit warning for a pipe.
    EXPECT_EQ(t.msg[t.n][0], ' ');
    EXPECT_EQ(run->warnings.counts[305], 0);

    // Plot: record 3 once, record 4 once, one record 5 per point.
    const std::string& plot = this->plot();
    EXPECT_NE(plot.find("Line 3 : Total number of axial thrusts for EI-only computations"), std::string::npos);
    int records5 = 0;
    for (std::size_t p = plot.find("Line 5 :"); p != std::string::npos; p = plot.find("Line 5 :", p + 1)) ++records5;
    EXPECT_EQ(records5, t.n);
}

// A compressive thrust uses part of the yield strain: the first curvature shrinks by P/(A E).
TEST_F(MomentCurvatureTest, SteelPipeBaseIncrementAllowsForThrust) {
    setOptions(2);
    usePipe();
    setThrusts({500.0});
    computeMomentCurvature(*run, 1);
    ASSERT_FALSE(run->failed());
    const double A = kPi * (kPipeD * kPipeD - 23.0 * 23.0) / 4.0;  // 36.91 sq. in.
    const double base = ((1.7000000476837158 * kPipeFy / kPipeE - 500.0 / (A * kPipeE)) / 12.0) / 80.0;
    EXPECT_NEAR(table(1).phi[1], base, 1e-15);
}

// ---------------------------------------------------------------------------------------------
// Drilled shaft.

// Independent strain-compatibility calculation of the shaft at a top strain of 0.003 with P = 0:
// the circle is cut into 3600 strips of exact width 2 sqrt(r^2 - v^2); concrete follows the
// parabola f'c (2u - u^2) up to eps0 = 1.7 f'c / Ec (Ec = 57 sqrt(4000) = 3605 ksi,
// eps0 = 0.0018863) and falls linearly to 0.85 f'c at 0.0038; tension is ignored; bars are
// elastic-perfectly plastic and displace the concrete they occupy. The depth c of the neutral
// axis is found by bisection on the net force; the moment is taken about the centre.
// Cross-check with the Whitney block (depth 0.85 c, stress 0.85 f'c, bars as above): the two
// hand methods give about 9667 and 9550 in-kips.
double concreteStress(double eps) {
    const double fc = 4.0, Ec = 57.0 * std::sqrt(4000.0), e0 = 1.7 * fc / Ec;
    if (eps <= 0.0) return 0.0;
    if (eps < e0) return fc * (2 * eps / e0 - (eps / e0) * (eps / e0));
    return fc - 0.15 * fc * (eps - e0) / (0.0038 - e0);
}

void shaftAtStrain003(double c, double& force, double& moment) {
    const double r = 18.0, top = 0.003;
    const int strips = 3600;
    const double h = 36.0 / strips;
    force = moment = 0.0;
    for (int i = 0; i < strips; ++i) {
        const double d = (i + 0.5) * h;  // depth below the top
        const double v = r - d;          // ordinate from the centre
        const double b = 2.0 * std::sqrt(std::max(0.0, r * r - v * v));
        const double f = concreteStress(top * (c - d) / c) * b * h;
        force += f;
        moment += f * v;
    }
    for (int j = 0; j < 12; ++j) {
        const double v = 14.0 * std::sin(j * kPi / 6.0);
        const double eps = top * (c - (r - v)) / c;
        const double sigma = std::clamp(29000.0 * eps, -60.0, 60.0) - concreteStress(eps);
        force += sigma * 1.0;
        moment += sigma * 1.0 * v;
    }
}

double handNominalMoment() {
    double lo = 1.0, hi = 36.0, F = 0.0, M = 0.0;
    for (int it = 0; it < 100; ++it) {
        const double c = 0.5 * (lo + hi);
        shaftAtStrain003(c, F, M);
        (F > 0.0 ? hi : lo) = c;
    }
    shaftAtStrain003(0.5 * (lo + hi), F, M);
    return M;
}

double whitneyNominalMoment() {
    // Compression block of depth a = 0.85 c: circular segment of area As(a) with centroid at
    // 4 r sin^3(t) / (3 (2t - sin 2t)) from the centre, cos t = (r - a)/r.
    const double r = 18.0;
    auto block = [&](double c, double& F, double& M) {
        const double a = 0.85 * c;
        const double t = std::acos((r - a) / r);
        const double area = r * r * (2 * t - std::sin(2 * t)) / 2.0;
        const double arm = 4 * r * std::pow(std::sin(t), 3) / (3 * (2 * t - std::sin(2 * t)));
        F = 0.85 * 4.0 * area;
        M = F * arm;
        for (int j = 0; j < 12; ++j) {
            const double v = 14.0 * std::sin(j * kPi / 6.0);
            const double eps = 0.003 * (c - (r - v)) / c;
            double sigma = std::clamp(29000.0 * eps, -60.0, 60.0);
            if (r - v < a) sigma -= 0.85 * 4.0;
            F += sigma;
            M += sigma * v;
        }
    };
    double lo = 1.0, hi = 36.0, F = 0.0, M = 0.0;
    for (int it = 0; it < 100; ++it) {
        const double c = 0.5 * (lo + hi);
        block(c, F, M);
        (F > 0.0 ? hi : lo) = c;
    }
    block(0.5 * (lo + hi), F, M);
    return M;
}

TEST_F(MomentCurvatureTest, DrilledShaftNominalCapacityMatchesStrainCompatibility) {
    setOptions(2);
    useShaft();
    setThrusts({0.0});
    computeMomentCurvature(*run, 1);
    ASSERT_FALSE(run->failed());
    const MomentCurvatureTable& t = table(1);

    const double fibre = handNominalMoment();
    const double whitney = whitneyNominalMoment();
    EXPECT_NEAR(fibre / whitney, 1.0, 0.03);  // the two hand methods agree
    EXPECT_NEAR(t.Mn / fibre, 1.0, 0.01);
    EXPECT_NEAR(t.Mn / whitney, 1.0, 0.03);
    EXPECT_EQ(t.epsN, 0.003);
    EXPECT_DOUBLE_EQ(run->eiTables.Mn[1][1], 1000.0 * t.Mn);

    // 36 in deep: m = round(1.5) = 2, base increment 1.25e-6 / 2.
    EXPECT_DOUBLE_EQ(t.phi[1], 6.25e-7);

    // Mn is interpolated linearly in strain between the two points that bracket 0.003.
    int j = 1;
    while (!(t.epsTop[j] < 0.003 && t.epsTop[j + 1] > 0.003)) ++j;
    ASSERT_LT(j, t.n);
    const double expected = t.M[j] + (t.M[j + 1] - t.M[j]) * (0.003 - t.epsTop[j]) / (t.epsTop[j + 1] - t.epsTop[j]);
    EXPECT_NEAR(t.Mn, expected, 1e-9 * expected);
    EXPECT_GE(t.Mn, t.M[j]);
    EXPECT_LE(t.Mn, t.M[j + 1]);

    // Symmetric bars: at P = 0 the relation is never softening, the last point has crushed the
    // concrete (0.0038) and the section cracked and yielded on the way.
    EXPECT_GE(t.epsTop[t.n], 0.003800000064074993);
    EXPECT_LT(t.epsTop[t.n - 1], 0.003800000064074993);
    EXPECT_EQ(t.msg[t.n][0], 'C');
    EXPECT_EQ(t.msg[t.n][1], 'Y');
    EXPECT_EQ(t.msg[1][0], ' ');
    for (int k = 2; k <= t.n; ++k) EXPECT_GE(t.M[k], t.M[k - 1]) << k;
    // Top strain is curvature times neutral-axis depth; bottom strain the same below the axis.
    EXPECT_NEAR(t.epsTop[t.n], t.phi[t.n] * t.yN[t.n], 1e-15);
    EXPECT_NEAR(t.epsBot[t.n], t.phi[t.n] * (t.yN[t.n] - 36.0), 1e-15);
    EXPECT_EQ(run->warnings.counts[355], 0);
}

// A thrust below the cracking load puts the whole concrete out of tension from the first point:
// the section is cracked at point 1 already.
TEST_F(MomentCurvatureTest, ThrustBeyondCrackingLoadCracksFromFirstPoint) {
    setOptions(2);
    useShaft();
    setThrusts({-200.0, 0.0});
    computeMomentCurvature(*run, 1);
    ASSERT_FALSE(run->failed());
    EXPECT_EQ(table(1).msg[1][0], 'C');
    EXPECT_EQ(table(2).msg[1][0], ' ');
}

// ---------------------------------------------------------------------------------------------
// Curvature steps and warnings.

// A 24 x 24 in rectangular pile with only two #4 bars at the bottom under 10 kips: its
// compression zone stays about half an inch deep (34 kips / (0.85 * 4 ksi * 24 in)), so even at
// the last curvature of 1927 base steps (2.4e-3 rad/in) the top strain stays near 0.0012. The
// loop runs to the 150-point limit (warning 305), and the capacity is taken at the last point
// examined below 0.003 with a compressive thrust (warning 355).
TEST_F(MomentCurvatureTest, UnderReinforcedPileRunsToPointLimitWithWarnings) {
    setOptions(2);
    PileSection& s = section();
    s.sectionType = kRectangularConcretePile;
    s.depth = 24.0;
    s.width = 24.0;
    s.diameter = 24.0;
    s.concreteStrength = 4000.0;
    s.barYield = 60000.0;
    s.barModulus = 29.0e6;
    s.barCount = 2;
    s.bar[1] = ReinforcingBar{4, 0.5, 0.2, -6.0, -9.0};
    s.bar[2] = ReinforcingBar{4, 0.5, 0.2, 6.0, -9.0};
    run->section.Pn = 2000.0;
    run->section.Nt = -24.0;
    run->section.Pcr = -100.0;
    run->section.AsTotal = 0.4;
    setThrusts({10.0});
    computeMomentCurvature(*run, 1);
    ASSERT_FALSE(run->failed());
    const MomentCurvatureTable& t = table(1);

    ASSERT_EQ(t.n, 150);
    for (int k = 1; k <= 150; ++k) EXPECT_NEAR(t.phi[k], 1.25e-6 * stepsToPoint(k), 1e-15) << k;
    EXPECT_DOUBLE_EQ(t.phi[150], 1927 * 1.25e-6);

    ASSERT_LT(t.epsTop[150], 0.003);
    EXPECT_EQ(t.Mn, t.M[149]);
    EXPECT_EQ(t.epsN, t.epsTop[149]);
    EXPECT_EQ(run->warnings.counts[355], 1);
    EXPECT_EQ(run->warnings.counts[305], 1);
    EXPECT_NE(report().find("Warning: 150 values were calculated for moment-curvature."), std::string::npos);
    // After cracking the raw moment drops below the cracking moment; the relation holds it.
    for (int k = 2; k <= t.n; ++k) EXPECT_GE(t.M[k], t.M[k - 1]) << k;
    EXPECT_LT(t.EI[150], t.EI[1]);
}

// ---------------------------------------------------------------------------------------------
// Thrust checks and selection.

TEST_F(MomentCurvatureTest, ThrustsBeyondCapacitiesRaiseRuntimeErrors) {
    struct Case {
        bool lrfd;
        double P;
        int error;
        const char* problem;
    };
    const double Pn = 1000.0, Nt = -800.0;
    const Case cases[] = {
        {false, 1000.5, 24, "PROBLEM:  The axial thrust load for load case no. 2 exceeds the axial structural capacity in compression."},
        {false, -800.5, 25, "PROBLEM:  The axial thrust load for load case no. 2 exceeds the axial structural capacity in tension."},
        {true, 1000.5, 26, "PROBLEM:  The axial thrust load for LRFD load case no. 2 exceeds the axial structural capacity in compression."},
        {true, -800.5, 27, "PROBLEM:  The axial thrust load for LRFD load case no. 2 exceeds the axial structural capacity in tension."},
    };
    for (const Case& c : cases) {
        start();
        setOptions(3, c.lrfd);
        usePipe();
        run->section.Pn = Pn;
        run->section.Nt = Nt;
        // The offending thrust is second in the list; the thrusts at the capacities are accepted.
        if (c.P > 0) setThrusts({Pn, c.P});
        else setThrusts({Nt, c.P});
        computeMomentCurvature(*run, 1);
        EXPECT_EQ(run->errorNumber, 200 + c.error) << c.error;
        EXPECT_NE(report().find("**** Runtime Error No. " + std::to_string(c.error) + " ****"), std::string::npos);
        EXPECT_NE(report().find(c.problem), std::string::npos) << c.error;
        EXPECT_EQ(run->eiTables.pointCount[1][1], 0) << "no relation is computed";
    }
}

// Analysis type 2 keeps only the thrusts strictly between the capacities, and the run's thrust
// list shrinks to them.
TEST_F(MomentCurvatureTest, CapacityOnlyRunDropsThrustsAtOrBeyondCapacities) {
    setOptions(2);
    usePipe();
    const double Pn = run->section.Pn, Nt = run->section.Nt;
    setThrusts({Nt - 1.0, Nt, -10.0, 0.0, 50.0, Pn});
    computeMomentCurvature(*run, 1);
    ASSERT_FALSE(run->failed());

    const AxialThrustList& list = run->model.axialThrusts;
    ASSERT_EQ(list.count, 3);
    EXPECT_EQ(list.thrust[1], -10.0);
    EXPECT_EQ(list.thrust[2], 0.0);
    EXPECT_EQ(list.thrust[3], 50.0);
    EXPECT_EQ(run->section.thrustCount, 3);
    EXPECT_EQ(run->eiTables.thrustCount, 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(run->eiTables.thrust[i], list.thrust[i]);
        EXPECT_GT(run->eiTables.pointCount[1][i], 0);
    }
    EXPECT_NE(report().find("The following computations were performed only for the axial thrust values in the valid range."),
              std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Relation files.

TEST_F(MomentCurvatureTest, RelationFilesHoldMomentInInchPoundsAndCurvature) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / "mervik_relation_files";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path first = dir / "section1_thrust1.txt";

    setOptions(2);
    usePipe();
    setThrusts({0.0, 100.0});
    // One name for two relations: entry 2 of the list does not exist, so the second relation
    // is written to no file.
    run->momentCurvatureNames.count = 1;
    run->momentCurvatureNames.names[1] = first.string() + "   ";
    computeMomentCurvature(*run, 1);
    ASSERT_FALSE(run->failed());

    std::ifstream in(first);
    ASSERT_TRUE(in.good());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    const MomentCurvatureTable& t = table(1);
    ASSERT_EQ(static_cast<int>(lines.size()), t.n);
    for (int k = 1; k <= t.n; ++k) {
        const std::string& line = lines[static_cast<std::size_t>(k - 1)];
        ASSERT_EQ(line.size(), 30u) << line;
        EXPECT_EQ(line.substr(11, 1), "E") << line;  // " d.ddddddddE+ee": 8 digits after the point
        EXPECT_NEAR(std::stod(line.substr(0, 15)), 1000.0 * t.M[k], 1e-7 * 1000.0 * std::fabs(t.M[k]));
        EXPECT_NEAR(std::stod(line.substr(15, 15)), t.phi[k], 1e-7 * t.phi[k]);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace mervik
