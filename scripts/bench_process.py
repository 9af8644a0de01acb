#!/usr/bin/env python3
"""Times varmonix as whole processes on data it makes itself.

    bench_process.py VARMONIX OUT.json [--repetitions N]

Each command runs N times; every run is accounted as /usr/bin/time -v does it
(wall clock, user and system time, peak resident memory, from wait4), and the
medians go to OUT.json with the machine's load average before and after:

- varmonix --dump --summary and --metrics of a 1,000,000-line wave file;
- varmonix --metrics over a data-log folder of 10,000 welds of 6,000 lines,
  whose records must come in the order of the file list;
- pandas.read_csv(...).describe() of the same 1,000,000-line file, run
  alternately with --dump --summary, for the ratio; left out when pandas is
  not installed for any python3 here.
"""
import json
import math
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HEADER = "時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]".encode("cp932") + b"\r\n"


def steady_arc(lines, phase=0.0):
    """A steady arc, one line per 10 ms, as the benchmarks in bench/ write it."""
    out = [HEADER]
    for i in range(lines):
        r = math.sin(i * 0.7 + phase)
        out.append(b"%d,%.1f,%.2f,%.2f\r\n" % (i * 10, 220.0 + 12.0 * r, 24.5 + 1.5 * r, 8.0 + 0.1 * r))
    return b"".join(out)


def run(cmd, stdout=subprocess.DEVNULL):
    """One process: wall ms, user ms, sys ms, peak RSS MB, exit status."""
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=stdout, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    wall = (time.perf_counter() - start) * 1000
    return {
        "wall_ms": wall,
        "user_ms": usage.ru_utime * 1000,
        "sys_ms": usage.ru_stime * 1000,
        "max_rss_mb": usage.ru_maxrss / 1024,
        "status": os.waitstatus_to_exitcode(status),
    }


def medians(runs):
    keys = ["wall_ms", "user_ms", "sys_ms", "max_rss_mb"]
    m = {k: statistics.median(r[k] for r in runs) for k in keys}
    m["runs"] = len(runs)
    m["wall_ms_all"] = [round(r["wall_ms"], 1) for r in runs]
    m["ok"] = all(r["status"] == 0 for r in runs)
    return m


def pandas_python():
    """A python3 that has pandas, or None."""
    for py in ("python3", "/usr/bin/python3"):
        if shutil.which(py) and subprocess.run([py, "-c", "import pandas"],
                                               stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL).returncode == 0:
            return py
    return None


def records_in_order(path_of_output, folder):
    """The --metrics records name the folder's files in the file list's order."""
    with open(path_of_output, encoding="utf-8") as f:
        paths = [json.loads(line)["path"] for line in f if line.strip()]
    names = [os.path.basename(p) for p in paths]
    expected = sorted(os.listdir(folder), key=lambda n: (n.lower(), n.encode()))
    return names == [n for n in expected if n.lower().endswith(".csv")]


def make_data(work):
    with open(os.path.join(work, "million.csv"), "wb") as f:
        f.write(steady_arc(1000000))
    folder = os.path.join(work, "datalog")
    os.mkdir(folder)
    welds = [steady_arc(6000, v) for v in range(16)]
    for k in range(10000):
        with open(os.path.join(folder, "%06d.csv" % k), "wb") as f:
            f.write(welds[k % 16])


def main():
    args = sys.argv[1:]
    if len(args) == 2 and args[0] == "--make-data":
        make_data(args[1])
        return
    reps = 7
    if "--repetitions" in args:
        i = args.index("--repetitions")
        reps = int(args[i + 1])
        del args[i:i + 2]
    if len(args) != 2:
        sys.exit(__doc__)
    varmonix, out_path = args
    result = {"load_before": os.getloadavg(), "processes": {}}

    work = tempfile.mkdtemp(prefix="vx-process-bench-")
    # A settings file that does not exist: the built-in defaults, whatever
    # the user has set up.
    env_settings = ["--settings", os.path.join(work, "Varmonix.ini")]
    try:
        # Made by a child: the peak resident memory the kernel reports for a
        # process counts what it was forked from, so this one stays small.
        subprocess.run([sys.executable, __file__, "--make-data", work], check=True)
        big = os.path.join(work, "million.csv")
        folder = os.path.join(work, "datalog")
        result["million_bytes"] = os.path.getsize(big)

        procs = result["processes"]
        for name, cmd in [
            ("dump_summary_million", [varmonix, "--dump", "--summary"] + env_settings + [big]),
            ("metrics_million", [varmonix, "--metrics"] + env_settings + [big]),
        ]:
            run(cmd)  # warm: the file in the page cache, the program's pages too
            procs[name] = medians([run(cmd) for _ in range(reps)])

        batch = [varmonix, "--metrics"] + env_settings + [folder]
        run(batch)
        batch_runs = [run(batch) for _ in range(max(3, reps // 2))]
        procs["metrics_batch"] = medians(batch_runs)
        listing = os.path.join(work, "batch.jsonl")
        with open(listing, "wb") as f:
            run(batch, stdout=f)
        procs["metrics_batch"]["in_order"] = records_in_order(listing, folder)

        py = pandas_python()
        if py:
            pandas_cmd = [py, "-c",
                          "import sys, pandas; pandas.read_csv(sys.argv[1], encoding='cp932').describe()",
                          big]
            dump_cmd = [varmonix, "--dump", "--summary"] + env_settings + [big]
            run(pandas_cmd)
            pandas_runs, dump_runs = [], []
            for _ in range(max(3, reps // 2)):
                pandas_runs.append(run(pandas_cmd))
                dump_runs.append(run(dump_cmd))
            procs["pandas_describe_million"] = medians(pandas_runs)
            procs["dump_summary_beside_pandas"] = medians(dump_runs)
        else:
            result["pandas_missing"] = True
    finally:
        shutil.rmtree(work, ignore_errors=True)

    result["load_after"] = os.getloadavg()
    with open(out_path, "w") as f:
        json.dump(result, f, indent=1)


if __name__ == "__main__":
    main()
