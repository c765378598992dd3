"""Many analyses at once: a thread pool in this process, or the workers of a Dask cluster."""
from concurrent.futures import ThreadPoolExecutor
import os

from .result import _input_text, run


def _run_named(text, name, library):
    return run(text, check=False, library=library, name=name)


def run_many(inputs, workers=None, client=None, library=None, check=False):
    """Analyse every input (paths, texts or input writers); the results in input order.

    workers: threads of the pool (default: the number of cores). Each run has its own files and
    run state and the engine call releases the interpreter lock, so the runs proceed in parallel.
    client: a dask.distributed Client; the runs are then submitted to its workers, each of which
    loads the engine library itself (MERVIK_LIBRARY, else the build of this repository). The input
    texts travel with the tasks, so the workers need no access to the input files.
    check: raise the MervikError of the first failed run (in input order) after all have run;
    otherwise a failed run is a Result with failed True."""
    named = [_input_text(source) for source in inputs]
    texts = [text for text, _ in named]
    names = [stem for _, stem in named]
    if client is not None:
        futures = client.map(_run_named, texts, names, [library] * len(texts), pure=False)
        results = client.gather(futures)
    else:
        with ThreadPoolExecutor(max_workers=workers or os.cpu_count() or 1) as pool:
            results = list(pool.map(_run_named, texts, names, [library] * len(texts)))
    if check:
        for result in results:
            result.raise_for_error()
    return results
