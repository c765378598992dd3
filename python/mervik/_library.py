"""Loading of libmervik.so and one analysis on four named files through mervik_run_files."""
import ctypes
import functools
import os
from pathlib import Path

REPOSITORY = Path(__file__).resolve().parents[2]
# The engine reads and writes bytes; UTF-8 with escapes for other bytes keeps every file as it is.
TEXT = {"encoding": "utf-8", "errors": "surrogateescape"}


def library_path():
    """MERVIK_LIBRARY when set, else build/libmervik.so of the repository holding this package."""
    named = os.environ.get("MERVIK_LIBRARY")
    if named:
        return Path(named)
    return REPOSITORY / "build" / "libmervik.so"


@functools.lru_cache(maxsize=None)
def _load(path):
    # CDLL, not PyDLL: the interpreter lock is released for the length of every call, so runs in
    # a thread pool proceed in parallel.
    library = ctypes.CDLL(path)
    entry = library.mervik_run_files
    entry.argtypes = [ctypes.c_char_p] * 4
    entry.restype = ctypes.c_int32
    return library


def load_library(path=None):
    """The engine library; loaded once per process and path."""
    path = Path(path) if path is not None else library_path()
    if not path.is_file():
        raise FileNotFoundError(
            f"the engine library {path} does not exist: build it (cmake --build build --target mervik) "
            "or set MERVIK_LIBRARY to its path")
    return _load(str(path.resolve()))


def run_files(input_path, report_path, plot_path, messages_path, library=None):
    """One analysis on four named files; the engine's result code."""
    entry = load_library(library).mervik_run_files
    return int(entry(*(os.fsencode(str(p)) for p in (input_path, report_path, plot_path, messages_path))))
