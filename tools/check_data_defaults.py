#!/usr/bin/env python3
"""Checks the built-in data-file defaults while they are being written.

The sources in src/data/defaults are UTF-8 with LF; the program stores them as
GBK with CR LF (the build converts them). This script converts them the same
way, prints their figures and checks the shape the readers depend on. Exit
status 1 when a rule is broken.

    tools/check_data_defaults.py            # figures and rule check
    tools/check_data_defaults.py --write D  # also write the stored files into D
"""
import collections
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ROOT / "src" / "data" / "defaults"
STORED_NAMES = {
    "system_file_notes.txt": "WINDOWS系统文件详解.txt",
    "extension_list.txt": "后缀名列表.txt",
    "extension_notes.txt": "后缀解说.txt",
}
HEADING = "　↑ "  # ideographic space, arrow, blank

errors = []


def check(ok, message):
    if not ok:
        errors.append(message)


def stored(name):
    text = (SOURCES / name).read_text(encoding="utf-8")
    check(not text.startswith("\ufeff"), f"{name}: byte-order mark")
    check("\r" not in text, f"{name}: CR in the source")
    check(text.endswith("\n"), f"{name}: last line without line end")
    data = text.replace("\n", "\r\n").encode("gbk")
    check(data == text.replace("\n", "\r\n").encode("gb18030"), f"{name}: GBK and GB18030 differ")
    check(b"\x00" not in data and b"\x1a" not in data, f"{name}: NUL or 0x1A byte")
    return data


def lines_of(data):
    parts = data.split(b"\r\n")
    assert parts[-1] == b""
    return parts[:-1]


def find_text(line, sought):
    """The reader's match: on character boundaries, ASCII letters folded."""
    fold = bytes.maketrans(b"ABCDEFGHIJKLMNOPQRSTUVWXYZ", b"abcdefghijklmnopqrstuvwxyz")
    line_f, sought_f = line.translate(fold), sought.translate(fold)
    i = 0
    while i + len(sought_f) <= len(line_f):
        if line_f.startswith(sought_f, i):
            return True
        i += 2 if line[i] >= 0x80 else 1
    return False


def check_extension_list(data):
    lines = lines_of(data)
    print(f"后缀名列表.txt: {len(data)} bytes, {len(lines)} lines")
    check(len(data) == 80 and len(lines) == 16, "extension list: 80 bytes, 16 lines")
    check(all(re.fullmatch(rb"[a-z0-9]+", l) for l in lines), "extension list: plain extensions")
    check(len(set(lines)) == len(lines), "extension list: duplicate line")
    check(lines[0] == b"txt" and lines[-1] == b"mdb", "extension list: txt ... mdb")
    return [l.decode() for l in lines]


def check_extension_notes(data, listed):
    lines = lines_of(data)
    entries = []  # (header extension, description, index of the header line)
    further = collections.Counter()  # lines outside entries, by the entry they follow
    i = 0
    while i < len(lines):
        line = lines[i]
        if line.startswith(b"."):
            check(re.fullmatch(rb"\.[A-Za-z0-9_]{1,8}", line) is not None, f"header {line!r}")
            check(i + 1 < len(lines), "notes end with a header line")
            desc = lines[i + 1] if i + 1 < len(lines) else b""
            check(desc != b"" and not desc.startswith(b"."), f"description after {line!r}")
            entries.append((line[1:].decode(), desc.decode("gbk"), i))
            i += 2
        else:
            check(entries != [], "a further line before the first entry")
            further[entries[-1][0]] += 1
            i += 1
    exts = [e for e, _, _ in entries]
    print(f"后缀解说.txt: {len(data)} bytes, {len(lines)} lines, {len(entries)} entries, "
          f"{sum(further.values())} further lines, "
          f"{sum(len(e) == 3 for e in exts)} of 3 bytes, "
          f"{sum(e != e.lower() for e in exts)} upper-case headers")
    check(len(data) == 23989 and len(lines) == 629, "notes: 23989 bytes, 629 lines")
    check(len(entries) == 298, "notes: 298 entries")
    check(dict(further) == {"gif": further["gif"], "jpg": further["jpg"],
                            "jpg2000": further["jpg2000"], "jpeg2000": further["jpeg2000"],
                            "png": further["png"], "svg": further["svg"],
                            "tiff": further["tiff"], "adm": 1}
          and all(further.values()) and sum(further.values()) == 33,
          f"notes: further lines where they belong, got {dict(further)}")
    adm = next(i for e, _, i in entries if e == "adm")
    check(lines[adm + 2] == b"", "notes: the line after .adm's description is empty")
    check(exts[:3] == ["ACA", "ace", "acf"] and exts[-3:] == ["z", "zip", "GHO"],
          "notes: first and last entries")
    desc = {}
    for e, d, _ in entries:
        desc.setdefault(e, d)
    for e, d in [("acf", "系统管理配置"), ("txt", "文本文件"), ("z", "一种压缩文件"),
                 ("GHO", "系统镜像文件")]:
        check(desc.get(e) == d, f"notes: sample .{e}")
    upper = [e for e in exts if e != e.lower()]
    check(upper == ["ACA", "ADE", "ADN", "ADP", "AIF", "AIFC", "AIFF", "GHO"]
          and all(e == e.upper() for e in upper), f"notes: upper-case headers {upper}")
    check(all(1 <= len(e) <= 8 for e in exts), "notes: extension lengths 1 to 8")
    check(sum(len(e) == 3 for e in exts) == 272, "notes: 272 extensions of 3 bytes")
    dups = {e: n for e, n in collections.Counter(x.lower() for x in exts).items() if n > 1}
    check(dups == {"aif": 2, "asf": 2, "asp": 3, "crd": 2, "dat": 2, "xlc": 2},
          f"notes: duplicates {dups}")
    check(exts.index("aif") < exts.index("AIF"), "notes: .aif before .AIF")
    # Groups by first letter: a, then d, then b, c, e ... z; .GHO closes the file.
    groups = []
    for e in exts[:-1]:
        g = "z" if e[0].isdigit() else e[0].lower()
        if not groups or groups[-1] != g:
            groups.append(g)
    check(groups == ["a", "d", "b", "c"] + [c for c in "efghijklmnopqrstuvwxyz"],
          f"notes: groups {groups}")
    for e in listed:
        check(e in desc, f"notes: listed extension {e} has no note")
    return entries


def check_system_notes(data):
    lines = [l.decode("gbk") for l in lines_of(data)]
    print(f"WINDOWS系统文件详解.txt: {len(data)} bytes, {len(lines)} lines")
    check(len(data) == 21050 and len(lines) == 663, "system notes: 21050 bytes, 663 lines")
    check(lines[0].endswith("　A" + HEADING) and " - " not in lines[0],
          "system notes: introduction ends with the heading of A")
    own, at_end, entries = [], [], []  # entries: (name, description, line index)
    letter = "A"
    for i, line in enumerate(lines[1:], start=1):
        m = re.fullmatch(r"([A-Z])(　?)↑ ", line)
        if m:
            own.append(m.group(1))
            check((m.group(2) == "") == (m.group(1) == "J"), f"heading line {line!r}")
            letter = m.group(1)
            continue
        m = re.fullmatch(r"(\S+)( ?)- (\S.*?)( ?)((?:　+)([A-Z])" + HEADING + ")?", line)
        check(m is not None, f"system notes: line {i + 1} {line!r}")
        if not m:
            continue
        name, gap, desc, blank, tail, next_letter = m.groups()
        check((gap == "") == (name == "SIZEWE.ANI"), f"blank before hyphen: {line!r}")
        last = i == len(lines) - 1
        check((blank == "") == last, f"trailing blank: {line!r}")
        check(name[0].upper() == letter, f"{name} under the heading of {letter}")
        if tail:
            at_end.append(next_letter)
            letter = next_letter
        entries.append((name, desc, i))
    names = [n for n, _, _ in entries]
    print(f"  {len(entries)} entry lines, headings on own lines {''.join(own)}, "
          f"at line ends {''.join(at_end)}")
    check(len(entries) == 652, "system notes: 652 entry lines (SIZEWE.ANI included)")
    check(own == list("BCIJKMNQUW"), "system notes: own-line headings")
    check(at_end == list("DEFGHLOPRSTVX"), "system notes: line-end headings")
    check(names[0] == "ACCESS.CHM" and names[-1] == "XGA.DRV", "system notes: first and last")
    check([n.lower() for n in names] == sorted(n.lower() for n in names),
          "system notes: alphabetical order")
    dups = sorted(n for n, c in collections.Counter(names).items() if c > 1)
    check(dups == ["CTRLPAN.EXE", "FLSIMTD.VXD", "NOTEPAD.EXE"], f"system notes: dups {dups}")
    check(sum(n != n.upper() for n in names) == 4, "system notes: four names not in capitals")
    check(sorted(n for n in names if "." not in n) == ["DEFRAG", "DISKCOMP", "SAMPLEVIDEOS"],
          "system notes: names without extension")
    desc = {}
    for n, d, _ in entries:
        desc.setdefault(n, d)
    for n, d in [("ACCSTAT.EXE", "辅助状态指示器"), ("CALC.EXE", "计算器应用程序"),
                 ("XCOPY32.EXE", "文件拷贝程序")]:
        check(desc.get(n) == d, f"system notes: sample {n}")
    user32 = next(i for n, _, i in entries if n == "USER32.DLL")
    check(lines[user32].endswith("　V" + HEADING), "system notes: USER32.DLL ends with V")
    # Every name finds its own first line; nothing earlier mentions it.
    raw = lines_of(data)
    first = {}
    for n, _, i in entries:
        first.setdefault(n, i)
    for n, i in first.items():
        hit = next(j for j, l in enumerate(raw) if find_text(l, n.encode("gbk")))
        check(hit == i, f"system notes: {n} is found at line {hit + 1}, not {i + 1}")
    check(next(j for j, l in enumerate(raw) if find_text(l, b"ALC.EXE")) == first["CALC.EXE"],
          "system notes: ALC.EXE finds CALC.EXE")
    check(find_text(raw[0], b"A"), "system notes: A finds the introduction")


def main():
    data = {name: stored(name) for name in STORED_NAMES}
    listed = check_extension_list(data["extension_list.txt"])
    check_extension_notes(data["extension_notes.txt"], listed)
    check_system_notes(data["system_file_notes.txt"])
    if len(sys.argv) == 3 and sys.argv[1] == "--write":
        out = pathlib.Path(sys.argv[2])
        out.mkdir(parents=True, exist_ok=True)
        for name, stored_name in STORED_NAMES.items():
            (out / stored_name).write_bytes(data[name])
    for e in errors:
        print("FAIL:", e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
