#!/usr/bin/env python3
"""Counts the results of a test run over several build trees.

Every test program writes GoogleTest XML into <build>/results/<name>.xml; a
program that ctest ran but that wrote no results (it crashed or hung) counts
as one failed test, and so does a program whose exit failed although all its
cases passed, and a build tree whose tests did not run at all. Prints one line per program and ends with "N passed, N failed".
Exits 1 when anything failed or nothing ran.
"""
import os
import sys
import xml.etree.ElementTree as ET


def ctest_names(build):
    """Names of the tests ctest ran in this tree (from its JUnit report), and
    those that failed."""
    names, failed = [], set()
    report = os.path.join(build, "results", "ctest-junit.xml")
    if not os.path.exists(report):
        return names, failed
    for case in ET.parse(report).getroot().iter("testcase"):
        name = case.get("name")
        names.append(name)
        if case.get("status") != "run" or case.find("failure") is not None:
            failed.add(name)
    return names, failed


def main(builds):
    passed = failed = 0
    for build in builds:
        if not os.path.exists(os.path.join(build, "results", "ctest-junit.xml")):
            # ctest never reported: the tests of this tree did not run at all.
            print(f"  {os.path.basename(build)}: no results, its tests did not run: 0 passed, 1 failed")
            failed += 1
            continue
        names, ctest_failed = ctest_names(build)
        for name in names:
            xml = os.path.join(build, "results", name + ".xml")
            p = f = 0
            if os.path.exists(xml):
                try:
                    root = ET.parse(xml).getroot()
                    for case in root.iter("testcase"):
                        if case.get("result") == "skipped" or case.get("status") == "notrun":
                            continue
                        if case.find("failure") is not None or case.find("error") is not None:
                            f += 1
                        else:
                            p += 1
                except ET.ParseError:
                    f += 1
            if name in ctest_failed and f == 0:
                f += 1  # crashed, hung, leaked or wrote no results
            if p == 0 and f == 0 and name not in ctest_failed:
                p = 1  # a test without cases that passed
            print(f"  {name}: {p} passed, {f} failed")
            passed += p
            failed += f
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
