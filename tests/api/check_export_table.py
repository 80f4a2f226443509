#!/usr/bin/env python3
"""Checks a built znGeranApiInterfaceDll.dll's export and import tables against the contract.

usage: check_export_table.py OBJDUMP DLL EXPECTED_EXPORTS {i686|x86_64}
"""
import re
import subprocess
import sys

PREFIX = "znGeranApiInterfaceDll_"
DECORATED = "_znGeranApiInterfaceDll_RemoteConnection_Set@4"
SHARED_BODY = ("SetSystemMode", "GetServerVersion", "RemoteConnection_Set")
FORWARD = "GERANScenarioLib.scenarioLibDll_CallboxMode_StartStop"


def export_name(operation):
    return DECORATED if operation == "RemoteConnection_Set" else PREFIX + operation


def parse(dump):
    addresses = {}  # ordinal -> RVA or forwarder text
    for ordinal, rva in re.findall(r"\+base\[\s*(\d+)\]\s+([0-9a-f]+) Export RVA", dump):
        addresses[int(ordinal)] = rva
    for ordinal, target in re.findall(r"\+base\[\s*(\d+)\]\s+[0-9a-f]+ Forwarder RVA -- (\S+)", dump):
        addresses[int(ordinal)] = "forward:" + target
    names = {}  # name -> ordinal
    table = dump.split("[Ordinal/Name Pointer] Table", 1)[1].split("\n\n", 1)[0]
    for index, name in re.findall(r"\[\s*(\d+)\]\s+(\S+)", table):
        names[name] = int(index) + 1
    imports = {}
    for block in dump.split("DLL Name: ")[1:]:
        dll = block.split("\n", 1)[0].strip()
        imports[dll] = set(re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\S+)$", block.split("\n\n", 1)[0], re.M))
    return addresses, names, imports


def main():
    objdump, dll, expected_path, arch = sys.argv[1:5]
    dump = subprocess.run([objdump, "-p", dll], check=True, capture_output=True, text=True).stdout
    problems = []
    file_format = "pei-i386" if arch == "i686" else "pei-x86-64"
    if "file format " + file_format not in dump:
        problems.append("not a %s image" % file_format)
    expected = {}
    for line in open(expected_path):
        ordinal, operation = line.split()
        expected[export_name(operation)] = int(ordinal)
    addresses, names, imports = parse(dump)
    if names != expected:
        for name in sorted(set(expected) | set(names)):
            if names.get(name) != expected.get(name):
                problems.append("export %s: ordinal %s, expected %s" % (name, names.get(name), expected.get(name)))
    if PREFIX + "RemoteConnection_Set" in names:
        problems.append("RemoteConnection_Set is exported undecorated")
    if sorted(addresses) != list(range(1, len(expected) + 1)):
        problems.append("ordinals are not 1..%d: %s" % (len(expected), sorted(addresses)))
    stub_addresses = {addresses.get(expected[export_name(op)]) for op in SHARED_BODY}
    if len(stub_addresses) != 1:
        problems.append("SetSystemMode, GetServerVersion and RemoteConnection_Set differ: %s" % stub_addresses)
    callbox = addresses.get(expected[PREFIX + "CallboxMode_StartStop"])
    if callbox != "forward:" + FORWARD:
        problems.append("CallboxMode_StartStop is %s, not a forwarder to %s" % (callbox, FORWARD))
    if "scenarioLibDll_RunTestScript" not in imports.get("GERANScenarioLib.dll", set()):
        problems.append("GERANScenarioLib.dll is not imported by name (imports: %s)" % sorted(imports))
    for problem in problems:
        print("FAIL:", problem)
    print("%s: %d exports checked, %d problems" % (dll, len(expected), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
