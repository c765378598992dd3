import pytest

import mervik
from mervik import inputs
from conftest import EXAMPLES


def study():
    """A sweep of pile lengths, three examples and one malformed input."""
    piles = [inputs.PileInput(
        sections=[inputs.SteelPipe(length=L, diameter=24.0, wall=0.5, yield_stress=36000.0, modulus=29.0e6)],
        layers=[inputs.SoilLayer("soft_clay", 0.0, 80.0, gamma=50.0, c=(500.0, 900.0), eps50=0.01)],
        loads=[inputs.shear_moment(20000.0, 0.0)]) for L in (20.0, 30.0, 40.0, 50.0)]
    examples = [EXAMPLES / n for n in ("pipe_pile_clay_over_sand.lp6", "drilled_shaft_lrfd.lp6",
                                       "pipe_pile_liquefied_sand_si.lp6")]
    return piles[:2] + examples + ["MERVIK6\nTITLE\nbroken\n"] + piles[2:]


def same(a, b):
    return [(r.name, r.result_code, r.end_of_run, r.plot_text) for r in a] == \
           [(r.name, r.result_code, r.end_of_run, r.plot_text) for r in b]


@pytest.fixture(scope="module")
def serial():
    return [mervik.run(source, check=False) for source in study()]


@pytest.fixture(scope="module")
def pooled():
    return mervik.run_many(study(), workers=3)


def test_thread_pool_equals_serial_runs_and_a_failure_stays_alone(serial, pooled):
    assert same(pooled, serial)
    assert [r.result_code for r in pooled] == [0, 0, 0, -400, 0, 190, 0, 0]
    # the sweep itself: a longer pile deflects less at its head
    sweep = [r.summary.head_deflection[1] for i, r in enumerate(pooled) if i in (0, 1, 6, 7)]
    assert sweep == sorted(sweep, reverse=True)
    with pytest.raises(mervik.MervikError) as failure:
        mervik.run_many(study(), workers=2, check=True)
    assert failure.value.result_code == 190


def test_dask_workers_equal_the_thread_pool(pooled):
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, processes=True, threads_per_worker=1,
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        remote = mervik.run_many(study(), client=client)
        # the cluster runs two worker processes
        assert len(client.run(lambda: 0)) == 2
    assert same(remote, pooled)
