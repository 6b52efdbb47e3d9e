#!/usr/bin/env python3
"""Checks the exact solver against an independent reference over seeded random systems.

The reference reads each box's text with its own regular expression, takes the number exactly as a
fractions.Fraction, eliminates with Fractions and rounds with Python's own ties-to-even rounding.
Every answer text of every system must agree.

    exact_oracle.py SOLVER [COUNT [SEED]]

SOLVER is the program that reads systems of texts and prints the answers (ExactSolveCli.cpp).
"""

import math
import multiprocessing
import random
import re
import subprocess
import sys
from fractions import Fraction

# Between the texts of a row on the way to the solver; a text may hold blanks and tabs.
SEPARATOR = "\x1f"

# Digit grouping: a first group of one to three digits (no leading zero), then ",ddd" groups, and
# neither a digit nor a comma after them.
NUMBER = re.compile(r"[ \t\n\v\f\r]*([+-]?)((?:[1-9][0-9]{0,2}(?:,[0-9]{3})+(?![0-9,])|[0-9]+)"
                    r"\.?[0-9]*|\.[0-9]+)(?:[eEdD]([+-]?[0-9]+))?")
SLASH = re.compile(r"[ \t\n\v\f\r]*/")

# What input methods and other programs write, as the ASCII it stands for.
ASCII_FORMS = {ord(c): " " for c in "\u3000\u00a0\u202f\u205f"} | {0x200B: None, 0xFEFF: None} | {
    ord(c): "-" for c in "\u2212\u30fc\u2010\u2011\u2012\u2013\ufe63"} | {
    c: " " for c in range(0x2000, 0x200B)} | {c: chr(c - 0xFEE0) for c in range(0xFF01, 0xFF5F)}


def number_at(text, start):
    """(value, end) of the number at start, value None beyond the double range; None without one."""
    match = NUMBER.match(text, start)
    if not match:
        return None
    sign, mantissa, exponent = match.groups()
    mantissa = mantissa.replace(",", "")
    as_double = float(sign + mantissa + "e" + (exponent or "0"))
    if math.isinf(as_double):
        return None, match.end()
    # Too small for a double: counts as zero.
    value = Fraction(mantissa) * Fraction(10) ** int(exponent or 0) if as_double else Fraction(0)
    return (-value if sign == "-" else value), match.end()


def value_of(text):
    """The exact value of a box's text; None when it has none (a part beyond the range of
    doubles, a zero denominator)."""
    text = re.sub(r"(?<=[0-9])[。｡](?=[0-9])", ".", text.translate(ASCII_FORMS))
    value, end = number_at(text, 0) or (Fraction(0), 0)
    slash = SLASH.match(text, end) if end else None
    bottom = number_at(text, slash.end()) if slash else None
    if bottom is None:
        return value
    return None if value is None or not bottom[0] else value / bottom[0]


def solve(texts):
    """The unique solution as Fractions, or None.

    Each row is scaled to integers, then eliminated without fractions (Bareiss), exchanging rows
    only at a zero pivot; back-substitution is in Fractions."""
    rows = [[value_of(t) for t in row] for row in texts]
    if any(v is None for row in rows for v in row):
        return None
    n = len(rows)
    a = []
    for row in rows:
        scale = math.lcm(*(v.denominator for v in row))
        a.append([v.numerator * (scale // v.denominator) for v in row])
    previous = 1
    for k in range(n):
        pivot = next((r for r in range(k, n) if a[r][k] != 0), None)
        if pivot is None:
            return None
        a[k], a[pivot] = a[pivot], a[k]
        for r in range(k + 1, n):
            a[r] = [(a[k][k] * a[r][c] - a[r][k] * a[k][c]) // previous if c > k else 0
                    for c in range(n + 1)]
        previous = a[k][k]
    x = [Fraction(0)] * n
    for i in reversed(range(n)):
        rest = sum(a[i][c] * x[c] for c in range(i + 1, n))
        x[i] = Fraction(a[i][n] - rest) / a[i][i]
    return x


def six_decimals(x):
    units = round(abs(x) * 10**6)  # a Fraction rounds half to even
    text = "%d.%06d" % divmod(units, 10**6)
    return "-" + text if x < 0 else text


def reference(texts):
    """(the expected line, {unknown: value} of those fixed); without a unique solution, the reduced
    row echelon form, columns from the left, gives "none" or "free" and "3 - 2b" and the like."""
    x = solve(texts)
    if x is not None:
        return "\t".join(six_decimals(v) for v in x), dict(enumerate(x))
    rows = [[value_of(t) for t in row] for row in texts]
    if any(v is None for row in rows for v in row):
        return "none", {}
    n, pivots = len(rows), []
    for c in range(n):
        k = len(pivots)
        p = next((i for i in range(k, n) if rows[i][c]), None)
        if p is not None:
            rows[k], rows[p] = rows[p], rows[k]
            rows[k] = [v / rows[k][c] for v in rows[k]]
            for i in range(n):
                f = rows[i][c] if i != k else 0
                rows[i] = [a - f * b for a, b in zip(rows[i], rows[k])]
            pivots.append(c)
    if any(row[n] for row in rows[len(pivots):]):
        return "none", {}
    answers, fixed = ["free"] * n, {}
    short = lambda x: six_decimals(x) if max(abs(x.numerator), x.denominator) >= 10**40 and \
        x.denominator > 1 else str(x)
    for row, c in zip(rows, pivots):
        terms = [(-row[f], chr(97 + f)) for f in range(n) if f not in pivots and row[f]]
        if not terms:
            answers[c], fixed[c] = six_decimals(row[n]), row[n]
            continue
        text = short(row[n]) if row[n] else ""
        for v, letter in terms:
            text += (" - " if text else "-") if v < 0 else (" + " if text else "")
            text += ("" if abs(v) == 1 else short(abs(v))) + letter
        answers[c] = text
    return "\t".join(answers), fixed


def satisfies(texts, line, fixed, rng):
    """Whether the line read back satisfies every equation for random free values; None if rounded."""
    answers = line.split("\t")
    if any("." in a for i, a in enumerate(answers) if i not in fixed):
        return None
    x = {chr(97 + i): Fraction(rng.randint(-99, 99)) for i, a in enumerate(answers) if a == "free"}
    for i, a in enumerate(answers):
        if a != "free":
            x[chr(97 + i)] = fixed[i] if i in fixed else sum(
                (-1 if "-" in sign else 1) * Fraction(number or 1) * (x[letter] if letter else 1)
                for sign, number, letter in re.findall(r"(^-?| [+-] )([0-9/]*)([a-z]?)", a))
    rows = [[value_of(t) for t in row] for row in texts]
    return all(sum(v * x[chr(97 + c)] for c, v in enumerate(row[:-1])) == row[-1] for row in rows)


# Texts of the many kinds of systems people type. Each returns n rows of n + 1 texts.


def decimal_text(value, places):
    """A Fraction with a finite decimal expansion written out exactly with `places` decimals."""
    units = value * 10**places
    assert units.denominator == 1
    sign = "-" if units < 0 else ""
    digits = str(abs(units.numerator)).rjust(places + 1, "0")
    return sign + (digits[:-places] + "." + digits[-places:] if places else digits)


def small_integers(rng, n):
    return [[str(rng.randint(-9, 9)) for _ in range(n + 1)] for _ in range(n)]


def prices(rng, n):
    return [[decimal_text(Fraction(rng.randint(-99999, 99999), 100), 2) for _ in range(n + 1)]
            for _ in range(n)]


def fifteen_digits(rng, n):
    def one():
        digits = str(rng.randint(10**14, 10**15 - 1))
        point = rng.randint(0, 15)
        text = (digits[:point] or "0") + "." + digits[point:]
        if rng.random() < 0.3:
            text += "e%d" % rng.randint(-20, 20)
        return rng.choice(["", "-"]) + text
    return [[one() for _ in range(n + 1)] for _ in range(n)]


def tiny_coefficient(rng, n):
    rows = small_integers(rng, n)
    r, c = rng.randrange(n), rng.randrange(n)
    rows[r][c] = rng.choice(["", "-"]) + "1e-%d" % rng.randint(8, 40)
    return rows


def scaled(rng, n):
    row_scale = [rng.randint(-12, 12) for _ in range(n)]
    col_scale = [rng.randint(-12, 12) for _ in range(n + 1)]
    return [["%de%d" % (rng.randint(-99, 99), row_scale[r] + col_scale[c]) for c in range(n + 1)]
            for r in range(n)]


def sparse(rng, n):
    rows = [["0"] * (n + 1) for _ in range(n)]
    for r in range(n):
        rows[r][r] = str(rng.choice([-1, 1]) * rng.randint(1, 9))
        rows[r][n] = str(rng.randint(-9, 9))
        for _ in range(rng.randint(0, 2)):
            rows[r][rng.randrange(n)] = str(rng.randint(-9, 9))
    rng.shuffle(rows)
    return rows


def combination(rng, rows, r):
    """Row r replaced by an integer combination of the others."""
    n = len(rows)
    factors = [rng.randint(-3, 3) if i != r else 0 for i in range(n)]
    values = [[Fraction(t) for t in row] for row in rows]
    return [sum(factors[i] * values[i][c] for i in range(n)) for c in range(n + 1)]


def dependent(rng, n, shift=0, nudge=0):
    rows = prices(rng, n)
    r = rng.randrange(n)
    combined = combination(rng, rows, r)
    combined[n] += shift
    combined[rng.randrange(n)] += nudge
    rows[r] = [decimal_text(v, 14) for v in combined]
    return rows


def singular(rng, n):
    return dependent(rng, n)


def contradictory(rng, n):
    return dependent(rng, n, shift=Fraction(1, 100))


def near_singular(rng, n):
    return dependent(rng, n, nudge=Fraction(1, 10**12))


def singular_as_decimals(rng, n):
    """Decimal rows that are exact multiples of each other, which their doubles are not."""
    rows = [[decimal_text(Fraction(rng.randint(-99, 99), 10), 1) for _ in range(n + 1)]
            for _ in range(n)]
    a, b = rng.sample(range(n), 2)
    factor = Fraction(rng.choice([3, 7, 11, 13]), 10)
    rows[b] = [decimal_text(Fraction(t) * factor, 2) for t in rows[a]]
    return rows


def low_rank(rng, n):
    """Combinations of a few sparse rows: many free unknowns, some fixed; some contradict."""
    base = [[rng.choice([0, 0, rng.randint(-9, 9), Fraction(rng.randint(-9, 9), rng.randint(1, 9))])
             for _ in range(n + 1)] for _ in range(rng.randint(1, n - 1))]
    rows = [[sum(f * b[c] for f, b in zip(factors, base)) for c in range(n + 1)]
            for factors in ([rng.choice([0, 1, -2, Fraction(1, 3)]) for _ in base] for _ in range(n))]
    rows[0][n] += rng.random() < 0.2
    return [[str(v) for v in row] for row in rows]


def lenient(rng, n):
    forms = [" %d", "%dabc", "%d,5", "%dd1", "%dD-1", "%de+2x", "+%d.", "\t%d", "%d.5.5", "%de"]
    rows = small_integers(rng, n)
    for row in rows:
        for c in range(n + 1):
            roll = rng.random()
            if roll < 0.4:
                row[c] = rng.choice(forms) % rng.randint(-9, 9)
            elif roll < 0.45:
                row[c] = rng.choice(["", "abc", "-", ".", "0x10", "inf", "nan", "1e"])
    return rows


def extremes(rng, n):
    """Numbers at the ends of the double range; now and then one beyond, or one too small."""
    forms = ["%de300", "%de-300", "%de-320", "%de307", "-%de-310", "4e-324", "%d", "-%d"]
    rows = [[rng.choice(forms).replace("%d", str(rng.randint(1, 9))) for _ in range(n + 1)]
            for _ in range(n)]
    if rng.random() < 0.3:
        rows[rng.randrange(n)][rng.randrange(n + 1)] = rng.choice(["2e308", "-1e309", "1e-330"])
    return rows


def long_numbers(rng, n):
    def one():
        digits = "".join(rng.choice("0123456789") for _ in range(rng.randint(20, 240)))
        return rng.choice(["", "-"]) + "0." + digits + "e%d" % rng.randint(-300, 300)
    rows = [[one() for _ in range(n + 1)] for _ in range(n)]
    return rows if rng.random() < 0.8 else rows[:-1] + [rows[0]]  # now and then dependent


def typed(rng, n):
    """Fractions, digit grouping and what input methods write."""
    def one():
        if rng.random() < 0.002:
            return rng.choice(["1/0", "3/0.0", "2/1e-400"])  # no value: no solution
        a, b = rng.randint(1, 99), rng.randint(1, 12)
        text = rng.choice(["%d/%d" % (a, b), "%d / -%d.5" % (a, b), "%de3/%dabc" % (a, b), "%d/" % a,
                           "{:,}".format(rng.randint(0, 10**9)) + rng.choice(["", ".25"]),
                           rng.choice(["1,5", "1,0000", "0,001", "1,000,", "12,34,567", "1//2"])])
        text = rng.choice(["", "", "-", "\u2010", "\u2013", "\ufe63", "\uff0d", "\u2212",
                           "\u00a0", "\u2002", "\u200b", "\ufeff"]) + text
        if rng.random() < 0.2:
            text = "".join(chr(ord(c) + 0xFEE0) if "!" <= c <= "~" else c for c in text)
            text = text.replace("\uff0e", rng.choice(["\u3002", "\uff61"]))
        return text
    return [[one() for _ in range(n + 1)] for _ in range(n)]


KINDS = [small_integers, prices, fifteen_digits, tiny_coefficient, scaled, sparse, singular,
         contradictory, near_singular, singular_as_decimals, lenient, extremes, long_numbers, typed,
         low_rank]
# The most expensive kinds for a Fraction reference stay smaller.
LARGEST_N = {long_numbers: 8, extremes: 12}


def main():
    solver = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 5200
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 2026)

    systems = []
    for i in range(count):
        kind = KINDS[i % len(KINDS)]
        n = rng.randint(2, LARGEST_N.get(kind, 26))
        systems.append((kind.__name__, kind(rng, n)))

    request = "".join(
        "%d\n" % len(texts) + "".join(SEPARATOR.join(row) + "\n" for row in texts)
        for _, texts in systems)
    answer = subprocess.run([solver], input=request, capture_output=True, text=True, check=True,
                            encoding="utf-8")
    lines = answer.stdout.split("\n")

    with multiprocessing.Pool() as pool:
        references = pool.map(reference, [texts for _, texts in systems], chunksize=16)

    mismatches = 0
    unique = {}
    for (kind, texts), line, (expected, fixed) in zip(systems, lines, references):
        counts = unique.setdefault(kind, [0, 0, 0, 0])
        counts["free" in expected or (expected == "none") * 2] += 1
        if "free" in expected and line == expected:
            checked = satisfies(texts, line, fixed, rng)
            counts[3] += checked is not None
            line += "" if checked is not False else " (does not satisfy the equations)"
        if line != expected:
            mismatches += 1
            if mismatches <= 5:
                print("MISMATCH (%s, n = %d)\n  texts: %r\n  solver:   %s\n  expected: %s"
                      % (kind, len(texts), texts, line[:400], expected[:400]))
    if len(lines) < len(systems):
        print("the solver answered %d of %d systems" % (len(lines), len(systems)))
        mismatches += 1
    for kind, (solved, many, none, checked) in unique.items():
        print("%-22s %4d with a unique solution, %4d with many (%d read back), %4d with none"
              % (kind, solved, many, checked, none))
    print("%d systems, n from 2 to 26, %d mismatches" % (len(systems), mismatches))
    return 1 if mismatches else 0


if __name__ == "__main__":
    sys.exit(main())
