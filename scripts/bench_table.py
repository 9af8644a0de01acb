#!/usr/bin/env python3
"""Prints the benchmark figures against their targets.

Takes Google Benchmark JSON files (medians of repetitions), the whole-process
timings of bench_process.py and the recorded-output check of bench_golden.py.
Wall-clock figures on a shared machine depend on what else runs: the load
average is printed with them, and CPU time beside wall time where there is one.
"""
import json
import re
import sys

runs = {}
processes = {}
golden = None
load = []
pandas_missing = False
for path in sys.argv[1:]:
    with open(path) as f:
        data = json.load(f)
    if "benchmarks" in data:
        for b in data["benchmarks"]:
            if b.get("aggregate_name", "median") == "median":
                runs[re.sub(r"_median$", "", b["name"])] = b
    if "processes" in data:
        processes.update(data["processes"])
        load += [data["load_before"][0], data["load_after"][0]]
        pandas_missing = data.get("pandas_missing", False)
    if "golden" in data:
        golden = data["golden"]
    load += data.get("load_at", [])


def find(pattern):
    for name, b in runs.items():
        if re.search(pattern, name):
            return b
    return None


def ms(b, key="real_time"):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b[key] * scale


rows = []


def row(name, got, target, ok):
    rows.append((name, got, target, "ok" if ok else "NO"))


def note(name, got, target="", status="--"):
    rows.append((name, got, target, status))


b = find(r"BM_ConvertBlockComma")
if b:
    gbs = b["bytes_per_second"] / 1e9
    row("conversion of plain decimal lines in memory, 1 thread", f"{gbs:.2f} GB/s", ">= 1 GB/s",
        gbs >= 1)
comma, semi = find(r"BM_StreamComma"), find(r"BM_StreamSemicolon")
if comma:
    gbs = comma["bytes_per_second"] / 1e9
    row("streamed read of the 1,000,000-line file (comma)", f"{gbs:.2f} GB/s", ">= 1 GB/s",
        gbs >= 1)
if comma and semi:
    ratio = semi["bytes_per_second"] / comma["bytes_per_second"]
    row("semicolon variant against comma", f"{ratio * 100:.0f} %", ">= 90 %", ratio >= 0.9)

for key, label in [("dump_summary_million", "varmonix --dump --summary, 1,000,000 lines"),
                   ("metrics_million", "varmonix --metrics, 1,000,000 lines")]:
    p = processes.get(key)
    if p:
        cpu = p["user_ms"] + p["sys_ms"]
        row(label + " (process)", f"{p['wall_ms']:.0f} ms (cpu {cpu:.0f})", "<= 60 ms",
            p["ok"] and p["wall_ms"] <= 60)
        note("  its peak resident memory", f"{p['max_rss_mb']:.0f} MB")

for pattern, label in [(r"BM_OpenMillionLineFileFresh",
                        "opening the 1,000,000-line file to the drawn frame, first"),
                       (r"BM_OpenMillionLineFile$", "  the same file opened again")]:
    b = find(pattern)
    if b:
        row(label, f"{ms(b):.0f} ms (cpu {ms(b, 'cpu_time'):.0f})", "<= 60 ms", ms(b) <= 60)
b = find(r"BM_OpenMillionLineFileFresh")
if b and "rss_MB" in b:
    row("resident memory with the file shown", f"{b['rss_MB']:.0f} MB", "<= 120 MB",
        b["rss_MB"] <= 120)

p = processes.get("metrics_batch")
if p:
    cores = (p["user_ms"] + p["sys_ms"]) / p["wall_ms"]
    row("varmonix --metrics, 10,000 welds of 6,000 lines (process)",
        f"{p['wall_ms'] / 1000:.2f} s", "<= 2 s", p["ok"] and p["wall_ms"] <= 2000)
    note("  cores busy, peak resident memory", f"{cores:.2f}, {p['max_rss_mb']:.0f} MB", "2 cores")
    row("  records in the order of the file list", "yes" if p.get("in_order") else "no", "yes",
        p.get("in_order"))

b = find(r"BM_Replot33Series")
if b:
    row("replot with 33 series of 100,000 points", f"{ms(b):.1f} ms", "<= 16 ms", ms(b) <= 16)

pd, beside = processes.get("pandas_describe_million"), processes.get("dump_summary_beside_pandas")
if pd and beside:
    ratio = pd["wall_ms"] / beside["wall_ms"]
    row("--dump --summary against pandas read_csv().describe()",
        f"{ratio:.0f}x ({pd['wall_ms']:.0f} / {beside['wall_ms']:.0f} ms)", ">= 15x", ratio >= 15)
elif pandas_missing:
    note("--dump --summary against pandas read_csv().describe()",
         "skipped: no pandas", ">= 15x", "--")

b = find(r"BM_ScanFolder")
if b:
    fps = b["items_per_second"]
    row("folder scan of 10,000 wave files", f"{fps:,.0f} files/s", ">= 50,000 files/s",
        fps >= 50000)
b = find(r"BM_ReadoutHintThreeTraces")
if b:
    us = ms(b) * 1000
    row("read-out lookup, three traces, one mouse position", f"{us:.2f} us", "<= 10 us", us <= 10)
b = find(r"BM_OverlayBuildTenFiles")
if b:
    row("overlay build of ten files of 100,000 lines", f"{ms(b):.0f} ms", "<= 1000 ms",
        ms(b) <= 1000)
b = find(r"BM_MetricsProcess")
if b:
    row("varmonix --metrics, 10,000 welds (in-bench process)", f"{ms(b) / 1000:.2f} s", "< 4 s",
        ms(b) < 4000)
for name, what in ((r"BM_RenderPngProcess", "PNG"), (r"BM_RenderPdfProcess", "PDF")):
    b = find(name)
    if b:
        row(f"varmonix --render of a 1,000,000-line file ({what})", f"{ms(b) / 1000:.2f} s",
            "< 4 s", ms(b) < 4000)
b = find(r"BM_OverviewModelFill10000")
if b:
    row("overview model fill, 10,000 rows (sorted, with view)", f"{ms(b):.1f} ms", "<= 100 ms",
        ms(b) <= 100)
b = find(r"BM_OverviewFill10000Welds")
if b:
    row("folder overview of 10,000 welds of 6,000 lines", f"{ms(b) / 1000:.2f} s", "<= 5 s",
        ms(b) <= 5000)

if golden is not None:
    same = [name for name, ok in golden.items() if ok]
    row("--dump outputs equal to the recorded ones", f"{len(same)} of {len(golden)} cases",
        "all", len(same) == len(golden))

if load:
    note("load average (1 min) while measured", " / ".join(f"{x:.1f}" for x in load),
         "2 cores")

width = max(len(r[0]) for r in rows) if rows else 10
print(f"| {'figure':<{width}} | {'measured':>24} | {'target':>17} |    |")
print(f"|{'-' * (width + 2)}|{'-' * 26}|{'-' * 19}|----|")
for name, got, target, status in rows:
    print(f"| {name:<{width}} | {got:>24} | {target:>17} | {status:<2} |")
