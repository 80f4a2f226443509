"""geranhost --junit as a CI server reads it: junit_report.py BIN_DIR WORK_DIR WINE_RUN PREFIX

Runs a script of four sections with geranhost.exe in BIN_DIR against the simulator (one call made
to fail by it, one failing by its arguments), then reads the report with junitparser and checks
the counts, the test cases, their failure messages and the library's output in system-out.
"""
import os
import subprocess
import sys

from junitparser import Failure, JUnitXml

SCRIPT = """InitialiseSystem() => -1
## Reset passes
Reset() => -1
## Two failures
Reset() => -1
WaitTime(0) => -1
## No expectation
StartScript()
"""

# Each test case: its failure messages and a text its system-out holds ("" for none).
EXPECTED = [
    ("(before the first heading)", [], ""),
    ("Reset passes", [], ""),
    ("Two failures", ["line 5: Reset() returned 0, expected -1", "line 6: WaitTime(0) returned 0, expected -1"],
     "cell busy"),
    ("No expectation", [], ""),
]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(command):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return result.returncode, result.stdout


def check_report(report_path):
    problems = []
    suites = list(JUnitXml.fromfile(report_path))
    if len(suites) != 1:
        return ["%d test suites, not 1" % len(suites)]
    suite = suites[0]
    if suite.name != "report":
        problems.append("suite named %r, not after the script" % suite.name)
    if (suite.tests, suite.failures, suite.errors) != (4, 1, 0):
        problems.append("suite counts tests %s, failures %s, errors %s; expected 4, 1, 0"
                        % (suite.tests, suite.failures, suite.errors))
    cases = list(suite)
    seen = [case.name for case in cases]
    if seen != [name for name, _, _ in EXPECTED]:
        return problems + ["test cases %s" % seen]
    for case, (name, failures, output) in zip(cases, EXPECTED):
        messages = [result.message for result in case.result if isinstance(result, Failure)]
        if messages != failures:
            problems.append("%s: failures %s, expected %s" % (name, messages, failures))
        if output not in (case.system_out or ""):
            problems.append("%s: system-out %r lacks %r" % (name, case.system_out, output))
        if case.time is None or case.time < 0:
            problems.append("%s: time %r" % (name, case.time))
    return problems


def main(bin_dir, work_dir, wine_run, prefix):
    os.makedirs(work_dir, exist_ok=True)
    script = os.path.join(work_dir, "report.gts")
    report = os.path.join(work_dir, "report.xml")
    with open(script, "w") as file:
        file.write(SCRIPT)
    if os.path.exists(report):
        os.remove(report)
    # The simulator the host arms must be the one COM loads: register the one beside the host.
    status, output = run([wine_run, prefix, "regsvr32", "/s", windows_path(os.path.join(bin_dir, "TestSetSimulator.dll"))])
    if status != 0:
        print("registering the simulator failed:\n" + output)
        return 1
    status, output = run([wine_run, prefix, os.path.join(bin_dir, "geranhost.exe"), "--no-connect-wait",
                          "--sim-fail", 'Reset@2=0x80004005:"cell busy"', "--junit", windows_path(report),
                          windows_path(script)])
    print(output)
    if status != 1:
        print("exit status %d, expected 1 (an expectation failed)" % status)
        return 1
    problems = check_report(report)
    print("\n".join(problems) if problems else "the report reads as expected")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__.strip())
    sys.exit(main(*sys.argv[1:]))
