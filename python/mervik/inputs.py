"""Input data files from Python values, for the common cases: steel pipe, drilled shaft and elastic
sections, every soil and rock model, pile-head load cases, printed p-y curves.

    from mervik import inputs
    pile = inputs.PileInput(
        title="24 in pipe in soft clay",
        options=inputs.Options(units="USCS"),
        sections=[inputs.SteelPipe(length=60.0, diameter=24.0, wall=0.5,
                                   yield_stress=36000.0, modulus=29.0e6)],
        layers=[inputs.SoilLayer("soft_clay", 0.0, 70.0, gamma=50.0, c=(500.0, 800.0), eps50=0.01)],
        loads=[inputs.shear_moment(20000.0, 0.0, axial=100000.0)])
    mervik.run(pile)

Units are those of the input file (US customary: depths and lengths in ft, section dimensions in
in, stresses in psi, forces in lbs, moments in in-lb; SI: m, mm, kPa, kN, kN-m; the elastic
section block is never converted: in, in^2, in^4, psi or m, m^2, m^4, kPa). A soil property is
a number (the same at the top and the bottom of the layer) or a pair (top, bottom); a property
left out is 0, which for eps50 and k asks for the engine's default.
"""
from dataclasses import dataclass, field

from ._library import TEXT


def number(value):
    """A real as the input reader takes it: always with a decimal point or an exponent."""
    value = float(value)
    if value != value or value in (float("inf"), float("-inf")):
        raise ValueError(f"{value} is not a finite number")
    if value.is_integer() and abs(value) < 1e15:
        return f"{value:.1f}"
    return repr(value).upper()


def _lines(*values):
    return [number(v) if isinstance(v, float) else str(v) for v in values]


@dataclass
class Options:
    units: str = "USCS"             # USCS, SI or GENERAL
    cyclic: bool = False
    cycles: int = 0                 # 2 to 5000 for cyclic loading
    max_iterations: int = 100
    max_deflection: float = None    # default: 100 in (USCS) or 2.54 m
    tolerance: float = None         # default: 1E-5 in (USCS) or 2.54E-7 m
    increments: int = 100
    kmatrix: bool = False           # pile-head stiffness matrix
    ei_only: bool = False           # capacity and bending stiffness only
    summary_only: bool = False
    print_increment: int = 1

    def lines(self, print_py_curves):
        def yes(flag):
            return "YES" if flag else "NO"
        us = self.units == "USCS"
        deflection = self.max_deflection if self.max_deflection is not None else (100.0 if us else 2.54)
        tolerance = self.tolerance if self.tolerance is not None else (1.0e-5 if us else 2.54e-7)
        return ["OPTIONS", f"Units {self.units}", "UseLRFD NO", f"ComputeKmatrix {yes(self.kmatrix)}",
                "UseTipShear NO", "UseSoilMovement NO", "UsePYModifiers NO",
                f"ComputeEIOnly {yes(self.ei_only)}",
                # fixed columns: label 1-8, loading word 9-14, cycles 15-20
                f"Loading {'CYCLIC' if self.cyclic else 'STATIC'}{int(self.cycles):6d}",
                f"MaxIterations {int(self.max_iterations)}", f"MaxDeflection {number(deflection)}",
                f"Tolerance {number(tolerance)}", f"Increments {int(self.increments)}",
                f"PrintSummaryOnly {yes(self.summary_only)}", f"PrintIncrement {int(self.print_increment)}",
                f"PrintPYCurves {yes(print_py_curves)}", "ComputeInteraction NO"]


# Sections ------------------------------------------------------------------------------------

@dataclass
class SteelPipe:
    length: float
    diameter: float
    wall: float
    yield_stress: float
    modulus: float

    def lines(self):
        return _lines(4, float(self.length), float(self.diameter), float(self.wall),
                      float(self.yield_stress), float(self.modulus))


@dataclass
class RebarCircle:
    yield_stress: float
    modulus: float
    positions: int                  # bar positions on the circle
    bar_diameter: float
    bar_area: float                 # area of one bar
    cover: float
    bars_per_position: int = 1      # 1, 2 or 3 (bundles)
    offset: float = 0.0             # of the cage centre, y direction

    def lines(self):
        return ["Rebar Arrangement Not Same As Section Above", "Rebar in circle"] + _lines(
            float(self.yield_stress), float(self.modulus), int(self.positions), int(self.bars_per_position),
            float(self.bar_diameter), float(self.bar_area), float(self.cover), float(self.offset))


@dataclass
class DrilledShaft:
    length: float
    diameter: float
    concrete_strength: float
    aggregate: float
    bars: RebarCircle = None        # None: no reinforcement

    def lines(self):
        bars = self.bars.lines() if self.bars is not None else ["No rebar"]
        return _lines(1, float(self.length), float(self.diameter), float(self.concrete_strength),
                      float(self.aggregate)) + [
            "Use default concrete tensile strength", "Use internal stress-strain curve for concrete"] + bars


@dataclass
class ElasticSection:
    """Elastic circular section; bottom values default to the top ones."""
    length: float
    modulus: float
    width: float
    area: float
    inertia: float
    bottom_width: float = None
    bottom_area: float = None
    bottom_inertia: float = None

    def lines(self):
        def bottom(value, top):
            return float(top if value is None else value)
        return _lines(11, float(self.length), 2, float(self.modulus), float(self.width),
                      bottom(self.bottom_width, self.width), float(self.area),
                      bottom(self.bottom_area, self.area), float(self.inertia),
                      bottom(self.bottom_inertia, self.inertia))


# Soil ----------------------------------------------------------------------------------------

# p-y model: code and the items of its property line, in input order.
MODELS = {
    "soft_clay": (1, ("gamma", "c", "eps50")),
    "stiff_clay_free_water": (2, ("gamma", "c", "eps50", "k")),
    "stiff_clay_no_water": (3, ("gamma", "c", "eps50")),
    "stiff_clay_no_water_k": (4, ("gamma", "c", "eps50", "k")),
    "sand": (5, ("gamma", "phi", "k")),
    "api_sand": (6, ("gamma", "phi", "k")),
    "liquefied_sand": (7, ("gamma",)),
    "weak_rock": (8, ("gamma", "qu", "Eir", "RQD", "krm")),
    "vuggy_limestone": (9, ("gamma", "qu")),
    "piedmont": (10, ("gamma", "test", "N60", "qc", "Ed", "Ep")),
    "cemented_silt": (11, ("gamma", "c", "phi", "eps50", "k")),
    "loess": (12, ("gamma", "qc")),
    "elastic_subgrade": (13, ("gamma", "k")),
    "soft_clay_j": (15, ("gamma", "c", "eps50", "J")),
    "massive_rock": (16, ("gamma", "qu", "rock_type", "GSI", "fourth")),
    "frozen_soil": (17, ()),
}
_INTEGER_ITEMS = {"test", "rock_type"}


class SoilLayer:
    """One layer of a p-y model named in MODELS; each property a number or a (top, bottom) pair."""

    def __init__(self, model, top, bottom, **properties):
        if model not in MODELS:
            raise ValueError(f"unknown p-y model {model!r}; one of {', '.join(MODELS)}")
        self.model, self.top, self.bottom = model, top, bottom
        code, items = MODELS[model]
        unknown = set(properties) - set(items)
        if unknown:
            raise ValueError(f"{model} has no propert{'ies' if len(unknown) > 1 else 'y'} "
                             f"{', '.join(sorted(unknown))}; its items are {', '.join(items)}")
        self.properties = properties

    def value(self, item, end):
        value = self.properties.get(item, 0.0)
        if isinstance(value, (tuple, list)):
            value = value[end]
        return int(value) if item in _INTEGER_ITEMS else float(value)

    def lines(self):
        code, items = MODELS[self.model]
        head = f"{code} {number(self.top)} {number(self.bottom)}"
        if not items:
            return [head]
        if code == 7:  # one value per line
            return [head, number(self.value("gamma", 0)), number(self.value("gamma", 1))]
        return [head] + [" ".join(_lines(*(self.value(i, end) for i in items))) for end in (0, 1)]


@dataclass
class UserPyLayer:
    """User-input p-y curves at the top and the bottom of a layer: lists of (y, p)."""
    top: float
    bottom: float
    gamma: float
    top_curve: list
    bottom_curve: list = None

    def lines(self):
        lines = [f"14 {number(self.top)} {number(self.bottom)}"]
        for curve in (self.top_curve, self.bottom_curve or self.top_curve):
            lines.append(f"{number(self.gamma)} {len(curve)}")
            lines += [f"{number(y)} {number(p)}" for y, p in curve]
        return lines


# Loads ---------------------------------------------------------------------------------------

@dataclass
class LoadCase:
    type: int                       # 1 V,M  2 V,slope  3 V,rotational stiffness  4 y,M  5 y,slope
    condition1: float
    condition2: float
    axial: float = 0.0
    length_series: bool = False     # pile-head deflection versus pile length

    def line(self, number_):
        return " ".join([str(number_), str(int(self.type)), number(self.condition1), number(self.condition2),
                         number(self.axial), "0" if self.length_series else "1"])


def shear_moment(shear, moment, axial=0.0, length_series=False):
    return LoadCase(1, shear, moment, axial, length_series)


def shear_slope(shear, slope, axial=0.0, length_series=False):
    return LoadCase(2, shear, slope, axial, length_series)


def shear_rotational_stiffness(shear, stiffness, axial=0.0, length_series=False):
    return LoadCase(3, shear, stiffness, axial, length_series)


def deflection_moment(deflection, moment, axial=0.0, length_series=False):
    return LoadCase(4, deflection, moment, axial, length_series)


def deflection_slope(deflection, slope, axial=0.0, length_series=False):
    return LoadCase(5, deflection, slope, axial, length_series)


# The whole input -----------------------------------------------------------------------------

@dataclass
class PileInput:
    sections: list
    layers: list
    loads: list
    options: Options = field(default_factory=Options)
    title: str = ""
    distributed: list = field(default_factory=list)    # (depth, intensity) points
    py_depths: list = field(default_factory=list)      # depths of printed p-y curves

    def text(self):
        title = (self.title.splitlines() + [""] * 5)[:5]
        lines = ["MERVIK6", "TITLE", *title, *self.options.lines(bool(self.py_depths))]
        lines += ["SECTIONS", str(len(self.sections))]
        for i, section in enumerate(self.sections, start=1):
            lines += [str(i), *section.lines()]
        lines += ["SOIL LAYERS", str(len(self.layers))]
        for layer in self.layers:
            lines += layer.lines()
        lines += ["LOADING", str(len(self.loads))]
        lines += [load.line(i) for i, load in enumerate(self.loads, start=1)]
        lines.append(str(len(self.distributed)))
        lines += [f"{i} {number(x)} {number(w)}" for i, (x, w) in enumerate(self.distributed, start=1)]
        if self.py_depths:
            lines += ["DEPTHS OF PRINTED P-Y CURVES", str(len(self.py_depths))]
            lines += [f"{i} {number(x)}" for i, x in enumerate(self.py_depths, start=1)]
        lines.append("END")
        return "\n".join(lines) + "\n"

    def write(self, path):
        with open(path, "w", **TEXT) as f:
            f.write(self.text())
        return path
