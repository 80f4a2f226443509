#!/usr/bin/env python3
"""Checks a built znGeranApiInterfaceDll.dll's export and import tables against its .def, the one
list of the exports: every name at its ordinal and no other, entries that name one body share one
address, forwarders forward, and the scenario library is imported by name.

usage: check_export_table.py OBJDUMP DLL DEF {i686|x86_64}
"""
import re
import subprocess
import sys

PREFIX = "znGeranApiInterfaceDll_"
SCENARIO_IMPORT = ("GERANScenarioLib.dll", "scenarioLibDll_RunTestScript")


def read_def(path):
    """name -> (ordinal, target): the internal name, or "forward:DLL.entry" for a forwarder."""
    entries = {}
    for line in open(path):
        match = re.match(r"\s*(\S+)\s*=\s*(\S+)\s+@(\d+)\s*$", line.split(";", 1)[0])
        if match:
            name, target, ordinal = match.groups()
            is_forward = "." in target
            entries[name] = (int(ordinal), "forward:" + target if is_forward else target)
    return entries


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


def check(dump, entries, arch):
    problems = []
    file_format = "pei-i386" if arch == "i686" else "pei-x86-64"
    if "file format " + file_format not in dump:
        problems.append("not a %s image" % file_format)
    addresses, names, imports = parse(dump)
    expected = {name: ordinal for name, (ordinal, _) in entries.items()}
    for name in sorted(set(expected) | set(names)):
        if names.get(name) != expected.get(name):
            problems.append("export %s: ordinal %s, expected %s" % (name, names.get(name), expected.get(name)))
    if sorted(addresses) != list(range(1, len(expected) + 1)):
        problems.append("ordinals are not 1..%d: %s" % (len(expected), sorted(addresses)))
    bodies = {}  # internal name -> addresses of the exports that name it
    for name, (ordinal, target) in entries.items():
        if target.startswith("forward:"):
            if addresses.get(ordinal) != target:
                problems.append("%s is %s, not a forwarder to %s" % (name, addresses.get(ordinal), target[8:]))
        else:
            bodies.setdefault(target, set()).add(addresses.get(ordinal))
    for target, found in sorted(bodies.items()):
        if len(found) != 1:
            problems.append("the exports of %s have different addresses: %s" % (target, sorted(map(str, found))))
    dll, entry = SCENARIO_IMPORT
    if entry not in imports.get(dll, set()):
        problems.append("%s is not imported by name from %s (imports: %s)" % (entry, dll, sorted(imports)))
    return problems


def main():
    objdump, dll, def_path, arch = sys.argv[1:5]
    dump = subprocess.run([objdump, "-p", dll], check=True, capture_output=True, text=True).stdout
    entries = read_def(def_path)
    problems = check(dump, entries, arch) if len(entries) > 0 else ["no exports read from " + def_path]
    for problem in problems:
        print("FAIL:", problem)
    print("%s: %d exports checked, %d problems" % (dll, len(entries), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
