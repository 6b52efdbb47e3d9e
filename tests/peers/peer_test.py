#!/usr/bin/python3
"""Files to and from the programs people use, with the real programs: what pandas, numpy and
LibreOffice write opens as the system meant (its texts solved in Python's fractions give the exact
answers) or is refused with the reason; the export and the copy read back in numpy, pandas,
Octave and LibreOffice as numbers, each the double nearest the exact value.

    peer_test.py SHEET_CLI      (KEEP_PEER_FILES=1 keeps the files made)
"""
import os, re, shutil, subprocess, sys, tempfile
from fractions import Fraction

import numpy as np
import pandas as pd

CLI, WORK, FAILURES = sys.argv[1], tempfile.mkdtemp(prefix="haltiqo-peers-"), []
SYSTEM = [["2", "-1.5", "0.25", "3.75"], ["1", "2", "3", "4"], ["0.5", "1", "1", "2.5"]]
CSV = "csv:Text - txt - csv (StarCalc):44,34,76,1"


def check(ok, what):
    if not ok:
        FAILURES.append(what)
        print("FAIL:", what)


def path(name):
    return os.path.join(WORK, name)


def solve(rows):
    """Gauss-Jordan in exact fractions (the systems here have one solution)."""
    m, n = [[Fraction(c) for c in row] for row in rows], len(rows)
    for c in range(n):
        p = next(r for r in range(c, n) if m[r][c])
        m[c], m[p] = m[p], m[c]
        for r in range(n):
            if r != c:
                m[r] = [a - m[r][c] / m[c][c] * b for a, b in zip(m[r], m[c])]
    return [m[i][n] / m[i][i] for i in range(n)]


def run(*args):
    return subprocess.run([CLI, *map(str, args)], capture_output=True, text=True,
                          check=True).stdout.splitlines()


def opened(name, expect):
    """expect: the words said on opening, or (a string) the words of the refusal."""
    lines = run("open", path(name))
    head = dict(l.split("\t", 1) for l in lines[:2])
    if isinstance(expect, str):
        return check(expect in head.get("refused", ""), f"{name}: not refused for {expect}: {lines}")
    rows = [l.split("\t") for l in lines[2:]]
    check(head.get("n") == "3" and solve(rows) == solve(SYSTEM), f"{name}: opens as {lines}")
    check(all(w in head.get("said", "") for w in expect), f"{name}: said {lines[:2]}, not {expect}")


def soffice(profile, *args):
    subprocess.run(["soffice", f"-env:UserInstallation=file://{path(profile)}", "--headless",
                    "--norestore", *args], capture_output=True, check=True, cwd=WORK, timeout=120)


def write(name, text):
    with open(path(name), "w", encoding="utf-8", newline="") as f:
        f.write(text)


def into_the_program():
    a, named = np.array(SYSTEM, dtype=float), dict(columns=list("abcr"))
    both, header = ["1 行目（見出し）と 1 列目（ラベル）"], ["1 行目（見出し）を除いて"]
    made = {  # how each file is written, and what opening it says or why it is refused
        "pandas.csv": (lambda f: pd.DataFrame(a).to_csv(f), both),
        "pandas-named.csv": (lambda f: pd.DataFrame(a, **named).to_csv(f), both),
        "pandas-noindex.csv": (lambda f: pd.DataFrame(a, **named).to_csv(f, index=False), header),
        "pandas-default.csv": (lambda f: pd.DataFrame(a).to_csv(f, index=False), header),
        "numpy.txt": (lambda f: np.savetxt(f, a), []),
        "numpy-header.csv": (lambda f: np.savetxt(f, a, delimiter=",", header="a,b,c,r"),
                             ["# で始まる 1 行（注釈）"]),
        "numpy-square.csv": (lambda f: np.savetxt(f, a[:, :3], delimiter=",", header="a,b,c"),
                             "値は 3 行 3 列です"),
    }
    for name, (make, expect) in made.items():
        make(path(name))
        opened(name, expect)
    # Sheets as LibreOffice reads them (numbers as numbers, labels as texts), then writes them.
    sheets = {"plain": SYSTEM, "labels": [["", "a", "b", "c", "右辺"]] + [
        [f"式{i + 1}"] + r for i, r in enumerate(SYSTEM)], "text-row": [list("xyzw")] + SYSTEM + [["1"] * 4]}
    os.mkdir(path("sheets"))
    for name, rows in sheets.items():
        write(f"sheets/{name}.csv", "".join(",".join(r) + "\n" for r in rows))
    sheets = ["--infilter=CSV:44,34,76,1,,1033"] + [f"sheets/{n}.csv" for n in sheets]
    soffice("lo-en", "--convert-to", CSV, "--outdir", "en", *sheets)
    # A profile in a German locale writes decimal commas.
    settings = path("lo-de/user/registrymodifications.xcu")
    soffice("lo-de", sheets[0], "--convert-to", "fods", "--outdir", "warm-up", "sheets/plain.csv")
    with open(settings, encoding="utf-8") as f:
        text = f.read().replace("</oor:items>", '<item oor:path="/org.openoffice.Setup/L10N">'
                                '<prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>de-DE'
                                "</value></prop></item></oor:items>")
    write(settings, text)
    soffice("lo-de", "--convert-to", CSV, "--outdir", "de", *sheets)
    for loc, comma in (("en", []), ("de", ["小数点をコンマ"])):
        opened(f"{loc}/plain.csv", comma)
        opened(f"{loc}/labels.csv", both + comma)
        opened(f"{loc}/text-row.csv", "1 行目は数ではなく文字です")
        # The range one row and one column too large, as a copy or a formatted range leaves it.
        with open(path(f"{loc}/plain.csv"), encoding="utf-8") as f:
            write(f"{loc}-larger.csv", "".join(l + ",\n" for l in f.read().splitlines()) + ",,,,\n")
        opened(f"{loc}-larger.csv", ["末尾の空の 1 行と 1 列"] + comma)
    with open(path("de/plain.csv"), encoding="utf-8") as f:
        check('"-1,5"' in f.read(), "LibreOffice in German wrote no decimal comma")


def read_back(name, expected):
    sep = "\t" if name.endswith("txt") else ","
    check(np.loadtxt(path(name), delimiter=sep, ndmin=2).tolist() == expected, f"numpy: {name}")
    check(pd.read_csv(path(name), header=None, sep=sep).values.tolist() == expected, f"pandas: {name}")
    if name.endswith("csv"):
        out = subprocess.run(["octave-cli", "-q", "--eval",
                              f"printf('%.17g\\n', csvread('{path(name)}')')"],
                             capture_output=True, text=True, check=True).stdout.split()
        check([float(v) for v in out] == sum(expected, []), f"Octave: {name}: {out}")


def in_libreoffice(name, expected):
    """Every cell a number; LibreOffice writes 15 digits of the double it holds."""
    html = ["--infilter=HTML (StarCalc)"] if name.endswith("html") else []
    soffice("lo-en", *html, "--convert-to", "fods", "--outdir", "read", name)
    with open(path("read/" + os.path.splitext(name)[0] + ".fods"), encoding="utf-8") as f:
        cells = re.findall(r'<table:table-cell[^>]*?office:value-type="(\w+)"'
                           r'(?:[^>]*?office:value="([^"]*)")?', f.read())
    floats = [float(v) for t, v in cells if t == "float"]
    check(len(cells) == len(floats) == len(sum(expected, [])) and all(
        abs(v - e) <= 1e-14 * abs(e) for v, e in zip(floats, sum(expected, []))),
        f"LibreOffice: {name}: {cells}")


def out_of_the_program():
    own = [["1/3", "-2", "25%", "1"], ["0.1", "1e-7", "3", "2/7"], ["4", "5", "6.5", '"1,000"']]
    write("own.csv", "".join(",".join(r) + "\r\n" for r in own))
    exact = [[Fraction(c.strip('"%').replace(",", "")) / (100 if "%" in c else 1) for c in r]
             for r in own]
    expected = [[float(v) for v in r] + [float(x)] for r, x in zip(exact, solve(exact))]
    run("export", path("own.csv"), path("export.csv"))
    run("copy", path("own.csv"), path("copy"))
    with open(path("export.csv"), "rb") as f:
        data = f.read()
    check(max(data) < 0x80 and b'"' not in data, "the export is not plain ASCII")
    for name in ("export.csv", "copy.csv", "copy.txt"):
        read_back(name, expected)
    # The clipboard's HTML is the page its header's offsets name.
    with open(path("copy.html"), "rb") as f:
        clip = f.read()
    start, end = (int(re.search(k + rb":(\d+)", clip).group(1)) for k in (b"StartHTML", b"EndHTML"))
    check(clip[start:end].startswith(b"<html>") and clip[:end].endswith(b"</html>"), "HTML offsets")
    write("copy-page.html", clip[start:end].decode())
    for name in ("export.csv", "copy-page.html"):
        in_libreoffice(name, expected)
    # Pasted back, the copy is the same numbers, its answers' column left out.
    lines = run("open", path("copy.txt"))
    check("最後の列（答え）" in lines[1] and [[float(v) for v in l.split("\t")] for l in lines[2:]]
          == [r[:4] for r in expected], f"the copy read back: {lines}")


try:
    into_the_program()
    out_of_the_program()
finally:
    if not os.environ.get("KEEP_PEER_FILES"):
        shutil.rmtree(WORK, ignore_errors=True)
print(f"peer_test: {len(FAILURES)} failures")
sys.exit(1 if FAILURES else 0)
