"""geranhost --junit as a CI server reads it: junit_report.py BIN_DIR WORK_DIR WINE_RUN PREFIX

Runs scripts with geranhost.exe in BIN_DIR against the simulator (a run of four sections with one
call made to fail by it and one failing by its arguments, the same run stopped at its first
failure, a script error, a crash), then reads each report with junitparser and checks the counts,
the test cases, their failure messages and the text they hold.
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

FAIL_RESET = ["--sim-fail", 'Reset@2=0x80004005:"cell busy"']
FIRST_FAILURE = "line 5: Reset() returned 0, expected -1"

# Each run: its options, its script, the exit status, the suite's tests, failures and skipped, and
# each test case: its failure message, a text its failure or system-out holds, whether it is skipped.
RUNS = [
    (FAIL_RESET, SCRIPT, 1, (4, 1, 0), [
        ("(before the first heading)", [], "", False),
        ("Reset passes", [], "", False),
        # One failure a case: the first as its message, every one in its text.
        ("Two failures", [FIRST_FAILURE], "line 6: WaitTime(0) returned 0, expected -1", False),
        ("No expectation", [], "", False),
    ]),
    (FAIL_RESET + ["-x"], SCRIPT, 1, (4, 1, 1), [
        ("(before the first heading)", [], "", False),
        ("Reset passes", [], "", False),
        ("Two failures", [FIRST_FAILURE], "cell busy", False),
        ("No expectation", [], "", True),
    ]),
    ([], "Reset()\nRest()\n", 2, (1, 1, 0), [
        ("the script", ["1 error in {script}; nothing was called"], "unknown export 'Rest'", False),
    ]),
    (["--sim-fail", "Reset=crash"], SCRIPT, 3, (1, 1, 0), [
        ("the run", ["the run crashed"], "crashed: line 3: Reset(): exception 0xC0000005", False),
    ]),
]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(command):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return result.returncode, result.stdout


def check_report(report_path, counts, expected, script):
    problems = []
    suites = list(JUnitXml.fromfile(report_path))
    if len(suites) != 1:
        return ["%d test suites, not 1" % len(suites)]
    suite = suites[0]
    if suite.name != "report":
        problems.append("suite named %r, not after the script" % suite.name)
    if (suite.tests, suite.failures, suite.skipped, suite.errors) != counts + (0,):
        problems.append("suite counts tests %s, failures %s, skipped %s, errors %s; expected %s and no errors"
                        % (suite.tests, suite.failures, suite.skipped, suite.errors, counts))
    cases = list(suite)
    seen = [case.name for case in cases]
    if seen != [name for name, _, _, _ in expected]:
        return problems + ["test cases %s" % seen]
    for case, (name, failures, text, skipped) in zip(cases, expected):
        found = [result for result in case.result if isinstance(result, Failure)]
        messages = [failure.message for failure in found]
        if messages != [failure.format(script=script) for failure in failures]:
            problems.append("%s: failures %s, expected %s" % (name, messages, failures))
        held = "".join(failure.text or "" for failure in found) + (case.system_out or "")
        if text not in held:
            problems.append("%s: %r lacks %r" % (name, held, text))
        if case.is_skipped != skipped:
            problems.append("%s: skipped %s, expected %s" % (name, case.is_skipped, skipped))
        if case.time is None or case.time < 0:
            problems.append("%s: time %r" % (name, case.time))
    return problems


def check_run(bin_dir, work_dir, wine_run, prefix, run_case):
    options, text, expected_status, counts, expected = run_case
    script = os.path.join(work_dir, "report.gts")
    report = os.path.join(work_dir, "report.xml")
    with open(script, "w") as file:
        file.write(text)
    if os.path.exists(report):
        os.remove(report)
    status, output = run([wine_run, prefix, os.path.join(bin_dir, "geranhost.exe"), "--no-connect-wait"] + options +
                         ["--junit", windows_path(report), windows_path(script)])
    print(output)
    if status != expected_status:
        return ["%s: exit status %d, expected %d" % (options, status, expected_status)]
    if not os.path.exists(report):
        return ["%s: no report written" % options]
    return ["%s: %s" % (options, problem)
            for problem in check_report(report, counts, expected, windows_path(script))]


def main(bin_dir, work_dir, wine_run, prefix):
    os.makedirs(work_dir, exist_ok=True)
    # The simulator the host arms must be the one COM loads: register the one beside the host.
    status, output = run([wine_run, prefix, "regsvr32", "/s", windows_path(os.path.join(bin_dir, "TestSetSimulator.dll"))])
    if status != 0:
        print("registering the simulator failed:\n" + output)
        return 1
    problems = [problem for run_case in RUNS for problem in check_run(bin_dir, work_dir, wine_run, prefix, run_case)]
    print("\n".join(problems) if problems else "the reports read as expected")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__.strip())
    sys.exit(main(*sys.argv[1:]))
