import math

import pytest

from mervik.plotfile import parse_plot, real


@pytest.mark.parametrize("field, value", [
    ("  1.2345678E+02", 123.45678),
    (" -2.5000000E-03", -0.0025),
    ("  1.2345678-100", 1.2345678e-100),
    (" -9.8765432+123", -9.8765432e123),
    ("  0.0000000E+00", 0.0),
    ("               ", math.nan),
    ("  ***********  ", math.nan),
])
def test_es_fields(field, value):
    got = real(field)
    assert (math.isnan(got) and math.isnan(value)) or got == value


# Two sections (thrusts 2 + 1), a printed curve, two load cases of three nodes, a length series
# on case 2 and the summary. The spacing is that of the engine's layouts.
def es(*values):
    return "".join(f"{v:15.7E}" for v in values)


PLOT = "\n".join([
    f"{3:5d}{1:5d}{0:5d}{0:5d}" + " " * 60 + "Line 1 : i_Analysis_Type, IUNITS, KYL, ib_ComputeKmatrix_1T0F",
    f"{2:5d}" + " " * 75 + "Line 2 : Total number of sections",
    f"{2:5d}" + " " * 75 + "Line 3 : Total number of axial thrusts",
    f"{2:5d}" + " " * 10 + es(0.0, 900.0) + " " * 35 + "Line 4 : Num. M-EI-Crv Points, Section 1",
    es(1.0, 10.0, 0.1) + " " * 35 + "Line 5 : Moment for Sect#=1, AxLd#=1, CurvPnt#=1",
    es(2.0, 10.0, 0.2) + " " * 35 + "Line 5 : Moment for Sect#=1, AxLd#=1, CurvPnt#=2",
    f"{1:5d}" + " " * 10 + es(50.0, 800.0) + " " * 35 + "Line 4 : Num. M-EI-Crv Points, Section 1",
    es(3.0, 30.0, 0.1) + " " * 35 + "Line 5 : Moment for Sect#=1, AxLd#=2, CurvPnt#=1",
    f"{1:5d}" + " " * 75 + "Line 3 : Total number of axial thrusts for elastic section",
    f"{1:5d}" + " " * 10 + es(0.0, 1.0e3) + " " * 35 + "Line 4 : Num. Elas. M-EI-Crv Points",
    es(4.0, 40.0, 0.1) + " " * 35 + "Line 5 : Elastic Moment for Sect#=2, AxLd#=1, CurvPnt#=1",
    f"{1:5d}" + " " * 75 + "Line 6 : number of output p-y curves",
    es(24.0) + f"{2:5d}" + " " * 60 + "Line 7:  p-y curve depth in soft clay, no. p-y points on curve no. 1",
    es(0.0, 0.0) + " " * 50 + "Line 8(1): y, p, for soft clay",
    es(0.5, 1.0e-100) + " " * 50 + "Line 8(2): y, p, for soft clay",
    f"{2:5d}{3:5d}{1:5d}" + " " * 65 + "Line 9:  No. loads, No. nodes, iunits: 1 = USCS, 2 = SI",
    *[es(12.0 * (k - 1), 0.3 / k, 1.0, 2.0, -3.0, 4.0) + "  " + f"Line 10({k:3d}): nodal depth, y, M, V, p, EI"
      for k in (1, 2, 3)],
    f"{0:5d}" + " " * 75 + "Line 11: Num. points on Ytop vs. Length curve for load case 1",
    *[es(12.0 * (k - 1), 0.6 / k, 5.0, 6.0, -7.0, 8.0) + "  " + f"Line 10({k:3d}): nodal depth, y, M, V, p, EI"
      for k in (1, 2, 3)],
    f"{2:5d}" + " " * 75 + "Line 11: Num. points on Ytop vs. pile length curve for load case 2",
    es(240.0, 0.6, 5.0, 6.0) + " " * 20 + "Line 12: pile length (in), Ytop (in), Max Moment(in-lb), Max Shear(lbs)",
    es(228.0, 0.7, 5.5, 6.0) + " " * 20 + "Line 12: pile length (in), Ytop (in), Max Moment(in-lb), Max Shear(lbs)",
    es(1.0, 0.3, 1.0, 2.0, -0.01) + " " * 5 + "Line 13: TopV(lbs), TopY(in), Max Moment(in-lbs), Max Shear(lbs), Rotation(rad)",
    es(2.0, 0.6, 5.0, 6.0, -0.02) + " " * 5 + "Line 13: TopV(lbs), TopY(in), Max Moment(in-lbs), Max Shear(lbs), Rotation(rad)",
]) + "\n"


def test_records_are_tied_together_by_their_order():
    records = parse_plot(PLOT)
    assert (records.analysis_type, records.units, records.kmatrix, records.sections) == (3, 1, False, 2)
    mc = records.moment_curvature
    assert mc[["section", "thrust", "point"]].values.tolist() == [[1, 1, 1], [1, 1, 2], [1, 2, 1], [2, 1, 1]]
    assert mc.axial_thrust.tolist() == [0.0, 0.0, 50.0, 0.0]
    assert mc.moment_capacity.tolist() == [900.0, 900.0, 800.0, 1000.0]
    assert mc.moment.tolist() == [1.0, 2.0, 3.0, 4.0]
    py = records.py_curves
    assert py.depth.tolist() == [24.0, 24.0] and py.model.tolist() == ["soft clay"] * 2
    assert py.p.tolist() == [0.0, 1.0e-100]
    assert sorted(records.nodes) == [1, 2]
    assert records.nodes[1].index.tolist() == [1, 2, 3]
    assert records.nodes[1].deflection.tolist() == pytest.approx([0.3, 0.15, 0.1])
    assert records.nodes[2].depth.tolist() == [0.0, 12.0, 24.0]
    assert records.nodes[2].moment.tolist() == [5.0] * 3
    ls = records.length_series
    assert ls.case.tolist() == [2, 2] and ls.pile_length.tolist() == [240.0, 228.0]
    assert records.summary.loc[2].head_deflection == 0.6
    assert records.summary.head_rotation.tolist() == [-0.01, -0.02]


def test_a_run_that_stopped_within_a_case_keeps_its_nodes():
    lines = PLOT.splitlines()
    cut = next(i for i, l in enumerate(lines) if "Line 10(  3)" in l)
    records = parse_plot("\n".join(lines[:cut]))
    assert list(records.nodes) == [1] and len(records.nodes[1]) == 2
    assert records.summary.empty
