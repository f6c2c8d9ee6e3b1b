#!/usr/bin/env bash
# Runs every test of a build directory under valgrind memcheck, children included (the
# programs the tests start through the shell), and lists the tests with memory errors or
# definite leaks. Window tests need DISPLAY. Needs valgrind and python3. memcheck.supp
# beside this script holds the suppressions of reports that are not the program's.
# Usage: tests/hostile/memcheck.sh BUILD_DIR [JOBS] [NAME_REGEX]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
logs="$build/memcheck"
rm -rf "$logs" && mkdir -p "$logs"
cd "$build"
ctest --show-only=json-v1 >"$logs/tests.json"
exec python3 - "$logs" "${2:-1}" "$here/memcheck.supp" "${3:-.}" <<'PY'
import json, re, subprocess, sys
from concurrent.futures import ThreadPoolExecutor
logs, jobs = sys.argv[1], int(sys.argv[2])
tests = [t for t in json.load(open(logs + "/tests.json"))["tests"] if re.search(sys.argv[4], t["name"])]
valgrind = ["valgrind", "-q", "--error-exitcode=99", "--leak-check=full",
            "--suppressions=" + sys.argv[3],
            "--errors-for-leak-kinds=definite", "--trace-children=yes",
            "--trace-children-skip=*/Xvfb,*/xdotool,*/xdpyinfo,*/xwd,*/setpriv"]
def run(item):
    i, t = item
    props = {p["name"]: p["value"] for p in t.get("properties", [])}
    with open(f"{logs}/{i:03d}.out", "w") as out:
        rc = subprocess.call(valgrind + [f"--log-file={logs}/{i:03d}.%p.log"] + t["command"],
                             cwd=props.get("WORKING_DIRECTORY"), stdout=out, stderr=subprocess.STDOUT)
    line = ("ok   " if rc == 0 else f"FAIL (exit {rc}, {logs}/{i:03d}.*) ") + t["name"]
    print(line, flush=True)
    return rc == 0
with ThreadPoolExecutor(jobs) as pool:
    results = list(pool.map(run, enumerate(tests)))
print(f"{results.count(True)} passed, {results.count(False)} failed under memcheck")
sys.exit(0 if all(results) else 1)
PY
