#!/usr/bin/env python3
"""An independent reader of a GDT result (6310) for the tests.

Usage: check_gdt_result.py RESULT.GDT EXPECTED.json
EXPECTED holds the character set (1, 2, 3), the patient, the physician,
the attachment path (or null) and the readings [hhmm, sys, dia, pulse].
Checks every line's length, 8100, the field order, the character set of
every content, the patient and the values against the readings (day
07:00-22:00, night 22:00-07:00). Prints the problems and exits 1 on any.
"""
import json
import sys
import unicodedata

CODECS = {"1": "ascii", "2": "cp437", "3": "latin-1"}
# 7-bit results: German letters spelt out, the eight places DIN 66003
# gives to German letters never written, other letters without accents.
GERMAN_IN_ASCII = {"ä": "ae", "ö": "oe", "ü": "ue", "Ä": "Ae", "Ö": "Oe", "Ü": "Ue", "ß": "ss", "§": "Par.",
                   "[": "(", "{": "(", "]": ")", "}": ")", "\\": "/", "|": "/", "~": "-", "@": "at"}
DIN_PLACES = set(b"[\\]{|}~@")
HEAD = ["8000", "8100", "8315", "8316", "9206", "9218", "3000", "3101", "3102", "3103", "3110",
        "8402", "6200", "6201"]

problems = []


def problem(text):
    problems.append(text)


def without_accent(c):
    if ord(c) < 128:
        return c
    plain = "".join(p for p in unicodedata.normalize("NFKD", c) if ord(p) < 128)
    return plain or "?"


def as_written(text, charset):
    if charset == "1":
        text = "".join(GERMAN_IN_ASCII.get(c, without_accent(c)) for c in text)
    return text.encode(CODECS[charset], errors="replace").decode(CODECS[charset])


def mean(values):
    return sum(values) / len(values) if values else None


def weighted_mean(readings, column):
    """Each reading weighted by half the time to each neighbour (the readings
    are in time order, at most a day apart; a gap counts at most 2 hours)."""
    if not readings:
        return None
    minutes = [r[0] // 100 * 60 + r[0] % 100 for r in readings]
    gaps = [min((b - a) % 1440, 120) for a, b in zip(minutes, minutes[1:])]
    weights = [(gaps[i - 1] if i > 0 else 0) + (gaps[i] if i < len(gaps) else 0) for i in range(len(readings))]
    total = sum(weights)
    if not total:
        return mean([column(r) for r in readings])
    return sum(w * column(r) for w, r in zip(weights, readings)) / total


def shown(value, decimals):
    """Rounded as figures are shown: halves up (values here are positive)."""
    from decimal import Decimal, ROUND_HALF_UP
    return float(Decimal(repr(value)).quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP))


def main():
    data = open(sys.argv[1], "rb").read()
    expected = json.load(open(sys.argv[2], encoding="utf-8"))
    charset = expected["charset"]
    codec = CODECS[charset]
    if not data.endswith(b"\r\n"):
        problem("the file does not end in CR LF")
    fields = []
    for number, line in enumerate(data[:-2].split(b"\r\n"), 1):
        if b"\r" in line or b"\n" in line:
            problem(f"line {number}: a lone CR or LF")
        if len(line) < 7 or not line[:7].isdigit():
            problem(f"line {number}: no length and field ID")
            continue
        if int(line[:3]) != len(line) + 2:
            problem(f"line {number}: length {line[:3]!r}, but {len(line) + 2} bytes")
        if charset == "1" and DIN_PLACES & set(line[7:]):
            problem(f"line {number}: a byte that 7-bit German reads as a letter")
        try:
            content = line[7:].decode(codec)
        except UnicodeDecodeError:
            problem(f"line {number}: not {codec}")
            content = line[7:].decode("latin-1")
        fields.append((line[3:7].decode(), content))
    ids = [f for f, _ in fields]
    values = {}
    for f, c in fields:
        values.setdefault(f, []).append(c)

    if ids[:len(HEAD)] != HEAD:
        problem(f"head fields {ids[:len(HEAD)]}")
    if values.get("8000") != ["6310"]:
        problem("8000 is not 6310")
    if values.get("8100", [""])[0] != f"{len(data):05d}":
        problem(f"8100 {values.get('8100')} for {len(data)} bytes")
    if values.get("9206") != [charset] or values.get("9218") != ["02.10"]:
        problem("9206 or 9218")
    if values.get("8315") != ["PRAX"] or values.get("8316") != ["KORV"] or values.get("8402") != ["BDM01"]:
        problem("8315, 8316 or 8402")

    # After the head: test blocks, 6220, 6228, the attachment, 8990.
    rest = ids[len(HEAD):]
    i = 0
    tests = {}
    while i < len(rest) and rest[i] == "8410":
        block = rest[i:i + 4]
        if block[:3] != ["8410", "8411", "8420"]:
            problem(f"test block {block}")
        tests[fields[len(HEAD) + i][1]] = fields[len(HEAD) + i + 2][1]
        i += 4 if block[3:] == ["8421"] else 3
    order = "".join({"6220": "f", "6228": "t", "6302": "a", "6303": "b", "6304": "c", "6305": "d",
                     "8990": "s"}.get(f, "?") for f in rest[i:])
    attached = expected["attachment"] is not None
    wanted = "f+t+" + ("abcd" if attached else "") + ("s" if expected["physician"] else "")
    import re
    if not re.fullmatch(wanted, order):
        problem(f"fields after the tests: {rest[i:]}")
    if attached and values.get("6305") != [as_written(expected["attachment"], charset)]:
        problem(f"6305 {values.get('6305')}")
    if attached and values.get("6303") != ["PDF"]:
        problem("6303")
    table = values.get("6228", [])
    if len({len(t) for t in table}) != 1:
        problem("the 6228 lines are not of one width")

    patient = expected["patient"]
    for field, key in (("3000", "number"), ("3101", "surname"), ("3102", "firstName"), ("3103", "born"),
                       ("3110", "sex"), ("8990", "physician")):
        given = patient.get(key, expected.get(key))
        if values.get(field) != [as_written(given, charset)]:
            problem(f"{field} {values.get(field)} for {given!r}")

    readings = expected["readings"]
    day = [r for r in readings if 700 <= r[0] < 2200]
    night = [r for r in readings if not 700 <= r[0] < 2200]
    figures = {"ANZAHL": len(readings), "GUELTIG": len(readings)}
    # The 24-hour means are time-weighted, day and night plain.
    for name, column in (("SYS", 1), ("DIA", 2), ("PULS", 3)):
        figures[name + "24"] = weighted_mean(readings, lambda r: r[column])
        for suffix, part in (("TAG", day), ("NACHT", night)):
            figures[name + suffix] = mean([r[column] for r in part])
    figures["MAP24"] = weighted_mean(readings, lambda r: (r[1] + 2 * r[2]) / 3)
    # The fall is 1 - the night/day ratio of the shown means, the ratio to three decimals.
    for name in ("SYS", "DIA"):
        d, n = figures[name + "TAG"], figures[name + "NACHT"]
        figures["DIP" + name] = (1 - shown(shown(n, 1) / shown(d, 1), 3)) * 100 if d and n else None
    for ident, figure in figures.items():
        if figure is None:
            if ident in tests:
                problem(f"{ident} written without a figure")
            continue
        if ident not in tests:
            problem(f"{ident} missing")
            continue
        written = tests[ident]
        form = r"\d+" if ident in ("ANZAHL", "GUELTIG") else r"-?\d+\.\d"
        if not re.fullmatch(form, written) or abs(float(written) - figure) > 0.05 + 1e-9:
            problem(f"{ident} {written} for {figure}")
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


sys.exit(main())
