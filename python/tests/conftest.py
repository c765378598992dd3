import os
import sys
from pathlib import Path

os.environ.setdefault("MPLBACKEND", "Agg")
PYTHON = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(PYTHON))
# Worker processes (Dask) find the package through the environment as well.
os.environ["PYTHONPATH"] = os.pathsep.join(filter(None, [str(PYTHON), os.environ.get("PYTHONPATH")]))

REPOSITORY = PYTHON.parent
EXAMPLES = REPOSITORY / "examples"
FIXTURES = REPOSITORY / "tests" / "fixtures"
