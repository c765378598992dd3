import math

import pytest

import mervik
from mervik import inputs


def pipe(length=60.0):
    return inputs.SteelPipe(length=length, diameter=24.0, wall=0.5, yield_stress=36000.0, modulus=29.0e6)


def shaft_si():
    bars = inputs.RebarCircle(yield_stress=420000.0, modulus=2.0e8, positions=16, bar_diameter=25.0,
                              bar_area=490.87, cover=75.0)
    return inputs.DrilledShaft(length=20.0, diameter=1000.0, concrete_strength=30000.0, aggregate=19.0, bars=bars)


S = inputs.SoilLayer
US = inputs.Options()
SI = inputs.Options(units="SI")

# One run of every model the writer knows (and the three section kinds), each accepted by the engine.
CASES = [
    ("soft clay", US, pipe(), [S("soft_clay", 0.0, 70.0, gamma=50.0, c=(500.0, 800.0), eps50=0.01)]),
    ("soft clay with J", US, pipe(), [S("soft_clay_j", 0.0, 70.0, gamma=50.0, c=600.0, eps50=0.01, J=0.25)]),
    ("stiff clay, free water", US, pipe(), [S("stiff_clay_free_water", 0.0, 70.0, gamma=60.0, c=2000.0)]),
    ("stiff clay, no water", US, pipe(), [S("stiff_clay_no_water", 0.0, 70.0, gamma=110.0, c=2000.0)]),
    ("stiff clay, no water, k", US, pipe(), [S("stiff_clay_no_water_k", 0.0, 70.0, gamma=110.0, c=2000.0)]),
    ("clay over sand", US, pipe(), [S("soft_clay", 0.0, 15.0, gamma=50.0, c=500.0, eps50=0.01),
                                    S("sand", 15.0, 70.0, gamma=60.0, phi=34.0, k=60.0)]),
    ("API sand", US, pipe(), [S("api_sand", 0.0, 70.0, gamma=60.0, phi=(32.0, 36.0))]),
    ("weak rock", US, pipe(), [S("soft_clay", 0.0, 10.0, gamma=50.0, c=500.0, eps50=0.01),
                               S("weak_rock", 10.0, 70.0, gamma=80.0, qu=500.0, Eir=50000.0, RQD=50.0, krm=0.0005)]),
    ("vuggy limestone", US, pipe(), [S("soft_clay", 0.0, 10.0, gamma=50.0, c=500.0, eps50=0.01),
                                     S("vuggy_limestone", 10.0, 70.0, gamma=80.0, qu=1500.0)]),
    ("Piedmont", US, pipe(), [S("piedmont", 0.0, 70.0, gamma=60.0, test=1, N60=(10.0, 30.0))]),
    ("cemented silt", SI, shaft_si(), [S("cemented_silt", 0.0, 25.0, gamma=9.0, c=20.0, phi=30.0)]),
    ("loess", SI, shaft_si(), [S("loess", 0.0, 25.0, gamma=15.0, qc=(3000.0, 5000.0))]),
    ("liquefied sand over sand", SI, shaft_si(), [S("liquefied_sand", 0.0, 4.0, gamma=9.0),
                                                  S("sand", 4.0, 25.0, gamma=10.0, phi=38.0)]),
    ("elastic subgrade", US, inputs.ElasticSection(length=60.0, modulus=29.0e6, width=24.0, area=36.9, inertia=2549.0),
     [S("elastic_subgrade", 0.0, 70.0, gamma=60.0, k=100.0)]),
    ("user p-y", US, pipe(), [inputs.UserPyLayer(0.0, 70.0, gamma=60.0, top_curve=[(0.0, 0.0), (0.5, 500.0), (5.0, 900.0)],
                                                 bottom_curve=[(0.0, 0.0), (0.5, 1500.0), (5.0, 2500.0)])]),
]


@pytest.mark.parametrize("name, options, section, layers", CASES, ids=[c[0] for c in CASES])
def test_the_engine_accepts_what_the_writer_writes(name, options, section, layers):
    load = inputs.shear_moment(100.0 if options.units == "SI" else 20000.0, 0.0)
    pile = inputs.PileInput(title=name, options=options, sections=[section], layers=layers,
                            loads=[load, inputs.shear_slope(load.condition1, 0.0)])
    result = mervik.run(pile)
    assert result.result_code <= 0, result.messages
    assert sorted(result.nodes) == [1, 2]
    # a free head deflects more than a fixed one under the same shear
    assert result.summary.head_deflection[1] > result.summary.head_deflection[2] > 0.0


def test_an_elastic_pile_in_an_elastic_subgrade_meets_the_closed_form():
    # Long beam on a Winkler foundation under a head shear V: y0 = 2 V beta / kh and
    # Mmax = V / beta * exp(-pi/4) * sin(pi/4), beta = (kh / (4 EI))^(1/4), kh = k b.
    E, I, b, k, V = 29.0e6, 2000.0, 24.0, 100.0, 10000.0
    pile = inputs.PileInput(
        sections=[inputs.ElasticSection(length=100.0, modulus=E, width=b, area=40.0, inertia=I)],
        layers=[S("elastic_subgrade", 0.0, 110.0, gamma=60.0, k=k)],
        loads=[inputs.shear_moment(V, 0.0)], options=inputs.Options(increments=200))
    result = mervik.run(pile)
    kh = k * b
    beta = (kh / (4.0 * E * I)) ** 0.25                      # 0.010085 per inch
    assert result.summary.head_deflection[1] == pytest.approx(2.0 * V * beta / kh, rel=0.01)      # 0.0840 in
    assert result.summary.max_moment[1] == pytest.approx(V / beta * math.exp(-math.pi / 4) * math.sin(math.pi / 4),
                                                         rel=0.01)                              # 3.197E5 in-lb
    assert result.nodes[1].ei.iloc[0] == pytest.approx(E * I)


def test_lines_of_the_writer():
    assert [inputs.number(v) for v in (60, 0.5, 1.0e-5, 2.9e7, -3.25, 1.5e20)] == \
        ["60.0", "0.5", "1E-05", "29000000.0", "-3.25", "1.5E+20"]
    options = inputs.Options(units="SI", cyclic=True, cycles=100).lines(False)
    assert options[8] == "Loading CYCLIC   100" and options[8].index("CYCLIC") == 8
    assert options[10:12] == ["MaxDeflection 2.54", "Tolerance 2.54E-07"]
    layer = S("liquefied_sand", 0.0, 4.0, gamma=(9.0, 9.5)).lines()
    assert layer == ["7 0.0 4.0", "9.0", "9.5"]   # one value per line
    assert S("sand", 0.0, 9.0, gamma=60.0, phi=(30.0, 34.0)).lines()[1:] == ["60.0 30.0 0.0", "60.0 34.0 0.0"]
    assert inputs.deflection_slope(0.5, 0.0, axial=10.0, length_series=True).line(3) == "3 5 0.5 0.0 10.0 0"
    with pytest.raises(ValueError, match="its items are gamma, phi, k"):
        S("sand", 0.0, 9.0, gamma=60.0, c=500.0)
    with pytest.raises(ValueError, match="unknown p-y model"):
        S("clay", 0.0, 9.0)
