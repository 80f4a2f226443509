#!/usr/bin/env python3
"""Prints the figures of several geranbench runs side by side, one column group per build.

usage: side_by_side.py NAME=RESULTS.json [NAME=RESULTS.json ...]

Rows are matched by measure and item; a figure missing from a run shows "-". For each build the
value, the ratio to its reference, whether the target was met and the value with the simulator
as a local server (where measured) are shown; unit, target and note
come from the first run that has the row.
"""
import json
import sys


def number(value):
    if value is None:
        return "-"
    if abs(value) >= 100 or value == int(value):
        return "%.0f" % value
    return "%.3g" % value


def load(argument):
    name, _, path = argument.partition("=")
    if not path:
        sys.exit("side_by_side.py: expected NAME=RESULTS.json, got %r" % argument)
    try:
        with open(path, encoding="utf-8") as results:
            figures = json.load(results)["figures"]
    except (OSError, ValueError, KeyError) as error:
        sys.exit("side_by_side.py: cannot read %s: %s" % (path, error))
    return name, {(f["measure"], f["item"]): f for f in figures}


def met_text(figure):
    if figure is None or figure["met"] is None:
        return ""
    return "met" if figure["met"] else "NOT MET"


def rows_of(runs):
    keys = []
    for _, figures in runs:
        keys += [key for key in figures if key not in keys]
    header = ["Measure", "Item", "Unit"]
    for name, _ in runs:
        header += [name, name + " ratio", name + " met", name + " local"]
    header += ["Target", "Note"]
    rows = [header]
    for key in keys:
        found = [figures.get(key) for _, figures in runs]
        first = next(f for f in found if f is not None)
        row = [key[0], key[1], first["unit"]]
        for figure in found:
            value = figure["value"] if figure else None
            ratio = figure["ratio"] if figure else None
            local = figure.get("local_server") if figure else None
            row += [number(value), number(ratio) + "x" if ratio is not None else "", met_text(figure),
                    number(local) if local is not None else ""]
        rows.append(row + [first["target"], first["note"]])
    return rows


def print_table(rows):
    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    for row in rows:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())


def main(arguments):
    if not arguments or arguments[0] in ("-h", "--help"):
        print(__doc__.strip())
        return 0 if arguments else 2
    runs = [load(argument) for argument in arguments]
    print_table(rows_of(runs))
    for name, figures in runs:
        judged = [f for f in figures.values() if f["met"] is not None]
        print("%s: %d of %d targets met" % (name, sum(f["met"] for f in judged), len(judged)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
