#!/usr/bin/env python3
# Prints what the test runs skipped, from their ctest JUnit reports: one line per reason
# ("skipped: N rows, because ..."), or "skipped: 0 rows". With FERRAVEL_NO_SKIP=1 any skip
# fails (exit status 1).
# Usage: skip-summary.py NAME=REPORT.xml...
import collections
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

# QTest's line for a skipped row: "SKIP   : Class::function(row) reason".
SKIP = re.compile(r"^SKIP   : ([^(]+)\((.*?)\) (.*)$")

reasons = collections.OrderedDict()
total = 0
for arg in sys.argv[1:]:
    build, _, report = arg.partition("=")
    if not os.path.isfile(report):
        reasons.setdefault("its build wrote no test report", []).append(build)
        total += 1
        continue
    for case in ElementTree.parse(report).getroot().iter("testcase"):
        test = case.get("name")
        if case.get("status") not in ("run", "fail"):
            reasons.setdefault(f"ctest did not run it ({case.get('status')})", []).append(f"{build}/{test}")
            total += 1
            continue
        for line in (case.findtext("system-out") or "").splitlines():
            found = SKIP.match(line)
            if found:
                row = f"{found.group(1)}({found.group(2)})"
                reasons.setdefault(found.group(3).strip(), []).append(f"{build}/{test}: {row}")
                total += 1

for reason, rows in reasons.items():
    for row in rows:
        print(f"  skipped {row}")
if total == 0:
    print("skipped: 0 rows")
for reason, rows in reasons.items():
    where = sorted({row.split(":")[0] for row in rows})
    print(f"skipped: {len(rows)} row{'s' if len(rows) > 1 else ''}, because {reason} ({', '.join(where)})")
if total and os.environ.get("FERRAVEL_NO_SKIP") == "1":
    print("FAIL: FERRAVEL_NO_SKIP=1 and rows were skipped")
    sys.exit(1)
