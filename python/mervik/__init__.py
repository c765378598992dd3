"""Mervik from Python: single piles under lateral load by the p-y method.

    import mervik
    result = mervik.run("examples/pipe_pile_soft_clay.lp6")
    result.summary            # one row per load case
    result.nodes[1]           # deflection, moment, shear, soil reaction, EI per node of case 1
    result.plot()             # the profiles with matplotlib

The engine is the shared library libmervik.so, called through ctypes (MERVIK_LIBRARY, else the
build/ directory of this repository)."""
from ._library import library_path, load_library, run_files
from .plotfile import PlotRecords, parse_plot, read_plot
from .result import MervikError, Result, run
from .many import run_many
from . import inputs

__all__ = ["run", "run_many", "Result", "MervikError", "PlotRecords", "parse_plot", "read_plot",
           "library_path", "load_library", "run_files", "inputs"]
