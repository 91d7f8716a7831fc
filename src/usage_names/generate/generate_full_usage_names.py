#!/usr/bin/env python3
"""Writes the full usage tables (src/usage_names/full/) from the HID Usage Tables data beside it.

Python 3, standard library only. The output is committed, so a build never runs this. Every
fact the lookup relies on is checked here first (counts, order, kinds, the Sensors modifiers),
and the headers repeat the checks the compiler can make (counts, strictly ascending ids).

    python3 generate_full_usage_names.py           write the headers
    python3 generate_full_usage_names.py --check   fail if a committed header is out of date
"""

import argparse
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "full"
USAGES = HERE / "hut-1.7-usages.tsv"
GENERATED = HERE / "hut-1.7-generated-pages.tsv"

# What the data's source note promises; a different file is a different data set.
EXPECTED_USAGES = 2770
EXPECTED_USAGE_PAGES = 30
EXPECTED_GENERATED_PAGES = 3

SENSORS_PAGE = 0x0020
MODIFIER_PREFIX = "Modifier: "

# Abbreviation in the data -> the table header's constant (UsageKinds.h has the long names).
KINDS = ["Sel", "OOC", "MC", "OSC", "RTC", "LC", "DV", "DF", "SV", "SF", "NAry",
         "CA", "CL", "CP", "UM", "US", "BufferedBytes"]


class DataError(Exception):
    pass


def fail(where, message):
    raise DataError(f"{where}: {message}")


def read_tsv(path, header):
    lines = path.read_text(encoding="utf-8").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or lines[0].split("\t") != header:
        fail(path.name, f"first line must be the header {header}")
    rows = []
    for number, line in enumerate(lines[1:], start=2):
        cells = line.split("\t")
        if len(cells) != len(header):
            fail(f"{path.name}:{number}", f"expected {len(header)} cells, found {len(cells)}")
        rows.append((f"{path.name}:{number}", cells))
    return rows


def parse_id(where, text):
    if not re.fullmatch(r"0x[0-9A-F]{4}", text):
        fail(where, f"id {text!r} is not 0x and four upper-case hexadecimal digits")
    return int(text, 16)


def parse_kinds(where, text):
    kinds = text.split(",")
    for kind in kinds:
        if kind not in KINDS:
            fail(where, f"unknown usage kind {kind!r}")
    if len(set(kinds)) != len(kinds):
        fail(where, f"repeated usage kind in {text!r}")
    return sorted(kinds, key=KINDS.index)


def clean_name(where, name):
    # The data escapes underscores as its source's markup did (VT\_NULL); the tables name these
    # usages VT_NULL. No other backslash may appear.
    name = name.replace("\\_", "_")
    if "\\" in name:
        fail(where, f"unexpected backslash in {name!r}")
    if not name or name != name.strip() or "  " in name:
        fail(where, f"name {name!r} is empty or has stray blanks")
    if any(ord(c) < 0x20 or ord(c) == 0x7F for c in name):
        fail(where, f"name {name!r} holds a control character")
    return name


def identifier(page_name):
    words = re.split(r"[^0-9A-Za-z]+", page_name)
    return "".join(w.capitalize() if w.isupper() else w[:1].upper() + w[1:] for w in words if w)


class Page:
    def __init__(self, page_id, name):
        self.id = page_id
        self.name = name
        self.usages = []  # (id, name, kinds)
        self.prefix = None
        self.first = self.last = 0
        self.kinds = []

    @property
    def table(self):
        return f"Full{identifier(self.name)}Usages"


def load():
    pages = {}
    for where, (page, page_name, usage, usage_name, kinds) in read_tsv(
            USAGES, ["page", "page_name", "usage", "usage_name", "kinds"]):
        page_id = parse_id(where, page)
        entry = pages.setdefault(page_id, Page(page_id, clean_name(where, page_name)))
        if entry.name != page_name:
            fail(where, f"page {page} named both {entry.name!r} and {page_name!r}")
        usage_id = parse_id(where, usage)
        if entry.usages and usage_id <= entry.usages[-1][0]:
            fail(where, f"usage {usage} does not follow {entry.usages[-1][0]:#06x} in order")
        entry.usages.append((usage_id, clean_name(where, usage_name), parse_kinds(where, kinds)))

    usage_count = sum(len(p.usages) for p in pages.values())
    if usage_count != EXPECTED_USAGES or len(pages) != EXPECTED_USAGE_PAGES:
        fail(USAGES.name, f"{usage_count} usages on {len(pages)} pages, expected "
                          f"{EXPECTED_USAGES} on {EXPECTED_USAGE_PAGES}")

    generated = read_tsv(GENERATED, ["page", "page_name", "name_prefix", "first_usage",
                                     "last_usage", "kinds"])
    if len(generated) != EXPECTED_GENERATED_PAGES:
        fail(GENERATED.name, f"{len(generated)} pages, expected {EXPECTED_GENERATED_PAGES}")
    for where, (page, page_name, prefix, first, last, kinds) in generated:
        page_id = parse_id(where, page)
        if page_id in pages:
            fail(where, f"page {page} is both listed and generated")
        entry = Page(page_id, clean_name(where, page_name))
        entry.prefix = clean_name(where, prefix)
        entry.first, entry.last = parse_id(where, first), parse_id(where, last)
        if not 0 < entry.first <= entry.last:
            fail(where, f"empty or zero-based range {first}-{last}")
        entry.kinds = parse_kinds(where, kinds)
        pages[page_id] = entry

    for page_id in pages:
        if page_id >= 0xFF00:
            fail(USAGES.name, f"page {page_id:#06x} lies in the vendor-defined range")
    check_sensors(pages.get(SENSORS_PAGE))
    return [pages[k] for k in sorted(pages)]


def check_sensors(sensors):
    # The lookup names a Sensors usage with its top four bits set as a base usage and a modifier,
    # so the page must list exactly the fifteen modifiers there and nothing else.
    if sensors is None:
        fail(USAGES.name, "no Sensors page")
    high = [(u, n) for u, n, _ in sensors.usages if u >= 0x1000]
    if [u for u, _ in high] != [m << 12 for m in range(1, 16)]:
        fail(USAGES.name, "Sensors usages from 0x1000 up must be the modifiers 0x1000 to 0xF000")
    for usage, name in high:
        if not name.startswith(MODIFIER_PREFIX) or len(name) == len(MODIFIER_PREFIX):
            fail(USAGES.name, f"Sensors usage {usage:#06x} is not named {MODIFIER_PREFIX!r}...")


def c_string(text):
    """A C++ string literal of the UTF-8 bytes of text."""
    out = []
    previous_hex = False
    for byte in text.encode("utf-8"):
        char = chr(byte)
        if byte >= 0x80:
            out.append(f"\\x{byte:02X}")
            previous_hex = True
            continue
        if previous_hex and char in "0123456789abcdefABCDEF":
            out.append('" "')  # a hex escape would swallow the digit
        previous_hex = False
        out.append("\\" + char if char in '"\\' else char)
    return '"' + "".join(out) + '"'


def static_assert(condition, message):
    """A static_assert laid out as clang-format lays it out at 100 columns."""
    line = f'static_assert({condition}, "{message}");'
    if len(line) <= 100:
        return [line]
    return [f"static_assert({condition},", f'              "{message}");']


def kinds_expression(kinds):
    return " | ".join(kinds)


BANNER = ("// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage\n"
          "// Tables data beside it. Do not edit: change the data or the script and run it again.\n")


def page_header(page):
    width = max(len(kinds_expression(k)) for _, _, k in page.usages) + 1
    lines = [
        "#pragma once", "", BANNER.rstrip("\n"), "",
        '#include "usage_names/full/FullUsageEntry.h"', "", "#include <iterator>", "",
        "namespace quorlix::full_usages {", "",
        f"// Usages of the {page.name} page (0x{page.id:04X}), ascending by id.",
        "// clang-format off",
        f"inline constexpr FullUsageEntry {page.table}[] = {{",
    ]
    for usage, name, kinds in page.usages:
        kinds_text = (kinds_expression(kinds) + ",").ljust(width)
        lines.append(f"    {{ 0x{usage:04X}, {kinds_text} {c_string(name)} }},")
    lines += [
        "};",
        "// clang-format on",
        "",
        *static_assert(f"std::size({page.table}) == {len(page.usages)}",
                       f"the {page.name} page lists {len(page.usages)} usages"),
        *static_assert(f"IsStrictlyAscending({page.table})",
                       f"{page.name} usage ids must ascend without repeats"),
        "",
        "} // namespace quorlix::full_usages",
        "",
    ]
    return "\n".join(lines)


def pages_header(pages):
    listed = [p for p in pages if p.prefix is None]
    longest_name = max(len(n.encode("utf-8")) for p in listed for _, n, _ in p.usages)
    sensors = next(p for p in pages if p.id == SENSORS_PAGE)
    longest_modifier = max(len(n) - len(MODIFIER_PREFIX) for u, n, _ in sensors.usages
                           if u >= 0x1000)
    longest_page = max(len(p.name.encode("utf-8")) for p in pages)
    lines = ["#pragma once", "", BANNER.rstrip("\n"), ""]
    lines += [f'#include "usage_names/full/{p.table}.h"' for p in listed]
    lines += [
        '#include "usage_names/full/FullUsageEntry.h"', "", "#include <cstddef>",
        "#include <iterator>", "", "namespace quorlix::full_usages {", "",
        "// Every page the tables define, ascending by id: its name and either its listed usages",
        "// or the prefix and range of its generated names.",
        "// clang-format off",
        "inline constexpr FullUsagePage FullUsagePages[] = {",
    ]
    for p in pages:
        if p.prefix is None:
            lines.append(f"    {{ 0x{p.id:04X}, {c_string(p.name)}, {p.table} }},")
        else:
            lines.append(f"    {{ 0x{p.id:04X}, {c_string(p.name)}, {{}}, {c_string(p.prefix)}, "
                         f"0x{p.first:04X}, 0x{p.last:04X}, {kinds_expression(p.kinds)} }},")
    usage_count = sum(len(p.usages) for p in listed)
    lines += [
        "};",
        "// clang-format on",
        "",
        *static_assert(f"std::size(FullUsagePages) == {len(pages)}",
                       f"{len(listed)} pages with listed usages and {len(pages) - len(listed)} "
                       "with generated names"),
        *static_assert("IsStrictlyAscending(FullUsagePages)",
                       "page ids must ascend without repeats"),
        *static_assert(f"CountListedUsages(FullUsagePages) == {usage_count}",
                       f"the tables list {usage_count} usages"),
        "",
        "// Bytes of the longest listed usage name, modifier name (without \"Modifier: \") and page",
        "// name, for the lookup to check that every name it builds fits.",
        f"inline constexpr std::size_t kLongestListedUsageName = {longest_name};",
        f"inline constexpr std::size_t kLongestSensorModifierName = {longest_modifier};",
        f"inline constexpr std::size_t kLongestPageName = {longest_page};",
        "",
        "} // namespace quorlix::full_usages",
        "",
    ]
    return "\n".join(lines)


def outputs(pages):
    files = {f"{p.table}.h": page_header(p) for p in pages if p.prefix is None}
    files["FullUsagePages.h"] = pages_header(pages)
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="write nothing; fail if a committed header is out of date")
    args = parser.parse_args()
    try:
        files = outputs(load())
    except DataError as error:
        print(f"generate_full_usage_names: {error}", file=sys.stderr)
        return 1
    stale = []
    for name, text in files.items():
        path = OUT / name
        if args.check:
            if not path.exists() or path.read_text(encoding="utf-8") != text:
                stale.append(name)
            continue
        if not path.exists() or path.read_text(encoding="utf-8") != text:
            path.write_text(text, encoding="utf-8")
    known = set(files) | {"FullUsageEntry.h"}
    extra = sorted(p.name for p in OUT.glob("*.h") if p.name not in known)
    if args.check and (stale or extra):
        print("generate_full_usage_names: out of date: " + ", ".join(stale + extra),
              file=sys.stderr)
        return 1
    for name in extra:
        (OUT / name).unlink()
    return 0


if __name__ == "__main__":
    sys.exit(main())
