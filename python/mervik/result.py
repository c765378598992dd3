"""One analysis in a private temporary folder, and what it produced."""
import os
import shutil
import tempfile
from pathlib import Path

from . import _library
from ._library import TEXT
from .plotfile import parse_plot

END_OF_RUN = "The analysis ended"


class MervikError(RuntimeError):
    """A run that ended with an error (result code above 0)."""

    def __init__(self, result_code, end_of_run, messages, result=None):
        self.result_code = result_code
        self.end_of_run = end_of_run
        self.messages = messages
        self.result = result
        super().__init__(f"MGO returned {result_code}: {end_of_run}\n{error_block(messages)}".rstrip())


def error_block(messages):
    """The error text of a message file: from its first '****' heading to the end."""
    start = messages.find("****")
    return messages[start:].strip() if start >= 0 else messages.strip()


def end_of_run_text(messages):
    """The line(s) of the message file that tell how the run ended."""
    lines = [l.rstrip() for l in messages.splitlines() if l.startswith(END_OF_RUN)]
    return "\n".join(dict.fromkeys(lines))


class Result:
    """Result code, end-of-run text, the report and the tables of the plot records of one run."""

    def __init__(self, result_code, report, plot_text, messages, name="input"):
        self.result_code = result_code
        self.report = report
        self.plot_text = plot_text
        self.messages = messages
        self.name = name
        self.end_of_run = end_of_run_text(messages)
        self.records = parse_plot(plot_text)

    @property
    def failed(self):
        return self.result_code > 0

    # The plot-record tables, by name.
    nodes = property(lambda self: self.records.nodes, doc="node table per load case: {case: DataFrame}")
    summary = property(lambda self: self.records.summary, doc="one row per load case (record 13)")
    py_curves = property(lambda self: self.records.py_curves, doc="p-y curves at user depths")
    moment_curvature = property(lambda self: self.records.moment_curvature)
    stiffness = property(lambda self: self.records.stiffness, doc="pile-head stiffness matrix rows")
    length_series = property(lambda self: self.records.length_series,
                             doc="pile-head deflection versus pile length")

    def raise_for_error(self):
        if self.failed:
            raise MervikError(self.result_code, self.end_of_run, self.messages, self)
        return self

    def plot(self, cases=None, figure=None):
        """Deflection, bending moment, shear and soil reaction versus depth, one line per load case."""
        import matplotlib.pyplot as plt
        units = ("in", "in", "in-lb", "lb", "lb/in") if self.records.units == 1 else ("m", "m", "kN-m", "kN", "kN/m")
        figure = figure or plt.figure(figsize=(12, 5))
        axes = figure.subplots(1, 4, sharey=True)
        panels = [("deflection", "Deflection"), ("moment", "Bending moment"), ("shear", "Shear"),
                  ("soil_reaction", "Soil reaction")]
        for case, table in self.nodes.items():
            if cases is not None and case not in cases:
                continue
            for ax, (column, _) in zip(axes, panels):
                ax.plot(table[column], table["depth"], label=f"case {case}")
        for i, (ax, (_, title)) in enumerate(zip(axes, panels)):
            ax.set_xlabel(f"{title} ({units[i + 1]})")
            ax.axvline(0.0, color="0.7", linewidth=0.8)
            ax.grid(True, linewidth=0.3)
        axes[0].set_ylabel(f"Depth below pile head ({units[0]})")
        axes[0].invert_yaxis()
        axes[-1].legend(loc="lower right")
        figure.suptitle(self.name)
        return figure


def _input_text(source):
    """The text of an input given as a path, an input text or an object with a text() method."""
    if hasattr(source, "text") and callable(source.text):
        return source.text(), "input"
    if isinstance(source, os.PathLike):
        return Path(source).read_text(**TEXT), Path(source).stem
    if isinstance(source, str) and "\n" not in source and Path(source).is_file():
        return Path(source).read_text(**TEXT), Path(source).stem
    if isinstance(source, str) and "\n" not in source and Path(source).suffix:
        raise FileNotFoundError(f"no input file {source}")
    if isinstance(source, str):
        return source, "input"
    raise TypeError(f"an input is a path, an input text or an input writer, not {type(source).__name__}")


def run(source, check=True, keep=None, library=None, name=None):
    """Analyse one input (path, text or input writer) in a private temporary folder.

    check: raise MervikError when the run ends with an error (result code above 0).
    keep: a directory into which the input and the three files are copied after the run."""
    text, stem = _input_text(source)
    name = name or stem
    with tempfile.TemporaryDirectory(prefix="mervik-") as folder:
        folder = Path(folder)
        files = [folder / f"{name}.{ext}" for ext in ("lp6", "out", "plt", "msg")]
        files[0].write_text(text, **TEXT)
        code = _library.run_files(*files, library=library)
        report, plot, messages = (f.read_text(**TEXT) if f.exists() else "" for f in files[1:])
        if keep is not None:
            Path(keep).mkdir(parents=True, exist_ok=True)
            for f in files:
                if f.exists():
                    shutil.copy2(f, Path(keep) / f.name)
    result = Result(code, report, plot, messages, name)
    return result.raise_for_error() if check else result
