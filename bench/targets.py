#!/usr/bin/env python3
"""Sets the figures of the benchmark against each other and against the game's targets,
which Google Benchmark cannot do: it reports each figure on its own.

    bench/targets.py FILE...     (what skarvel_bench wrote with --benchmark_out=FILE)

For each file: the screen it ran on, then each frame of play as a multiple of the floor
(background and flip) and its milliseconds above it, and whether the target was met, on the
medians when the file holds repetitions. A figure whose wall time is well above the time the
game thread ran says the machine was busy. Exits 1 when a figure failed or the file holds
none of them; a missed target is only printed.
"""
import json
import sys

# Targets the game is held to on the project's two-core machines.
TYPICAL_TARGET_RATIO = 1.5
CROWD_TARGET_MS = 1.0
START_TARGET_MS = 150.0

# Wall time this far above the thread's own time means other work took the cores.
BUSY_RATIO = 1.15

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def figures(runs):
    """Each figure by name: the median of its repetitions, or its one run."""
    found = {}
    for run in runs:
        name = run["run_name"].split("/")[0]
        is_median = run.get("run_type") == "aggregate" and run.get("aggregate_name") == "median"
        if run.get("run_type") == "aggregate" and not is_median:
            continue
        if run.get("error_occurred"):
            found[name] = {"failed": run.get("error_message", "")}
            continue
        if name in found and found[name].get("median") and not is_median:
            continue
        scale = TO_MS[run["time_unit"]]
        found[name] = {
            "median": is_median,
            "wall_ms": run["real_time"] * scale,
            "cpu_ms": run.get("cpu_ms", run["cpu_time"] * scale),
        }
    return found


def report(path):
    with open(path, encoding="utf-8") as file:
        data = json.load(file)
    context = data["context"]
    found = figures(data["benchmarks"])
    print(f"{path}: {context.get('video', '')}, {context.get('screen', '')}")
    failed = not found
    for name, figure in found.items():
        if "failed" in figure:
            print(f"  {name:8} failed: {figure['failed']}")
            failed = True
    floor = found.get("floor")
    if floor and "failed" in floor:
        floor = None
    for name in ("typical", "crowd"):
        figure = found.get(name)
        if not figure or "failed" in figure:
            continue
        if floor:
            ratio = figure["wall_ms"] / floor["wall_ms"]
            above = figure["wall_ms"] - floor["wall_ms"]
            against = f"{ratio:5.2f} x floor, {above:+.3f} ms"
        else:
            ratio = None
            against = "no floor"
        if name == "typical":
            target = f"<= {TYPICAL_TARGET_RATIO} x floor"
            met = ratio is not None and ratio <= TYPICAL_TARGET_RATIO
        else:
            target = f"<= {CROWD_TARGET_MS} ms"
            met = figure["wall_ms"] <= CROWD_TARGET_MS
        print(f"  {name:8} {figure['wall_ms']:9.3f} ms  {against:24}  {target}: {'met' if met else 'MISSED'}")
    startup = found.get("startup")
    if startup and "failed" not in startup:
        met = startup["wall_ms"] <= START_TARGET_MS
        print(f"  {'startup':8} {startup['wall_ms']:9.3f} ms  {'':24}  <= {START_TARGET_MS:.0f} ms: "
              f"{'met' if met else 'MISSED'}")
    for name, figure in found.items():
        if "failed" not in figure and figure["wall_ms"] > BUSY_RATIO * figure["cpu_ms"]:
            print(f"  The machine was busy: the {name} figure's wall time is "
                  f"{(figure['wall_ms'] / figure['cpu_ms'] - 1) * 100:.0f}% above the time the game thread ran;\n"
                  "  the CPU column is what the frames themselves cost. Run again on a quiet machine.")
            break
    return failed


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    failed = False
    for path in sys.argv[1:]:
        failed = report(path) or failed
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
