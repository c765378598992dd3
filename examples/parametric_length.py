#!/usr/bin/env python3
"""Shortest embedment of a steel pipe pile whose pile-head deflection stays below a limit.

A 24 in pipe (0.5 in wall) in soft clay over sand carries a head shear of 30 kips with a free
head. Pile lengths from 10 ft to 60 ft are analysed in parallel; the shortest length whose head
deflection is at most the limit is reported, and a figure shows head deflection and maximum
moment against length.

    /usr/bin/python3 examples/parametric_length.py [--limit INCHES] [--figure FILE]
"""
import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "python"))

import mervik  # noqa: E402
from mervik import inputs  # noqa: E402


def pile(length):
    return inputs.PileInput(
        title=f"24 in pipe, {length:g} ft, in soft clay over sand",
        sections=[inputs.SteelPipe(length=length, diameter=24.0, wall=0.5, yield_stress=36000.0, modulus=29.0e6)],
        layers=[inputs.SoilLayer("soft_clay", 0.0, 12.0, gamma=50.0, c=(400.0, 700.0), eps50=0.01),
                inputs.SoilLayer("sand", 12.0, 80.0, gamma=60.0, phi=34.0, k=60.0)],
        loads=[inputs.shear_moment(30000.0, 0.0)])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--limit", type=float, default=1.0, help="allowable head deflection, in (default 1.0)")
    parser.add_argument("--figure", default="parametric_length.png", help="figure file (default parametric_length.png)")
    args = parser.parse_args()

    lengths = [10.0 + 2.0 * i for i in range(26)]
    results = mervik.run_many([pile(L) for L in lengths])
    rows = []
    for length, result in zip(lengths, results):
        deflection = result.summary.head_deflection[1] if not result.failed else float("inf")
        moment = result.summary.max_moment[1] if not result.failed else float("nan")
        rows.append((length, deflection, moment, result.result_code, result.end_of_run))
    print(f"{'length ft':>10} {'head y in':>10} {'max M in-lb':>12} {'result':>7}")
    for length, deflection, moment, code, end in rows:
        if code > 0:
            print(f"{length:10.1f} {'':>10} {'':>12} {code:7d}  {end}")
        else:
            print(f"{length:10.1f} {deflection:10.4f} {moment:12.0f} {code:7d}")
    passing = [r for r in rows if r[3] <= 0 and r[1] <= args.limit]
    shortest = passing[0][0] if passing else None
    if shortest is None:
        print(f"No length up to {lengths[-1]:g} ft keeps the head deflection within {args.limit:g} in.")
    else:
        print(f"Shortest length with a head deflection of at most {args.limit:g} in: {shortest:g} ft")

    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    ok = [r for r in rows if r[3] <= 0]
    figure, (left, right) = plt.subplots(1, 2, figsize=(10, 4))
    left.plot([r[0] for r in ok], [r[1] for r in ok], "o-")
    left.axhline(args.limit, color="tab:red", linestyle="--", label=f"limit {args.limit:g} in")
    if shortest is not None:
        left.axvline(shortest, color="tab:green", linestyle=":", label=f"shortest {shortest:g} ft")
    left.set_xlabel("Pile length (ft)")
    left.set_ylabel("Pile-head deflection (in)")
    left.set_yscale("log")
    left.legend()
    right.plot([r[0] for r in ok], [abs(r[2]) / 1.0e6 for r in ok], "o-", color="tab:orange")
    right.set_xlabel("Pile length (ft)")
    right.set_ylabel("Maximum bending moment (10^6 in-lb)")
    for ax in (left, right):
        ax.grid(True, linewidth=0.3)
    figure.suptitle("24 in pipe pile, head shear 30 kips: embedment sweep")
    figure.tight_layout()
    figure.savefig(args.figure, dpi=100)
    print(f"Figure: {args.figure}")
    return 0 if shortest is not None else 1


if __name__ == "__main__":
    sys.exit(main())
