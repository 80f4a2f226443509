#!/usr/bin/env python3
"""Links a Visual C++-target object against the Visual C++ import library and checks what it imports.

usage: link_with_lld.py CLANG_TARGET IMPORT_LIB INCLUDE_DIR OBJDUMP WORK_DIR

calls.c is compiled with clang for CLANG_TARGET (i686-pc-windows-msvc or x86_64-pc-windows-msvc),
linked by lld-link into a DLL without C runtime (/dll /noentry), and the DLL's import table must name
exactly the exports called, under the names znGeranApiInterfaceDll.dll exports them.
"""
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
EXPECTED = {
    "znGeranApiInterfaceDll_Reset",
    "znGeranApiInterfaceDll_ChangeTxPower",
    "znGeranApiInterfaceDll_GetLogFileName",
    "_znGeranApiInterfaceDll_RemoteConnection_Set@4",
    "znGeranApiInterfaceDll_CallboxMode_StartStop",
}


def run(command):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0:
        sys.exit("failed (%d): %s\n%s" % (result.returncode, " ".join(command), result.stdout))
    return result.stdout


def imported_names(dump, dll):
    section = dump.split("DLL Name: " + dll, 1)
    if len(section) < 2:
        return set()
    block = section[1].split("\n\n", 1)[0]
    return set(re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\S+)\s*$", block, re.MULTILINE))


def main(target, import_lib, include_dir, objdump, work_dir):
    os.makedirs(work_dir, exist_ok=True)
    obj = os.path.join(work_dir, "calls.obj")
    dll = os.path.join(work_dir, "calls.dll")
    run(["clang", "--target=" + target, "-Werror", "-c", os.path.join(HERE, "calls.c"),
         "-I", include_dir, "-isystem", os.path.join(HERE, "sdk"), "-o", obj])
    run(["lld-link", "/dll", "/noentry", "/out:" + dll, obj, import_lib])
    names = imported_names(run([objdump, "-p", dll]), "znGeranApiInterfaceDll.dll")
    print("imported from znGeranApiInterfaceDll.dll: " + ", ".join(sorted(names)))
    if names != EXPECTED:
        print("missing: %s" % sorted(EXPECTED - names))
        print("unexpected: %s" % sorted(names - EXPECTED))
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__.strip())
    sys.exit(main(*sys.argv[1:]))
