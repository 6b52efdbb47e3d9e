#!/usr/bin/python3
"""Files to and from the programs people use, with the real programs.

Into the program: pandas, numpy and LibreOffice write one system in their usual ways; each file
opens with the right count and the exact answers (checked against Python's fractions), or is
refused with the reason. Out of the program: the export and the copy's formats read back in
numpy, pandas, LibreOffice and Octave as numbers, each the double nearest the exact value.

    peer_test.py SHEET_CLI
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from fractions import Fraction

import numpy as np
import pandas as pd

CLI = sys.argv[1]
WORK = tempfile.mkdtemp(prefix="haltiqo-peers-")
FAILURES = []

# 2a - 1.5b + 0.25c = 3.75, a + 2b + 3c = 4, 0.5a + b + c = 2.5
SYSTEM = [["2", "-1.5", "0.25", "3.75"], ["1", "2", "3", "4"], ["0.5", "1", "1", "2.5"]]


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAIL:", what)


def solve(rows):
    """Gauss-Jordan elimination in exact fractions: the answers, or None."""
    n = len(rows)
    m = [[Fraction(cell) for cell in row] for row in rows]
    for col in range(n):
        pivot = next((r for r in range(col, n) if m[r][col] != 0), None)
        if pivot is None:
            return None
        m[col], m[pivot] = m[pivot], m[col]
        for r in range(n):
            if r != col and m[r][col] != 0:
                f = m[r][col] / m[col][col]
                m[r] = [a - f * b for a, b in zip(m[r], m[col])]
    return [m[i][n] / m[i][i] for i in range(n)]


EXACT = solve(SYSTEM)


def path(name):
    return os.path.join(WORK, name)


def open_file(name):
    out = subprocess.run([CLI, "open", path(name)], capture_output=True, text=True, check=True)
    fields = dict(line.split("\t", 1) for line in out.stdout.splitlines())
    return fields


def expect_opens(name, said=()):
    fields = open_file(name)
    if "refused" in fields:
        check(False, f"{name} refused: {fields['refused']}")
        return
    answers = [Fraction(a) if a != "none" else None for a in fields["answers"].split("\t")]
    check(fields["n"] == "3", f"{name}: n = {fields['n']}")
    check(answers == EXACT, f"{name}: answers {answers}")
    for words in said:
        check(words in fields["said"], f"{name}: '{words}' not said in '{fields['said']}'")


def expect_refused(name, reason):
    fields = open_file(name)
    check(reason in fields.get("refused", ""), f"{name}: not refused with '{reason}': {fields}")


def soffice(profile, args):
    """LibreOffice headless, with a profile of its own."""
    subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless",
                    "--norestore"] + args, capture_output=True, check=True, cwd=WORK, timeout=120)


def german_profile():
    """A LibreOffice profile whose locale writes decimal commas."""
    profile = path("lo-de")
    soffice(profile, ["--convert-to", "csv", "--outdir", path("warmup"), path("plain.csv")])
    settings = os.path.join(profile, "user", "registrymodifications.xcu")
    with open(settings, encoding="utf-8") as f:
        text = f.read()
    item = ('<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" '
            'oor:op="fuse"><value>de-DE</value></prop></item>')
    with open(settings, "w", encoding="utf-8") as f:
        f.write(text.replace("</oor:items>", item + "</oor:items>"))
    return profile


def fods(rows):
    """A flat spreadsheet: numbers as numbers, other texts as text cells, None as empty cells."""
    def cell(value):
        if value is None:
            return "<table:table-cell/>"
        try:
            float(value)
            return f'<table:table-cell office:value-type="float" office:value="{value}"/>'
        except ValueError:
            return f'<table:table-cell office:value-type="string"><text:p>{value}</text:p></table:table-cell>'
    body = "".join("<table:table-row>" + "".join(cell(v) for v in row) + "</table:table-row>"
                   for row in rows)
    return ('<?xml version="1.0" encoding="UTF-8"?><office:document '
            'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
            'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
            'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2" '
            'office:mimetype="application/vnd.oasis.opendocument.spreadsheet"><office:body>'
            f'<office:spreadsheet><table:table table:name="S">{body}</table:table>'
            '</office:spreadsheet></office:body></office:document>')


def write(name, text):
    with open(path(name), "w", encoding="utf-8", newline="") as f:
        f.write(text)


def into_the_program():
    values = np.array([[float(c) for c in row] for row in SYSTEM])
    write("plain.csv", "\n".join(",".join(row) for row in SYSTEM) + "\n")

    pd.DataFrame(values).to_csv(path("pandas-default.csv"))
    expect_opens("pandas-default.csv", ["1 行目（見出し）", "1 列目（ラベル）"])
    pd.DataFrame(values, columns=["a", "b", "c", "rhs"]).to_csv(path("pandas-named.csv"))
    expect_opens("pandas-named.csv", ["1 行目（見出し）", "1 列目（ラベル）"])
    pd.DataFrame(values, columns=["a", "b", "c", "rhs"]).to_csv(path("pandas-noindex.csv"),
                                                                 index=False)
    expect_opens("pandas-noindex.csv", ["1 行目（見出し）"])
    pd.DataFrame(values).to_csv(path("pandas-noindex-default.csv"), index=False)
    expect_opens("pandas-noindex-default.csv", ["1 行目（見出し）"])

    np.savetxt(path("numpy.txt"), values)
    expect_opens("numpy.txt")
    np.savetxt(path("numpy-header.csv"), values, delimiter=",", header="a,b,c,rhs")
    expect_opens("numpy-header.csv", ["# で始まる 1 行（注釈）"])
    np.savetxt(path("numpy-square.csv"), values[:, :3], delimiter=",", header="a,b,c")
    expect_refused("numpy-square.csv", "値は 3 行 3 列です")

    english = path("lo-en")
    sheets = {
        "lo-plain": SYSTEM,
        "lo-larger": [row + [None] for row in SYSTEM] + [[None] * 4 + [""]],
        "lo-labels": [["", "a", "b", "c", "右辺"]] + [[f"式{i + 1}"] + row
                                                      for i, row in enumerate(SYSTEM)],
        "lo-text-row": [["x", "y", "z", "w"]] + SYSTEM[:2] + [[None] * 4] + [SYSTEM[2]],
    }
    for name, rows in sheets.items():
        write(name + ".fods", fods(rows))
    csv_filter = "csv:Text - txt - csv (StarCalc):44,34,76,1"
    names = [n + ".fods" for n in sheets]
    soffice(english, ["--convert-to", csv_filter, "--outdir", path("en")] + names)
    german = german_profile()
    soffice(german, ["--convert-to", csv_filter, "--outdir", path("de")] + names)
    for locale in ("en", "de"):
        comma = ["小数点をコンマ"] if locale == "de" else []
        expect_opens(f"{locale}/lo-plain.csv", comma)
        expect_opens(f"{locale}/lo-labels.csv", ["1 行目（見出し）と 1 列目（ラベル）"] + comma)
        expect_refused(f"{locale}/lo-text-row.csv", "1 行目は数ではなく文字です")
    with open(path("de/lo-plain.csv"), encoding="utf-8") as f:
        check('"-1,5"' in f.read(), "LibreOffice in German wrote no decimal comma")
    # A range one row and one column too large, as a copy or a formatted range leaves it.
    for locale in ("en", "de"):
        with open(path(f"{locale}/lo-plain.csv"), encoding="utf-8") as f:
            lines = f.read().splitlines()
        write(f"{locale}-larger.csv", "".join(l + ",\n" for l in lines) + ",,,,\n")
        expect_opens(f"{locale}-larger.csv", ["末尾の空の 1 行と 1 列"])


def exported_values(name):
    """What each reader makes of a file of numbers: a list of rows of floats."""
    readers = {
        "numpy": lambda: np.loadtxt(path(name), delimiter="," if name.endswith("csv") else "\t",
                                    ndmin=2).tolist(),
        "pandas": lambda: pd.read_csv(path(name), header=None,
                                      sep="," if name.endswith("csv") else "\t").values.tolist(),
    }
    read = {who: reader() for who, reader in readers.items()}
    if name.endswith("csv"):
        script = f"m = csvread('{path(name)}'); printf('%d %d\\n', size(m)); printf('%.17g\\n', m');"
        out = subprocess.run(["octave-cli", "--no-gui", "-q", "--eval", script],
                             capture_output=True, text=True, check=True).stdout.split()
        rows, cols = int(out[0]), int(out[1])
        flat = [float(v) for v in out[2:]]
        read["octave"] = [flat[r * cols:(r + 1) * cols] for r in range(rows)]
    return read


def libreoffice_cells(name):
    """The cells LibreOffice reads from a file: (type, value) per cell, row by row."""
    infilter = ["--infilter=HTML (StarCalc)"] if name.endswith("html") else []
    soffice(path("lo-en"), infilter + ["--convert-to", "fods", "--outdir", path("read"), path(name)])
    with open(path("read/" + os.path.splitext(name)[0] + ".fods"), encoding="utf-8") as f:
        text = f.read()
    rows = []
    for row in re.findall(r"<table:table-row[^>]*>(.*?)</table:table-row>", text, re.S):
        cells = re.findall(r'<table:table-cell[^>]*?office:value-type="(\w+)"'
                           r'(?:[^>]*?office:value="([^"]*)")?', row)
        if cells:
            rows.append(cells)
    return rows


def out_of_the_program():
    own = [["1/3", "-2", "25%", "1"], ["0.1", "1e-7", "3", "2/7"], ["4", "5", "6.5", "1,000"]]
    write("own.csv", "\r\n".join(",".join('"1,000"' if c == "1,000" else c for c in row)
                                 for row in own) + "\r\n")
    exact = [[Fraction(c.replace(",", "").rstrip("%")) / (100 if c.endswith("%") else 1)
              for c in row] for row in own]
    answers = solve([[str(v) for v in row] for row in exact])
    expected = [[float(v) for v in row] + [float(a)] for row, a in zip(exact, answers)]

    subprocess.run([CLI, "export", path("own.csv"), path("export.csv"), "answers"], check=True)
    subprocess.run([CLI, "copy", path("own.csv"), path("copy"), "answers"], check=True)
    with open(path("export.csv"), "rb") as f:
        data = f.read()
    check(all(b < 0x80 for b in data) and b'"' not in data, "the export is not plain ASCII")
    for name in ("export.csv", "copy.csv", "copy.txt"):
        for who, rows in exported_values(name).items():
            check(rows == expected, f"{name} in {who}: {rows}")
    # The clipboard's HTML is the page its header's offsets name.
    with open(path("copy.html"), "rb") as f:
        clip = f.read()
    start, end = (int(re.search(key + rb":(\d+)", clip).group(1)) for key in (b"StartHTML", b"EndHTML"))
    check(clip[start:].startswith(b"<html>") and clip[:end].endswith(b"</html>"), "HTML offsets")
    write("copy-page.html", clip[start:end].decode())
    for name in ("export.csv", "copy-page.html"):
        cells = libreoffice_cells(name)
        types = {t for row in cells for t, _ in row}
        values = [[float(v) if t == "float" else None for t, v in row] for row in cells]
        # LibreOffice keeps the double but writes 15 digits of it.
        close = len(values) == 3 and all(
            len(row) == 5 and all(v is not None and abs(v - e) <= 1e-14 * abs(e) for v, e in zip(row, want))
            for row, want in zip(values, expected))
        check(types == {"float"}, f"{name} in LibreOffice: cell types {types}")
        check(close, f"{name} in LibreOffice: {values}")
    # Pasted back, the copy is the same system: its answers' column is left out.
    fields = open_file("copy.txt")
    check(fields.get("n") == "3" and "最後の列（答え）" in fields.get("said", ""),
          f"the copy read back: {fields}")


def main():
    try:
        into_the_program()
        out_of_the_program()
    finally:
        if not os.environ.get("KEEP_PEER_FILES"):
            shutil.rmtree(WORK, ignore_errors=True)
    print(f"peer_test: {len(FAILURES)} failures")
    return 1 if FAILURES else 0


sys.exit(main())
