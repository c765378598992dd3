// Elastic, elastic-plastic and input M-EI sections. Expected tables are worked out by hand from
// the section data: E·I for the elastic stiffness, the plastic moment over the curvature beyond
// first yield, and the linear subdivision of the user intervals (values chosen so that the
// subdivisions are exact binary numbers).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "section/section_analysis.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

class ElasticSections : public testing::MemoryRunTest {
protected:
    void setThrusts(std::initializer_list<double> thrusts) {
        auto& list = run->model.axialThrusts;
        list.count = 0;
        for (double P : thrusts) list.thrust[++list.count] = P;
    }
    PileSection& section(int s) {
        if (run->model.sections.count < s) run->model.sections.count = s;
        return run->model.sections.section[s];
    }
    PileSection& elastic(int s, int type, double E, double It, double Ib) {
        PileSection& sec = section(s);
        sec.sectionType = type;
        sec.elasticModulus = E;
        sec.topInertia = It;
        sec.bottomInertia = Ib;
        return sec;
    }
    // Adds a user table of (M, EI) pairs to section s.
    void addUserTable(int s, double thrust, const std::vector<double>& M, const std::vector<double>& EI) {
        PileSection& sec = section(s);
        sec.sectionType = kUserEiPile;
        if (sec.userEi.empty()) sec.userEi.resize(1);
        UserEiCurve curve;
        curve.thrust = thrust;
        curve.pointCount = static_cast<int>(M.size());
        for (std::size_t p = 0; p < M.size(); ++p) {
            curve.moment[p + 1] = M[p];
            curve.stiffness[p + 1] = EI[p];
        }
        sec.userEi.push_back(curve);
        sec.userEiThrustCount = static_cast<int>(sec.userEi.size()) - 1;
    }
    SectionEITables& tables() { return run->eiTables; }
};

// ------------------------------------------------------------------ elastic section

// EI = E·It at every point, M = 10·k·EIt, whatever the bottom inertia; US values in kip units
// with Mn back in inch-pounds.
TEST_F(ElasticSections, ElasticTableIsLinearWithTopStiffness) {
    struct Case {
        int IUNITS;
        double E, It, Ib;
        double EIstored;  // E·It in the stored unit
        double Mn;        // stored nominal moment capacity: 1500·E·It
    };
    const Case cases[] = {
        {kUSCS, 2.9e7, 100.0, 999.0, 2.9e6, 4.35e12},  // lb-in^2 -> kip-in^2; Mn in in-lb
        {kSI, 2.0e8, 1.0e-4, 5.0e-4, 2.0e4, 3.0e7},   // kN-m^2 as computed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.IUNITS);
        start();
        run->model.options.IUNITS = c.IUNITS;
        setThrusts({-50.0, 120.5});
        elastic(2, kElasticPile, c.E, c.It, c.Ib);
        elasticSectionTables(*run, 2);
        ASSERT_FALSE(run->failed());
        EXPECT_EQ(tables().thrustCount, 2);
        EXPECT_DOUBLE_EQ(tables().thrust[2], 120.5);
        for (int i = 1; i <= 2; ++i) {
            EXPECT_EQ(tables().pointCount[2][i], 150);
            for (int k = 1; k <= 150; ++k) {
                EXPECT_DOUBLE_EQ(tables().phi[2][i][k], 10.0 * k);
                EXPECT_DOUBLE_EQ(tables().EI[2][i][k], c.EIstored);
                EXPECT_DOUBLE_EQ(tables().M[2][i][k], 10.0 * k * c.EIstored);
            }
            EXPECT_DOUBLE_EQ(tables().Mn[2][i], c.Mn);
        }
        EXPECT_EQ(report(), "Moment-curvature properties were derived from elastic section properties\n\n");
    }
}

TEST_F(ElasticSections, ElasticPlotRecords) {
    run->model.options.IUNITS = kUSCS;
    setThrusts({-50.0, 120.5});
    elastic(1, kElasticPile, 2.9e7, 100.0, 100.0);
    elasticSectionTables(*run, 1);
    const auto out = lines(plot());
    ASSERT_EQ(out.size(), 1u + 2u * 151u);
    EXPECT_EQ(out[0], "    2" + blanks(75) + "Line 3 : Total number of axial thrusts for elastic section");
    // Nominal capacity in in-kips: 1500 rad/in x 2.9e6 kip-in^2.
    EXPECT_EQ(out[1], "  150" + blanks(10) + " -5.0000000E+01  4.3500000E+09" + blanks(35) +
                          "Line 4 : Num. Elas. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips) "
                          "for linear EI pile at top of section");
    EXPECT_EQ(out[2], "  2.9000000E+07  2.9000000E+06  1.0000000E+01" + blanks(35) +
                          "Line 5 : Elastic Moment (in-kips), EI (kip-in^2), Curvature (rad/in) for Sect#=1, AxLd#=1, "
                          "CurvPnt#=1");
    EXPECT_EQ(out[152], "  150" + blanks(10) + "  1.2050000E+02  4.3500000E+09" + blanks(35) +
                            "Line 4 : Num. Elas. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips) "
                            "for linear EI pile at top of section");
    EXPECT_EQ(out[302], "  4.3500000E+09  2.9000000E+06  1.5000000E+03" + blanks(35) +
                            "Line 5 : Elastic Moment (in-kips), EI (kip-in^2), Curvature (rad/in) for Sect#=1, AxLd#=2, "
                            "CurvPnt#=150");
}

TEST_F(ElasticSections, RecordThreeOnlyForTheFirstSection) {
    run->model.options.IUNITS = kSI;
    setThrusts({0.0});
    elastic(2, kElasticPile, 2.0e8, 1.0e-4, 1.0e-4);
    elasticSectionTables(*run, 2);
    const auto out = lines(plot());
    ASSERT_EQ(out.size(), 151u);
    EXPECT_EQ(out[0], "  150" + blanks(10) + "  0.0000000E+00  3.0000000E+07" + blanks(35) +
                          "Line 4 : Num. Elas. M-EI-Crv Points, Axial Thrust Load (kN) , Nom. Moment Cap. (kN-m) for "
                          "linear EI pile at top of section");
    EXPECT_EQ(out[150], "  3.0000000E+07  2.0000000E+04  1.5000000E+03" + blanks(35) +
                            "Line 5 : Elastic Moment (kN-m), EI (kN-m^2), Curvature (rad/m) for Sect#=2, AxLd#=1, "
                            "CurvPnt#=150");
}

// ------------------------------------------------------------------ elastic-plastic section

// Linear up to phi = Mpt/EIt in 100 steps, then M = Mpt over 50 steps of 20·delta with EI =
// Mpt/phi; the bottom plastic moment plays no part in the table.
TEST_F(ElasticSections, ElasticPlasticTable) {
    struct Case {
        int IUNITS;
        double E, It, Mpt, Mpb;
        double delta;     // (Mpt/EIt)/100
        double EIt, Mpt_stored, Mn;  // stored values
    };
    const Case cases[] = {
        // EIt = 2.9e10 lb-in^2, Mpt/EIt = 1e-3: stored in kips, Mn in in-lb.
        {kUSCS, 2.9e7, 1000.0, 2.9e7, 5.0e7, 1.0e-5, 2.9e7, 2.9e4, 2.9e7},
        // EIt = 2e4 kN-m^2, Mpt/EIt = 0.02.
        {kSI, 2.0e8, 1.0e-4, 400.0, 900.0, 2.0e-4, 2.0e4, 400.0, 400.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.IUNITS);
        start();
        run->model.options.IUNITS = c.IUNITS;
        setThrusts({10.0});
        PileSection& sec = elastic(1, kElasticPlasticPile, c.E, c.It, 3.0 * c.It);
        sec.topPlasticMoment = c.Mpt;
        sec.bottomPlasticMoment = c.Mpb;
        elasticPlasticSectionTables(*run, 1);
        ASSERT_FALSE(run->failed());
        const auto& phi = tables().phi[1][1];
        const auto& M = tables().M[1][1];
        const auto& EI = tables().EI[1][1];
        EXPECT_EQ(tables().pointCount[1][1], 150);
        for (int k = 1; k <= 100; ++k) {
            EXPECT_NEAR(phi[k], k * c.delta, 1e-12 * k * c.delta);
            EXPECT_DOUBLE_EQ(EI[k], c.EIt);
            EXPECT_NEAR(M[k], c.Mpt_stored * k / 100.0, 1e-12 * c.Mpt_stored);
        }
        for (int m = 1; m <= 50; ++m) {
            const double curvature = (100.0 + 20.0 * m) * c.delta;
            EXPECT_NEAR(phi[100 + m], curvature, 1e-12 * curvature);
            EXPECT_DOUBLE_EQ(M[100 + m], c.Mpt_stored);
            EXPECT_NEAR(EI[100 + m], c.Mpt_stored / curvature, 1e-12 * c.Mpt_stored / curvature);
        }
        // The last point: phi = 1100·delta = 11 times the yield curvature, EI = EIt/11.
        EXPECT_NEAR(EI[150], c.EIt / 11.0, 1e-12 * c.EIt);
        EXPECT_DOUBLE_EQ(tables().Mn[1][1], c.Mn);
        EXPECT_EQ(report(), "Moment-curvature properties were derived from elastic-plastic section properties\n\n");
    }
}

TEST_F(ElasticSections, ElasticPlasticPlotRecords) {
    run->model.options.IUNITS = kUSCS;
    setThrusts({10.0});
    PileSection& sec = elastic(1, kElasticPlasticPile, 2.9e7, 1000.0, 1000.0);
    sec.topPlasticMoment = 2.9e7;
    elasticPlasticSectionTables(*run, 1);
    const auto out = lines(plot());
    ASSERT_EQ(out.size(), 152u);
    EXPECT_EQ(out[0], "    1" + blanks(75) + "Line 3 : Total number of axial thrusts for elastic-plastic section");
    // Nominal capacity plotted in in-kips: 2.9e7 in-lb.
    EXPECT_EQ(out[1], "  150" + blanks(10) + "  1.0000000E+01  2.9000000E+04" + blanks(35) +
                          "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kip) for "
                          "elastic-plastic EI at top of section");
    // Point 1: phi = 1e-5, M = 290 in-kips, EI = 2.9e7 kip-in^2.
    EXPECT_EQ(out[2], "  2.9000000E+02  2.9000000E+07  1.0000000E-05" + blanks(35) +
                          "Line 5 : Elas-Plas Moment (in-lb), EI (lb-in^2), Curvature (rad/in) for Sect#=1, AxLd#=1, "
                          "CurvPnt#=1");
    // Point 150: phi = 1.1e-2, EI = 29000/0.011 = 2636363.6...
    EXPECT_EQ(out[151], "  2.9000000E+04  2.6363636E+06  1.1000000E-02" + blanks(35) +
                            "Line 5 : Elas-Plas Moment (in-lb), EI (lb-in^2), Curvature (rad/in) for Sect#=1, AxLd#=1, "
                            "CurvPnt#=150");
}

// Nodes at 0, 60, ..., 300; section 1 spans 0-120 with Mp 50 -> 80, section 2 spans 120-240
// with Mp 100 -> 220. A node on a section boundary belongs to the section above it; the pile
// head belongs to the top section only.
TEST_F(ElasticSections, NodalPlasticMomentsByDepth) {
    PileSection& top = section(1);
    top.topDepthX = 0.0, top.bottomDepthX = 120.0, top.sectionLength = 120.0;
    top.topPlasticMoment = 50.0, top.bottomPlasticMoment = 80.0;
    PileSection& second = section(2);
    second.topDepthX = 120.0, second.bottomDepthX = 240.0, second.sectionLength = 120.0;
    second.topPlasticMoment = 100.0, second.bottomPlasticMoment = 220.0;
    const std::vector<double> depth = {0.0, 0.0, 60.0, 120.0, 180.0, 240.0, 300.0};  // entry 0 unused

    std::vector<double> Mp(7, -1.0);
    setNodalPlasticMoments(*run, 2, 6, depth, Mp);
    EXPECT_EQ(Mp, (std::vector<double>{-1.0, -1.0, -1.0, -1.0, 160.0, 220.0, -1.0}));
    setNodalPlasticMoments(*run, 1, 6, depth, Mp);
    EXPECT_EQ(Mp, (std::vector<double>{-1.0, 50.0, 65.0, 80.0, 160.0, 220.0, -1.0}));

    // A node count beyond the arrays writes nothing past them.
    std::vector<double> shortMp(3, -1.0);
    setNodalPlasticMoments(*run, 1, 6, depth, shortMp);
    EXPECT_EQ(shortMp, (std::vector<double>{-1.0, 50.0, 65.0}));
}

// ------------------------------------------------------------------ input M-EI section

struct MEICase {
    const char* name;
    std::vector<double> M, EI;
    int n;
    std::vector<std::array<double, 3>> points;  // k, M, EI
    double Mn;
};

TEST_F(ElasticSections, InputMEIPointsAndCapacity) {
    std::vector<double> rampM, rampEI;
    for (int p = 1; p <= 150; ++p) rampM.push_back(p), rampEI.push_back(1000.0 - p);
    const std::vector<double> rampM149(rampM.begin(), rampM.end() - 1), rampEI149(rampEI.begin(), rampEI.end() - 1);
    const MEICase cases[] = {
        // q = (150 - 4)/3 = 48, n = 3·48 + 1 = 145; steps (1, -10), (2, -20), (3, -30).
        {"four pairs from zero", {0, 48, 144, 288}, {4800, 4320, 3360, 1920}, 145,
         {{1, 0, 4800}, {2, 1, 4790}, {48, 47, 4330}, {49, 48, 4320}, {50, 50, 4300}, {97, 144, 3360},
          {98, 147, 3330}, {144, 285, 1950}, {145, 288, 1920}},
         288},
        // Leading (0, 500): m = 3, q = (150 - 2)/2 = 74, n = 149.
        {"leading zero point", {16, 32}, {500, 400}, 149,
         {{1, 0, 500}, {75, 16, 500}, {149, 32, 400}},
         32},
        // 150 pairs not from zero: m = 151, q = 0: the pairs as given, no zero point.
        {"150 pairs", rampM, rampEI, 150, {{1, 1, 999}, {150, 150, 850}}, 150},
        // 149 pairs not from zero: m = 150, q = (150 - 149)/149 = 0, n = 149.
        {"149 pairs", rampM149, rampEI149, 149, {{1, 1, 999}, {149, 149, 851}}, 149},
        // One pair at zero moment: no interval, kept as it is.
        {"single zero pair", {0}, {700}, 1, {{1, 0, 700}}, 0},
        // One pair not at zero: (0, 700) in front, q = 149, n = 150.
        {"single pair", {149}, {700}, 150, {{1, 0, 700}, {2, 1, 700}, {150, 149, 700}}, 149},
    };
    for (const MEICase& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        run->model.options.IUNITS = kSI;
        setThrusts({0.0});
        addUserTable(1, 0.0, c.M, c.EI);
        inputMEISectionTables(*run, 1);
        ASSERT_FALSE(run->failed());
        ASSERT_EQ(tables().pointCount[1][1], c.n);
        for (const auto& [k, M, EI] : c.points) {
            const int point = static_cast<int>(k);
            SCOPED_TRACE(point);
            EXPECT_NEAR(tables().M[1][1][point], M, 1e-12 * (1.0 + std::fabs(M)));
            EXPECT_NEAR(tables().EI[1][1][point], EI, 1e-12 * EI);
            EXPECT_NEAR(tables().phi[1][1][point], M / EI, 1e-12 * (1.0 + std::fabs(M / EI)));
        }
        EXPECT_DOUBLE_EQ(tables().Mn[1][1], c.Mn);
    }
}

// Leading interval of the "leading zero point" case: 16/74 per step on M, EI constant.
TEST_F(ElasticSections, InputMEIInterpolatesFromTheAddedZeroPoint) {
    run->model.options.IUNITS = kSI;
    setThrusts({0.0});
    addUserTable(1, 0.0, {16, 32}, {500, 400});
    inputMEISectionTables(*run, 1);
    for (int k = 1; k <= 75; ++k) {
        EXPECT_NEAR(tables().M[1][1][k], (k - 1) * 16.0 / 74.0, 1e-12);
        EXPECT_DOUBLE_EQ(tables().EI[1][1][k], 500.0);
    }
    for (int k = 75; k <= 149; ++k) EXPECT_NEAR(tables().EI[1][1][k], 500.0 - (k - 75) * 100.0 / 74.0, 1e-9);
}

// US units: the plot records carry the input inch-pound values and Mn as stored (in-lb); the
// stored relation is then in kip units while Mn stays in inch-pounds. Record 4 takes the thrust
// from the axial-thrust list.
TEST_F(ElasticSections, InputMEIPlotRecordsAndUSUnits) {
    run->model.options.IUNITS = kUSCS;
    setThrusts({25.0});
    // m = 2, q = 148: steps of 1000 in-lb and -1e7 lb-in^2, n = 149.
    addUserTable(1, 25000.0, {0.0, 148000.0}, {2.96e9, 1.48e9});
    inputMEISectionTables(*run, 1);
    ASSERT_EQ(tables().pointCount[1][1], 149);
    EXPECT_DOUBLE_EQ(tables().M[1][1][149], 148.0);
    EXPECT_DOUBLE_EQ(tables().EI[1][1][149], 1.48e6);
    EXPECT_DOUBLE_EQ(tables().M[1][1][2], 1.0);
    EXPECT_DOUBLE_EQ(tables().EI[1][1][2], 2.95e6);
    EXPECT_DOUBLE_EQ(tables().phi[1][1][149], 1.0e-4);
    EXPECT_DOUBLE_EQ(tables().Mn[1][1], 148000.0);

    const auto out = lines(plot());
    ASSERT_EQ(out.size(), 151u);
    EXPECT_EQ(out[0], "    1" + blanks(75) + "Line 3 : Total number of axial thrusts for input M-EI section");
    EXPECT_EQ(out[1], "  149" + blanks(10) + "  2.5000000E+01  1.4800000E+05" + blanks(35) +
                          "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kips), Nom. Moment Cap. (in-kips) for input "
                          "M-EI pile, Section 1");
    EXPECT_EQ(out[3], "  1.0000000E+03  2.9500000E+09  3.3898305E-07" + blanks(35) +
                          "Line 5 : Moment, EI, Curvature for Sect#=1, AxLd#=1, CurvPnt#=2");
    EXPECT_EQ(out[150], "  1.4800000E+05  1.4800000E+09  1.0000000E-04" + blanks(35) +
                            "Line 5 : Moment, EI, Curvature for Sect#=1, AxLd#=1, CurvPnt#=149");
}

// Two tables of section 3: one report line and two blank lines per table, no record 3, and
// the records 4 and 5 of both tables after all tables are computed.
TEST_F(ElasticSections, InputMEIReportAndRecordOrder) {
    run->model.options.IUNITS = kSI;
    setThrusts({-5.0, 7.0});
    addUserTable(3, -5.0, {0}, {300});
    addUserTable(3, 7.0, {0}, {400});
    inputMEISectionTables(*run, 3);
    const std::string line = "Moment-Curvature properties for Section 3 derived from input values for nonlinear M-EI properties\n\n\n";
    EXPECT_EQ(report(), line + line);
    const auto out = lines(plot());
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], "    1" + blanks(10) + " -5.0000000E+00  0.0000000E+00" + blanks(35) +
                          "Line 4 : Num. M-EI-Crv Points, Axial Thrust Load (kN), Nom. Moment Cap. (kN-m) for input M-EI "
                          "pile, Section 3");
    EXPECT_EQ(out[1], "  0.0000000E+00  3.0000000E+02  0.0000000E+00" + blanks(35) +
                          "Line 5 : Moment, EI, Curvature for Sect#=3, AxLd#=1, CurvPnt#=1");
    EXPECT_EQ(out[2].substr(0, 30), "    1" + blanks(10) + "  7.0000000E+00");
    EXPECT_EQ(out[3], "  0.0000000E+00  4.0000000E+02  0.0000000E+00" + blanks(35) +
                          "Line 5 : Moment, EI, Curvature for Sect#=3, AxLd#=2, CurvPnt#=1");
}

// An empty table (q < 0) keeps the relation already stored for that section and thrust.
TEST_F(ElasticSections, InputMEIEmptyTableKeepsStoredRelation) {
    run->model.options.IUNITS = kUSCS;
    setThrusts({0.0});
    tables().pointCount[1][1] = 1;
    tables().M[1][1][1] = 5.0;
    tables().EI[1][1][1] = 50.0;
    addUserTable(1, 0.0, {}, {});
    inputMEISectionTables(*run, 1);
    EXPECT_EQ(tables().pointCount[1][1], 1);
    EXPECT_DOUBLE_EQ(tables().M[1][1][1], 5.0);
    EXPECT_DOUBLE_EQ(tables().EI[1][1][1], 50.0);
}

}  // namespace
}  // namespace mervik
