#!/usr/bin/env python3
"""Checks a GitHub Actions workflow that cannot run here: every preset its steps name (cmake --preset,
cmake --build --preset, ctest --preset), with each of a job's matrix values, exists in CMakePresets.json.
Usage: check-workflow.py WORKFLOW.yml CMakePresets.json"""
import itertools, json, re, sys

import yaml

presets = json.load(open(sys.argv[2]))
kinds = {"cmake": "configurePresets", "cmake --build": "buildPresets", "ctest": "testPresets"}
named = failures = 0
for job_name, job in yaml.safe_load(open(sys.argv[1]))["jobs"].items():
    matrix = job.get("strategy", {}).get("matrix", {})
    rows = matrix.get("include") or [dict(zip(matrix, row)) for row in itertools.product(*matrix.values())]
    for row, step in itertools.product(rows, job["steps"]):
        run = re.sub(r"\$\{\{\s*matrix\.(\w+)\s*\}\}", lambda m: str(row[m.group(1)]), step.get("run", ""))
        for tool, preset in re.findall(r"(cmake --build|cmake|ctest) --preset[ =](\S+)", run):
            found = preset in {p["name"] for p in presets[kinds[tool]] if not p.get("hidden")}
            print(f"{'ok  ' if found else 'FAIL'} {job_name}: {tool} --preset {preset}")
            named, failures = named + 1, failures + (not found)
if not named:
    print("FAIL the workflow names no preset")
sys.exit(failures > 0 or not named)
