"""Reader of the engine's plot-record file (.plt) into pandas tables.

Every record is one line: numeric fields at fixed columns, then a comment that starts with the word
Line and the record number. Fields are read by position: I5 integers and ES15.7 reals (a
three-digit exponent is written without its E, as in "1.2345678-100"). The records come in a fixed
order, which ties them together: a record 3 opens the relations of the next pile section, a
record 4 the next axial thrust, a record 7 the next printed p-y curve; the records 10 of a load
case precede the record 11 that names the case, and the records 12 follow it.
"""
import math
import re
from dataclasses import dataclass, field

import pandas as pd

from ._library import TEXT

_RECORD = re.compile(r"Line ?(\d+)")
_BARE_EXPONENT = re.compile(r"^([+-]?(?:\d+\.?\d*|\.\d+))([+-]\d+)$")
_CASE_AT_END = re.compile(r"case\s+(\d+)\s*$")
_NODE = re.compile(r"Line 10\(\s*(\d+)\)")
_PY_MODEL = re.compile(r"p-y curve depth in (.*?), no\.")

NODE_COLUMNS = ["depth", "deflection", "moment", "shear", "soil_reaction", "ei"]
SUMMARY_COLUMNS = ["case", "head_shear", "head_deflection", "max_moment", "max_shear", "head_rotation"]
LENGTH_COLUMNS = ["case", "point", "pile_length", "head_deflection", "max_moment", "max_shear"]
STIFFNESS_COLUMNS = ["shear", "moment", "K22", "K23", "K32", "K33", "head_deflection", "head_rotation"]
MC_COLUMNS = ["section", "thrust", "axial_thrust", "moment_capacity", "point", "moment", "ei", "curvature"]
PY_COLUMNS = ["curve", "depth", "model", "point", "y", "p"]


def real(text):
    """An ES field; Not-a-Number when the field holds no number."""
    text = text.strip()
    if not text:
        return math.nan
    try:
        return float(text)
    except ValueError:
        pass
    bare = _BARE_EXPONENT.match(text)
    if bare:
        return float(f"{bare.group(1)}E{bare.group(2)}")
    return math.nan


def integer(text):
    text = text.strip()
    try:
        return int(text)
    except ValueError:
        return 0


def reals(line, count, start=0, width=15):
    return [real(line[start + i * width:start + (i + 1) * width]) for i in range(count)]


def integers(line, count, width=5):
    return [integer(line[i * width:(i + 1) * width]) for i in range(count)]


@dataclass
class PlotRecords:
    """The contents of one plot-record file. Values are in the computation units of the run."""
    analysis_type: int = 0
    units: int = 0
    kmatrix: bool = False
    sections: int = 0
    load_cases: int = 0
    nodes_per_case: int = 0
    moment_curvature: pd.DataFrame = field(default_factory=lambda: pd.DataFrame(columns=MC_COLUMNS))
    py_curves: pd.DataFrame = field(default_factory=lambda: pd.DataFrame(columns=PY_COLUMNS))
    nodes: dict = field(default_factory=dict)
    summary: pd.DataFrame = field(default_factory=lambda: pd.DataFrame(columns=SUMMARY_COLUMNS))
    length_series: pd.DataFrame = field(default_factory=lambda: pd.DataFrame(columns=LENGTH_COLUMNS))
    stiffness: pd.DataFrame = field(default_factory=lambda: pd.DataFrame(columns=STIFFNESS_COLUMNS))


def _node_table(rows):
    table = pd.DataFrame([r[1:] for r in rows], columns=NODE_COLUMNS,
                         index=pd.Index([r[0] for r in rows], name="node"))
    return table


def parse_plot(text):
    """The tables of a plot-record file given as text."""
    out = PlotRecords()
    mc, py, summary, length, stiffness = [], [], [], [], []
    section = thrust = thrust_points = 0
    axial = capacity = math.nan
    curve = curve_point = 0
    curve_depth, curve_model = math.nan, ""
    pending_nodes = []
    last_case = 0
    length_case = length_point = 0
    for line in text.splitlines():
        found = _RECORD.search(line)
        if not found:
            continue
        record = int(found.group(1))
        if record == 1:
            out.analysis_type, out.units, _, kmatrix = integers(line, 4)
            out.kmatrix = kmatrix == 1
        elif record == 2:
            out.sections = integers(line, 1)[0]
        elif record == 3:
            section += 1
            thrust = 0
        elif record == 4:
            thrust += 1
            thrust_points = 0
            axial, capacity = reals(line, 2, start=15)
        elif record == 5:
            thrust_points += 1
            mc.append([section, thrust, axial, capacity, thrust_points, *reals(line, 3)])
        elif record == 7:
            curve += 1
            curve_point = 0
            curve_depth = reals(line, 1)[0]
            model = _PY_MODEL.search(line)
            curve_model = model.group(1) if model else ""
        elif record == 8:
            curve_point += 1
            py.append([curve, curve_depth, curve_model, curve_point, *reals(line, 2)])
        elif record == 9:
            out.load_cases, out.nodes_per_case, _ = integers(line, 3)
        elif record == 10:
            node = _NODE.search(line)
            pending_nodes.append([int(node.group(1)) if node else len(pending_nodes) + 1, *reals(line, 6)])
        elif record == 11:
            named = _CASE_AT_END.search(line)
            last_case = int(named.group(1)) if named else last_case + 1
            _close_case(out, last_case, pending_nodes)
            pending_nodes = []
            length_case, length_point = last_case, 0
        elif record == 12:
            length_point += 1
            length.append([length_case, length_point, *reals(line, 4)])
        elif record == 13:
            summary.append([len(summary) + 1, *reals(line, 5)])
        elif record == 14:
            stiffness.append(reals(line, 8))
    if pending_nodes:  # a run that stopped within a load case
        _close_case(out, last_case + 1, pending_nodes)
    out.moment_curvature = pd.DataFrame(mc, columns=MC_COLUMNS)
    out.py_curves = pd.DataFrame(py, columns=PY_COLUMNS)
    out.summary = pd.DataFrame(summary, columns=SUMMARY_COLUMNS).set_index("case", drop=False)
    out.length_series = pd.DataFrame(length, columns=LENGTH_COLUMNS)
    out.stiffness = pd.DataFrame(stiffness, columns=STIFFNESS_COLUMNS)
    return out


def _close_case(out, case, rows):
    if not rows:
        return
    # The last run of nodes 1 to M before the record 11 of a case is that case's table.
    start = max(i for i, r in enumerate(rows) if r[0] == 1) if any(r[0] == 1 for r in rows) else 0
    out.nodes[case] = _node_table(rows[start:])


def read_plot(path):
    with open(path, **TEXT) as f:
        return parse_plot(f.read())
