#!/usr/bin/env python3
"""Prints the load/save benchmarks as the tables BENCHMARKS.md keeps.

Reads Google Benchmark JSON (from the file named on the command line, or
stdin); benchmark names are BM_<Verb>/<kind>/<rules>[/...]. CPU time is used
throughout: the machines are shared, so wall time is noisy, and every ratio
compares figures from the same run.

  expat      BM_ExpatStream: expat streaming the file, empty handlers
  load       the first Load of the file in the benchmark process
  warm       the mean of the repeated Loads that follow it
  process    `secdb check` as a whole process against the expat process
             (child CPU time, median), both from a fresh process
  reversed   warm load of the reversed file against the warm load
  save       Save (CPU time; waiting for the disk is not counted) against
             the warm load
"""
import json
import sys

data = json.load(open(sys.argv[1]) if len(sys.argv) > 1 else sys.stdin)
kinds = {}
for b in data["benchmarks"]:
    parts = b["name"].split("/")
    if len(parts) < 3 or not parts[2].isdigit():
        continue
    kinds.setdefault(parts[1], {}).setdefault(int(parts[2]), {})[parts[0]] = b

NAN = float("nan")
SCALE = {"ms": 1e3, "us": 1, "ns": 1e-3, "s": 1e6}


def cpu_us(row, name, size):
    b = row.get(name)
    return b["cpu_time"] * SCALE[b["time_unit"]] / size if b else NAN


def counter_us(row, name, counter, size):
    b = row.get(name)
    return b[counter] * 1e6 / size if b and counter in b else NAN


columns = ["rules", "expat µs/rule", "load µs/rule", "load/expat", "warm load/expat",
           "process check/expat", "reversed/load", "save/load", "heap B/rule"]
for kind in kinds:
    rows = kinds[kind]
    print(f"\n{kind}")
    print("| " + " | ".join(columns) + " |")
    print("|" + "---:|" * len(columns))
    per_rule = {}
    for size in sorted(rows):
        r = rows[size]
        expat = cpu_us(r, "BM_ExpatStream", size)
        first = counter_us(r, "BM_Load", "first_load", size)
        warm = counter_us(r, "BM_Load", "warm_load", size)
        reversed_ = counter_us(r, "BM_LoadReversed", "warm_load", size)
        save = cpu_us(r, "BM_Save", size)
        check = counter_us(r, "BM_ProcessCheck", "child_cpu", size)
        expat_process = counter_us(r, "BM_ProcessExpat", "child_cpu", size)
        heap = r.get("BM_Load", {}).get("heap_bytes_per_rule", NAN)
        per_rule[size] = (warm, save)
        label = f"{size // 1000000}M" if size >= 1000000 else f"{size // 1000}k"
        print(f"| {label} | {expat:.2f} | {first:.2f} | {first / expat:.2f} | {warm / expat:.2f} | "
              f"{check / expat_process:.2f} | {reversed_ / warm:.2f} | {save / warm:.2f} | "
              f"{heap:.0f} |")
    sizes = sorted(per_rule)
    if len(sizes) > 1:
        (lw, ls), (hw, hs) = per_rule[sizes[0]], per_rule[sizes[-1]]
        print(f"per rule at {sizes[-1]} against {sizes[0]}: load {hw / lw:.2f}x, save {hs / ls:.2f}x; "
              f"process check {counter_us(rows[sizes[-1]], 'BM_ProcessCheck', 'child_cpu', sizes[-1]):.2f} "
              f"µs/rule, process expat "
              f"{counter_us(rows[sizes[-1]], 'BM_ProcessExpat', 'child_cpu', sizes[-1]):.2f} µs/rule")
