#!/usr/bin/env python3
"""Prints the benchmark figures of Google Benchmark JSON files against their targets."""
import json
import re
import sys

runs = {}
for path in sys.argv[1:]:
    with open(path) as f:
        for b in json.load(f)["benchmarks"]:
            if b.get("aggregate_name", "median") == "median":
                runs[re.sub(r"_median$", "", b["name"])] = b


def find(pattern):
    for name, b in runs.items():
        if re.search(pattern, name):
            return b
    return None


def ms(b):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b["real_time"] * scale


rows = []
comma = find(r"BM_ReadConvertComma")
semi = find(r"BM_ReadConvertSemicolon")
if comma:
    mbs = comma["bytes_per_second"] / 1e6
    rows.append(("reading and converting a wave file (comma)", f"{mbs:.0f} MB/s", ">= 300 MB/s", mbs >= 300))
if comma and semi:
    ratio = semi["bytes_per_second"] / comma["bytes_per_second"]
    rows.append(("semicolon variant against comma", f"{ratio * 100:.0f} %", ">= 90 %", ratio >= 0.9))
b = find(r"BM_OpenMillionLineFile")
if b:
    rows.append(("opening a 1,000,000-line file, first replot", f"{ms(b):.0f} ms", "<= 200 ms", ms(b) <= 200))
b = find(r"BM_ScanFolder")
if b:
    fps = b["items_per_second"]
    rows.append(("folder scan of 10,000 wave files", f"{fps:,.0f} files/s", ">= 50,000 files/s", fps >= 50000))
b = find(r"BM_Replot33Series")
if b:
    rows.append(("replot with 33 series of 100,000 points", f"{ms(b):.1f} ms", "<= 16 ms", ms(b) <= 16))
b = find(r"BM_ReadoutHintThreeTraces")
if b:
    us = ms(b) * 1000
    rows.append(("read-out lookup, three traces, one mouse position", f"{us:.2f} us", "<= 10 us", us <= 10))
b = find(r"BM_OverlayBuildTenFiles")
if b:
    rows.append(("overlay build of ten files of 100,000 lines", f"{ms(b):.0f} ms", "<= 1000 ms", ms(b) <= 1000))
b = find(r"BM_MetricsProcess")
if b:
    rows.append(("varmonix --metrics, 10,000 welds of 6,000 lines", f"{ms(b) / 1000:.2f} s", "< 4 s", ms(b) < 4000))
for name, what in ((r"BM_RenderPngProcess", "PNG"), (r"BM_RenderPdfProcess", "PDF")):
    b = find(name)
    if b:
        rows.append((f"varmonix --render of a 1,000,000-line file ({what})", f"{ms(b) / 1000:.2f} s", "< 4 s", ms(b) < 4000))
b = find(r"BM_OverviewModelFill10000")
if b:
    rows.append(("overview model fill, 10,000 rows (sorted, with view)", f"{ms(b):.1f} ms", "<= 100 ms", ms(b) <= 100))
b = find(r"BM_OverviewFill10000Welds")
if b:
    rows.append(("folder overview of 10,000 welds of 6,000 lines", f"{ms(b) / 1000:.2f} s", "<= 5 s", ms(b) <= 5000))

width = max(len(r[0]) for r in rows) if rows else 10
print(f"| {'figure':<{width}} | {'measured':>18} | {'target':>18} |    |")
print(f"|{'-' * (width + 2)}|{'-' * 20}|{'-' * 20}|----|")
for name, got, target, ok in rows:
    print(f"| {name:<{width}} | {got:>18} | {target:>18} | {'ok' if ok else 'NO'} |")
