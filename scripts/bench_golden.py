#!/usr/bin/env python3
"""Runs the recorded --dump cases of tests/data/golden/cases.txt with a built
varmonix and tells whether each output is byte-identical to the recorded one.

    bench_golden.py VARMONIX OUT.json
"""
import glob
import json
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def cases():
    with open(os.path.join(ROOT, "tests/data/golden/cases.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            parts = [p.strip() for p in line.split("|")]
            if len(parts) == 4:
                yield parts


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    varmonix, out_path = os.path.abspath(sys.argv[1]), sys.argv[2]
    results = {}
    with tempfile.TemporaryDirectory() as none:
        for name, settings, options, pattern in cases():
            ini = os.path.join(none, "none.ini") if settings == "-" else "tests/data/" + settings
            # Relative to the repository and sorted by bytes, as the test does.
            files = sorted(os.path.relpath(p, ROOT) for p in glob.glob(os.path.join(ROOT, pattern)))
            cmd = [varmonix, "--dump", "--settings", ini] + ([options] if options else []) + files
            got = subprocess.run(cmd, cwd=ROOT, stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL).stdout
            with open(os.path.join(ROOT, "tests/data/golden", name + ".jsonl"), "rb") as f:
                results[name] = got == f.read()
    with open(out_path, "w") as f:
        json.dump({"golden": results}, f, indent=1)


if __name__ == "__main__":
    main()
