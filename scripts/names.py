#!/usr/bin/env python3
"""Writes docs/NAMES.md, the glossary of the design's names, from the list the naming check keeps
(cmake/DesignNames.cmake): for each name the header that declares it and the comment above that
declaration. With --check it writes nothing and fails when docs/NAMES.md differs from what it
would write (the ctest `names-doc`).
    python3 scripts/names.py [--check] [ROOT]
"""
import pathlib
import re
import sys

ABBREVIATIONS = [
    ("SS", "the data grid (`SS`) and what works on it; `SS_SUM` is its summary grid"),
    ("MOVE", "the navigator beside a grid: its record `SS_MOVE_INFO`, its panel and its moves"),
    ("TOP, PUP, 1UP, 1DN, PDN, END", "the move buttons: top, page up, line up, line down, page down, end"),
    ("XLS", "the navigator's export button (an .xlsx file)"),
    ("GRP", "the graph: the navigator's graph button and the graph window (`FrmSSGraph`)"),
    ("FND", "find: the navigator's find button and the find window (`FrmSSFind`)"),
    ("REF", "refresh: the navigator's refresh button, which also holds the sizing mode"),
    ("NOW, MAX", "the navigator's line boxes: the first visible line and the number of lines"),
    ("TXT", "the graph window's list of items beside the chart (`SS_TXT`)"),
    ("Reg", "the settings store: `registry.ini` in the system folder (`fnGet_RegName`, `fnGet_RegValue`)"),
    ("Conf", "the scrambled configuration record `ZEVARU.DAT` (`fnGet_ConfValue`, `fnConf_Descramble`)"),
    ("Cbo", "a combo box (`fnCbo_SendMsg`, `fnCbo_MaxTextWidth`)"),
    ("MsgScr", "the message screen (`fnDisp_MsgScr`)"),
    ("Chk", "an input check (`fnChk_Date`, `fnChk_Period`, ...)"),
]

DECLARATION = r"^\s*(?:static\s+|virtual\s+|inline\s+|explicit\s+)*[\w:<>,\s\*&]*[\s\*&]{name}\s*\("


def design_names(root):
    """{name: the role written after it in the list, or ""}"""
    text = (root / "cmake" / "DesignNames.cmake").read_text(encoding="utf-8")
    body = re.search(r"set\(ZZ_DESIGN_NAMES\n(.*?)\n\)", text, re.S).group(1)
    names = {}
    for line in body.split("\n"):
        m = re.match(r"\s*((?:sb|fn)[A-Z]\w*)\s*(?:#\s*(.*))?$", line)
        if m:
            names[m.group(1)] = (m.group(2) or "").strip()
    return names


def comment_above(lines, index):
    """The // lines right above line `index` (a declaration), or its own trailing comment."""
    taken = []
    i = index - 1
    while i >= 0 and lines[i].strip().startswith("//"):
        taken.insert(0, lines[i].strip()[2:].strip())
        i -= 1
    if not taken and "//" in lines[index]:
        taken = [lines[index].split("//", 1)[1].strip()]
    return re.sub(r"\s+", " ", " ".join(t for t in taken if t))


def where(root, name):
    """(file, role) of the first declaration of `name`: headers first, then sources."""
    pattern = re.compile(DECLARATION.format(name=re.escape(name)))
    for suffix in ("*.h", "*.cpp"):
        for path in sorted((root / "src").rglob(suffix)):
            lines = path.read_text(encoding="utf-8").split("\n")
            for i, line in enumerate(lines):
                if not pattern.match(line) or re.match(r"\s*(friend|return|if|else|using)\b", line):
                    continue
                return path.relative_to(root).as_posix(), comment_above(lines, i)
    return "", ""


def cell(text):
    return text.replace("|", "\\|") or "—"


def render(root):
    out = [
        "# The design's names",
        "",
        "Written by `python3 scripts/names.py` from `cmake/DesignNames.cmake`, the list the naming check",
        "keeps; the ctest `names-doc` fails when this page and the list part. Do not edit it by hand:",
        "change the list or the comment above the declaration, then run the script.",
        "",
        "Everything else in the code is Qt style in a namespace (HACKING.md, \"Names\").",
        "",
        "## Abbreviations in the names",
        "",
        "| part | means |",
        "|---|---|",
    ]
    out += [f"| `{a}` | {b} |" for a, b in ABBREVIATIONS]
    out += [
        "",
        "## Procedures (`sb`) and functions (`fn`)",
        "",
        "| name | declared in | role |",
        "|---|---|---|",
    ]
    names = design_names(root)
    for name in sorted(names, key=str.lower):
        path, comment = where(root, name)
        role = names[name] or comment
        out.append(f"| `{name}` | {cell('`' + path + '`' if path else '')} | {cell(role)} |")
    return "\n".join(out) + "\n"


def main(argv):
    check = "--check" in argv
    rest = [a for a in argv if a != "--check"]
    root = pathlib.Path(rest[0] if rest else pathlib.Path(__file__).resolve().parent.parent)
    page = root / "docs" / "NAMES.md"
    text = render(root)
    if check:
        if not page.exists() or page.read_text(encoding="utf-8") != text:
            print("docs/NAMES.md is out of date with cmake/DesignNames.cmake or the declarations' comments:"
                  " run python3 scripts/names.py", file=sys.stderr)
            return 1
        print(f"names-doc: docs/NAMES.md matches the {len(design_names(root))} names of the list")
        return 0
    page.write_text(text, encoding="utf-8")
    print(f"wrote {page}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
