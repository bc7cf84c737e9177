#!/usr/bin/env python3
"""Mutation check of the unit suite: scripts/mutate [N] [SEED] [--list].

Samples N single mutations (tools/mutate/sites.py) from the product sources
of saver/, framework/, platform/ini and platform/soft, deterministically for
a seed: lines are shuffled by the seed and one mutation is taken from each,
so the first N of a larger run are the same. Each is applied to a copy of
the tree (build/mutate/src, built incrementally in build/mutate/build), the
unit test binary is rebuilt and run with a time-out, and the copy is put
back. The real sources are never written. Prints killed / survived / did not
build per mutant, the survivors, the totals and the score.
"""
import argparse
import fcntl
import os
import random
import signal
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import sites  # noqa: E402
import tree  # noqa: E402

ROOTS = ("saver", "framework", "platform/ini", "platform/soft")
SUFFIXES = (".cpp", ".h")


def product_files(src):
    files = []
    for root in ROOTS:
        files += [p for p in sorted((src / root).iterdir()) if p.suffix in SUFFIXES and p.is_file()]
    return files


def all_sites(src):
    found = []
    for path in product_files(src):
        rel = path.relative_to(src).as_posix()
        found += sites.file_sites(rel, path.read_bytes().decode("utf-8"))
    return found


def sample(found, count, seed):
    """Lines in an order fixed by the seed, one mutation from each line per
    round, so that tables of numbers weigh as lines, not as numbers."""
    rng = random.Random(seed)
    by_line = {}
    for m in found:
        by_line.setdefault((m.path, m.line), []).append(m)
    lines = sorted(by_line)
    rng.shuffle(lines)
    for key in lines:
        rng.shuffle(by_line[key])
    chosen, round_ = [], 0
    while len(chosen) < count and any(len(by_line[k]) > round_ for k in lines):
        chosen += [by_line[k][round_] for k in lines if len(by_line[k]) > round_]
        round_ += 1
    return chosen[:count]


class Interrupted(Exception):
    pass


def on_signal(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


def trial(work, mutation, timeout):
    """Applies one mutation to the copy, builds, runs, restores: the outcome."""
    path = work.src / mutation.path
    original = path.read_bytes()
    try:
        path.write_bytes(mutation.apply(original.decode("utf-8")).encode("utf-8"))
        if not work.build():
            return "did not build"
        return "survived" if work.run_tests(timeout) else "killed"
    finally:
        held = tree.blocked_signals()
        path.write_bytes(original)
        signal.pthread_sigmask(signal.SIG_SETMASK, held)


def report(results, elapsed):
    counts = {k: sum(1 for _, r in results if r == k) for k in ("killed", "survived", "did not build")}
    survivors = [m for m, r in results if r == "survived"]
    if survivors:
        print("\nsurvivors:")
        for m in survivors:
            print(f"  {m.path}:{m.line}  {m.describe()}")
    judged = counts["killed"] + counts["survived"]
    score = 100.0 * counts["killed"] / judged if judged else 0.0
    per = elapsed / len(results) if results else 0.0
    print(f"\nkilled {counts['killed']}, survived {counts['survived']}, did not build {counts['did not build']}; "
          f"score {score:.1f}% (killed / (killed + survived)); {per:.1f} s per mutant, {elapsed:.0f} s in all")


def parse_args(argv):
    parser = argparse.ArgumentParser(prog="scripts/mutate", description=__doc__.split("\n\n")[0])
    parser.add_argument("count", nargs="?", type=int, default=50, help="mutants to try (default 50)")
    parser.add_argument("seed", nargs="?", type=int, default=1, help="sampling seed (default 1)")
    parser.add_argument("--list", action="store_true", help="print the sampled mutants and stop")
    return parser.parse_args(argv)


def main(argv):
    args = parse_args(argv)
    root = Path(__file__).resolve().parents[2]
    work = tree.WorkTree(root, root / "build" / "mutate")
    work.dir.mkdir(parents=True, exist_ok=True)
    with open(work.dir / "lock", "w") as lock:
        try:
            fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except OSError:
            print(f"another mutation run holds {work.dir}", file=sys.stderr)
            return 2
        work.sync()
        found = all_sites(work.src)
        chosen = sorted(sample(found, args.count, args.seed), key=lambda m: (m.path, m.start, m.kind))
        print(f"mutate: {len(chosen)} mutants from {len(found)} sites on "
              f"{len({(m.path, m.line) for m in found})} lines (seed {args.seed})", flush=True)
        if args.list:
            for m in chosen:
                print(f"  {m.path}:{m.line}  {m.describe()}")
            return 0
        return run(work, chosen)


def run(work, chosen):
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, on_signal)
    baseline = work.baseline()
    if baseline is None:
        return 1
    timeout = max(30.0, 5 * baseline)
    print(f"unit suite passes on the unmutated copy in {baseline:.1f} s; time-out {timeout:.0f} s", flush=True)
    results, start = [], time.monotonic()
    try:
        for i, m in enumerate(chosen, 1):
            t0 = time.monotonic()
            outcome = trial(work, m, timeout)
            results.append((m, outcome))
            print(f"[{i:{len(str(len(chosen)))}}/{len(chosen)}] {outcome:13} {m.path}:{m.line}  "
                  f"{m.describe()}  ({time.monotonic() - t0:.1f} s)", flush=True)
    except Interrupted as e:
        print(f"\ninterrupted ({e}) after {len(results)} mutants; the copy is restored", flush=True)
    report(results, time.monotonic() - start)
    return 0 if results else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
