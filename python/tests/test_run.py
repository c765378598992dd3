import math
import re

import pandas as pd
import pytest

import mervik
from conftest import EXAMPLES, FIXTURES


def plot_rows(plot_text, record):
    """The numeric fields of every record of one number, split at blanks (a check independent of
    the reader, which reads by position)."""
    rows = []
    for line in plot_text.splitlines():
        found = re.search(r"Line ?(\d+)", line)
        if found and int(found.group(1)) == record:
            rows.append([float(re.sub(r"(\d)([+-]\d{3})$", r"\1E\2", t)) for t in line[:found.start()].split()])
    return rows


def agrees(printed, value):
    """A value of the plot file (8 significant digits) agrees with the report's printed form to
    the last digit of either."""
    mantissa = printed.upper().split("E")[0]
    exponent = int(printed.upper().split("E")[1]) if "E" in printed.upper() else 0
    decimals = len(mantissa.split(".")[1]) if "." in mantissa else 0
    plotted = 0.5 * 10.0 ** (math.floor(math.log10(abs(value))) - 7) if value else 0.0
    return abs(float(printed) - value) <= (0.5 * 10.0 ** (exponent - decimals) + plotted) * (1 + 1e-9)


def case_summaries(report):
    """Pile-head deflection, maximum moment and its depth of every 'Output Summary' block."""
    found = {}
    for block in re.split(r"Output Summary for Load Case No\. ", report)[1:]:
        case = int(block.split(":")[0])
        value = {key: re.search(rf"{key}\s+=\s+(\S+)", block).group(1)
                 for key in ("Pile-head deflection", "Maximum bending moment", "Depth of maximum bending moment")}
        found[case] = value
    return found


RUNS = ["pipe_pile_clay_over_sand.lp6", "drilled_shaft_sand_si.lp6", "pipe_pile_liquefied_sand_si.lp6",
        "pipe_pile_length_series.lp6", "drilled_shaft_weak_rock.lp6"]


@pytest.fixture(scope="module", params=RUNS)
def example(request):
    return mervik.run(EXAMPLES / request.param)


def test_node_tables_and_summary_equal_the_plot_records(example):
    assert example.result_code <= 0 and example.end_of_run.startswith("The analysis ended normally")
    nodes = pd.concat([example.nodes[c] for c in sorted(example.nodes)])
    assert nodes.values.tolist() == plot_rows(example.plot_text, 10)
    assert sorted(example.nodes) == list(range(1, example.records.load_cases + 1))
    assert all(len(t) == example.records.nodes_per_case for t in example.nodes.values())
    assert example.summary.drop(columns="case").values.tolist() == plot_rows(example.plot_text, 13)
    assert example.moment_curvature[["moment", "ei", "curvature"]].values.tolist() == plot_rows(example.plot_text, 5)
    # every relation and every printed curve has the number of points its head record announces
    announced = [int(r[0]) for r in plot_rows(example.plot_text, 4)]
    assert example.moment_curvature.groupby(["section", "thrust"]).size().tolist() == announced
    announced = [int(r[1]) for r in plot_rows(example.plot_text, 7)]
    assert example.py_curves.groupby("curve").size().tolist() == announced


def test_results_agree_with_the_report(example):
    printed = case_summaries(example.report)
    assert sorted(printed) == sorted(example.nodes)
    for case, values in printed.items():
        summary, nodes = example.summary.loc[case], example.nodes[case]
        assert agrees(values["Pile-head deflection"], summary.head_deflection)
        assert agrees(values["Maximum bending moment"], summary.max_moment)
        # the depth of the largest moment of the node table, in the depth unit of the report
        deepest = nodes.depth[nodes.moment.abs().idxmax()]
        assert agrees(values["Depth of maximum bending moment"], deepest)


def test_length_series_and_stiffness_matrix_tables(tmp_path):
    series = mervik.run(EXAMPLES / "pipe_pile_length_series.lp6")
    assert len(series.length_series) > 1
    assert series.length_series.drop(columns=["case", "point"]).values.tolist() == plot_rows(series.plot_text, 12)
    assert set(series.length_series.case) == {1}
    # the first trial length is the whole pile; the table of the report lists it
    first = series.length_series.iloc[0]
    assert first.pile_length == series.nodes[1].depth.iloc[-1]
    text = (EXAMPLES / "pipe_pile_soft_clay.lp6").read_text().replace("ComputeKmatrix NO", "ComputeKmatrix YES")
    matrix = mervik.run(text)
    assert matrix.records.kmatrix and len(matrix.stiffness) > 0
    assert matrix.stiffness.values.tolist() == plot_rows(matrix.plot_text, 14)
    # K22 = |V / ytop| (shear reaction over head deflection of the free-head case)
    row = matrix.stiffness.iloc[0]
    assert row.K22 == pytest.approx(abs(row.shear / row.head_deflection), rel=1e-6)


@pytest.mark.parametrize("source, code, text", [
    (FIXTURES / "bad_inputs" / "negative_pipe_modulus.lp6", 180, "steel modulus of elasticity of pile section 1"),
    ("MERVIK6\nTITLE\nshort\n", 190, "ended while the TITLE section was being read"),
    ("NOT AN INPUT\n", 117, "Input Data Error No. 17"),
])
def test_a_failed_run_raises_with_its_code_and_message(source, code, text):
    with pytest.raises(mervik.MervikError) as failure:
        mervik.run(source)
    assert failure.value.result_code == code
    assert f"input error No. {code - 100}" in failure.value.end_of_run
    assert text in str(failure.value) and text in failure.value.messages
    assert mervik.run(source, check=False).result_code == code


def test_warnings_return_a_result_and_missing_files_raise(tmp_path):
    lrfd = mervik.run(EXAMPLES / "drilled_shaft_lrfd.lp6", keep=tmp_path)
    assert lrfd.result_code == -400 and not lrfd.failed
    assert sorted(p.suffix for p in tmp_path.iterdir()) == [".lp6", ".msg", ".out", ".plt"]
    assert (tmp_path / "drilled_shaft_lrfd.out").read_text(encoding="utf-8") == lrfd.report
    with pytest.raises(FileNotFoundError):
        mervik.run(str(tmp_path / "missing.lp6"))


def test_plot_draws_every_case(example):
    figure = example.plot()
    axes = figure.axes
    assert len(axes) == 4
    assert len(axes[0].lines) - 1 == len(example.nodes)  # one line per case and the zero line
    depth = axes[0].lines[0].get_ydata()
    assert list(depth) == example.nodes[1].depth.tolist()


def test_the_title_reaches_the_report_byte_for_byte():
    text = (EXAMPLES / "pipe_pile_soft_clay.lp6").read_text()
    title = text.split("TITLE\n")[1].split("\n")[0]
    result = mervik.run(text.replace(title, "Stålrør φ 610", 1))
    assert any(line.strip() == "Stålrør φ 610" for line in result.report.splitlines())
