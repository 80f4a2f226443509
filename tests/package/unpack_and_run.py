#!/usr/bin/env python3
"""Makes the release zips, unpacks them into an empty folder and runs the packaged example there.

usage: unpack_and_run.py CPACK_CONFIG WORK_DIR WINE_RUN WINE_PREFIX

Checks: the product zip holds the product and nothing of the devkit; each checksum list matches
its zip's files; with the packaged simulator registered, the packaged geranhost.exe runs the
packaged example script to "0 failed", using nothing from the build tree.
"""
import glob
import hashlib
import os
import shutil
import subprocess
import sys
import zipfile

PRODUCT_FILES = {"znGeranApiInterfaceDll.dll", "include/znGeranApiInterfaceDll.h",
                 "lib/libznGeranApiInterfaceDll.dll.a", "lib/znGeranApiInterfaceDll.lib",
                 "lib/znGeranApiInterfaceDll.def", "SHA256SUMS", "README.md"}
DEVKIT_FILES = {"TestSetSimulator.dll", "TestSetSimulator.exe", "ParameterHandler.dll", "GERANScenarioLib.dll",
                "geranhost.exe", "MasterParameters.ini", "examples/demo.gts", "examples/MasterParameters.ini",
                "SHA256SUMS.devkit"}
STAND_INS = {"TestSetSimulator.dll", "TestSetSimulator.exe", "ParameterHandler.dll", "GERANScenarioLib.dll",
             "geranhost.exe"}


def run(command, cwd=None):
    result = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return result.returncode, result.stdout


def make_packages(cpack_config, out_dir):
    status, output = run(["cpack", "--config", cpack_config, "-B", out_dir])
    if status != 0:
        sys.exit("cpack failed:\n" + output)
    zips = sorted(glob.glob(os.path.join(out_dir, "*.zip")))
    product = [z for z in zips if "-devkit-" not in z]
    devkit = [z for z in zips if "-devkit-" in z]
    if len(product) != 1 or len(devkit) != 1:
        sys.exit("expected one product and one devkit zip, found: %s" % zips)
    return product[0], devkit[0]


def check_contents(name, archive, required, forbidden):
    files = {n for n in zipfile.ZipFile(archive).namelist() if not n.endswith("/")}
    problems = ["%s lacks %s" % (name, f) for f in sorted(required - files)]
    problems += ["%s holds %s" % (name, f) for f in sorted(forbidden & files)]
    return problems


def check_sums(folder, list_name):
    problems = []
    with open(os.path.join(folder, list_name), encoding="utf-8") as sums:
        for line in sums:
            digest, path = line.rstrip("\n").split("  ", 1)
            with open(os.path.join(folder, path), "rb") as listed:
                if hashlib.sha256(listed.read()).hexdigest() != digest:
                    problems.append("%s: wrong checksum for %s" % (list_name, path))
    return problems


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def main(cpack_config, work_dir, wine_run, prefix):
    shutil.rmtree(work_dir, ignore_errors=True)
    product, devkit = make_packages(cpack_config, os.path.join(work_dir, "packages"))
    print("made %s and %s" % (os.path.basename(product), os.path.basename(devkit)))
    problems = check_contents("the product zip", product, PRODUCT_FILES, STAND_INS)
    problems += check_contents("the devkit zip", devkit, DEVKIT_FILES, {"znGeranApiInterfaceDll.dll"})
    unpacked = os.path.join(work_dir, "unpacked")
    for archive in (product, devkit):
        zipfile.ZipFile(archive).extractall(unpacked)
    problems += check_sums(unpacked, "SHA256SUMS") + check_sums(unpacked, "SHA256SUMS.devkit")
    if problems:
        print("\n".join(problems))
        return 1
    status, output = run([wine_run, prefix, "regsvr32", "/s", windows_path(os.path.join(unpacked, "TestSetSimulator.dll"))])
    if status != 0:
        print("registering the packaged simulator failed:\n" + output)
        return 1
    status, output = run([wine_run, prefix, os.path.join(unpacked, "geranhost.exe"),
                          os.path.join(unpacked, "examples", "demo.gts")], cwd=unpacked)
    print(output)
    packaged_product = windows_path(os.path.join(unpacked, "znGeranApiInterfaceDll.dll"))
    if "with %s\n" % packaged_product not in output:
        print("the host did not load the packaged product %s" % packaged_product)
        return 1
    if status != 0 or " 0 failed" not in output:
        print("the packaged example did not pass (exit status %d)" % status)
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__.strip())
    sys.exit(main(*sys.argv[1:]))
