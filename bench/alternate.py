#!/usr/bin/env python3
"""Runs shell commands in turn, round after round and in reverse order every other round, so that
a busy machine, and whatever one command leaves behind for the next, slow them alike, and
prints for each the median wall time and processor time (user + system, of the command and its
children) with their ranges, then the ratio of each command's medians to the last one's.

    alternate.py ROUNDS LABEL=COMMAND...

In a command, {round} stands for the round's number (1, 2, ...), e.g. for a new folder each round.
"""
import argparse
import resource
import statistics
import subprocess
import sys
import time


def run(command):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, shell=True, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("rounds", type=int)
    parser.add_argument("commands", nargs="+", help="LABEL=COMMAND")
    args = parser.parse_args()
    labelled = [c.split("=", 1) for c in args.commands]
    times = {label: ([], []) for label, _ in labelled}
    for round_number in range(1, args.rounds + 1):
        for label, command in labelled if round_number % 2 else reversed(labelled):
            wall, cpu = run(command.replace("{round}", str(round_number)))
            times[label][0].append(wall)
            times[label][1].append(cpu)
    medians = {}
    for label, (walls, cpus) in times.items():
        medians[label] = (statistics.median(walls), statistics.median(cpus))
        print("  %-14s wall %.3f s (%.3f-%.3f)   cpu %.3f s (%.3f-%.3f)" % (
            label, medians[label][0], min(walls), max(walls),
            medians[label][1], min(cpus), max(cpus)))
    reference = labelled[-1][0]
    for label, _ in labelled[:-1]:
        print("  %s / %s: wall %.2f, cpu %.2f (median of %d rounds)" % (
            label, reference, medians[label][0] / medians[reference][0],
            medians[label][1] / medians[reference][1], args.rounds))


if __name__ == "__main__":
    sys.exit(main())
