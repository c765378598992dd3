import re
import subprocess
import sys

from conftest import EXAMPLES


def test_parametric_length_finds_the_first_length_within_the_limit(tmp_path):
    figure = tmp_path / "sweep.png"
    out = subprocess.run([sys.executable, str(EXAMPLES / "parametric_length.py"), "--limit", "1.0",
                          "--figure", str(figure)], capture_output=True, text=True, check=True).stdout
    rows = [(float(m.group(1)), float(m.group(2))) for m in re.finditer(r"^\s+(\d+\.\d)\s+(\d+\.\d{4})\s", out, re.M)]
    shortest = float(re.search(r"at most 1 in: (\S+) ft", out).group(1))
    within = [length for length, y in rows if y <= 1.0]
    assert shortest == min(within)
    assert all(y > 1.0 for length, y in rows if length < shortest)
    assert figure.stat().st_size > 10000
