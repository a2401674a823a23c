#!/usr/bin/env python3
"""Prints the load/save benchmark as the table BENCHMARKS.md keeps.

Reads Google Benchmark JSON (from the file named on the command line, or
stdin). CPU time is used throughout: the machines are shared, so wall time
is noisy, and every ratio compares figures from the same run.
"""
import json
import sys

data = json.load(open(sys.argv[1]) if len(sys.argv) > 1 else sys.stdin)
rows = {}
for b in data["benchmarks"]:
    name, _, size = b["name"].partition("/")
    rows.setdefault(int(size.split("/")[0]), {})[name] = b

print(f"{'rules':>8} {'expat us/rule':>13} {'load us/rule':>12} {'load/expat':>10} "
      f"{'reversed/load':>13} {'load MB/s':>9} {'save MB/s':>9} {'save/load':>9} {'heap B/rule':>11}")
for size in sorted(rows):
    r = rows[size]
    def per_rule(name):
        return r[name]["cpu_time"] * {"ms": 1e3, "us": 1, "ns": 1e-3}[r[name]["time_unit"]] / size \
            if name in r else float("nan")
    def mbs(name):
        return r[name]["bytes_per_second"] / 1e6 if name in r else float("nan")
    expat, load = per_rule("BM_ExpatStream"), per_rule("BM_Load")
    print(f"{size:>8} {expat:>13.2f} {load:>12.2f} {load / expat:>10.2f} "
          f"{per_rule('BM_LoadReversed') / load:>13.2f} {mbs('BM_Load'):>9.0f} {mbs('BM_Save'):>9.0f} "
          f"{per_rule('BM_Save') / load:>9.2f} "
          f"{r.get('BM_Load', {}).get('heap_bytes_per_rule', float('nan')):>11.0f}")
