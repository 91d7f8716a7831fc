#!/usr/bin/env python3
"""Turns the results of bench/run.sh into the Markdown tables of docs/performance.md."""

import json
import os
import platform
import sys
import textwrap
from pathlib import Path

UNIT_TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
SHAPES = ["fields", "reports", "collections", "nesting", "usages", "pushpop"]
SIZES = ["1K", "4K", "16K", "64K"]


def medians(path):
    """Median of every benchmark in a Google Benchmark JSON file, by run name."""
    if not path.exists():
        return {}
    runs = {}
    for entry in json.loads(path.read_text())["benchmarks"]:
        if entry.get("run_type") == "aggregate" and entry.get("aggregate_name") != "median":
            continue
        runs[entry["run_name"]] = entry
    return runs


def ms(entry):
    """Wall time in ms."""
    return entry["real_time"] * UNIT_TO_MS[entry["time_unit"]]


def cpu_ms(entry):
    """CPU time in ms: what the benchmark itself spent, whatever else ran on the machine."""
    return entry["cpu_time"] * UNIT_TO_MS[entry["time_unit"]]


def machine():
    model = "unknown CPU"
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            model = line.split(":", 1)[1].strip()
            break
    system = "Linux"
    os_release = Path("/etc/os-release")
    if os_release.exists():
        for line in os_release.read_text().splitlines():
            if line.startswith("PRETTY_NAME="):
                system = line.split("=", 1)[1].strip('"')
    return f"{system}, {model}, {os.cpu_count()} cores, {platform.machine()}"


def shape_table(results):
    runs = medians(results / "shapes.json")
    if not runs:
        return
    print("Whole analysis of synthetic descriptors (read the text, analyse it as the window does:")
    print("item list, both pane texts, report model and findings; write the saved analysis):")
    print("median CPU time in ms at each size, wall time at 64 KiB, and the time per descriptor")
    print("byte at 64 KiB over that at 4 KiB (1.00 is perfectly linear):\n")
    print("| shape | 1 KiB | 4 KiB | 16 KiB | 64 KiB | 64 KiB wall | ns/byte 4 KiB "
          "| ns/byte 64 KiB | 64K/4K |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|---:|")
    for shape in SHAPES:
        cells = [runs.get(f"Shape/{shape}/{size}") for size in SIZES]
        if None in cells:
            continue
        per_byte = [entry["per_byte"] * 1e9 for entry in cells]
        print(f"| {shape} | " + " | ".join(f"{cpu_ms(entry):.3f}" for entry in cells) +
              f" | {ms(cells[3]):.3f} | {per_byte[1]:.1f} | {per_byte[3]:.1f} "
              f"| {per_byte[3] / per_byte[1]:.2f} |")
    print()
    print("The three stages apart at 64 KiB, CPU ms:\n")
    print("| shape | parse | pane texts | saved analysis |")
    print("|---|---:|---:|---:|")
    for shape in SHAPES:
        stages = [runs.get(f"Stage/{stage}/{shape}/64K") for stage in ("parse", "layout", "saved")]
        if None in stages:
            continue
        print(f"| {shape} | " + " | ".join(f"{cpu_ms(entry):.3f}" for entry in stages) + " |")
    print()


def corpus_table(results):
    runs = medians(results / "corpus.json")
    if not runs:
        return
    files = {name: entry for name, entry in runs.items() if name != "Corpus/all"}
    whole = runs.get("Corpus/all")
    slowest = max(files.items(), key=lambda item: cpu_ms(item[1]))
    lowest = min(files.items(), key=lambda item: item[1]["bytes_per_second"])
    print("Whole analysis of the corpus (CPU time; rates in descriptor bytes per second):\n")
    print("| measure | figure |")
    print("|---|---:|")
    if whole:
        print(f"| all {len(files)} files, one after the other | {cpu_ms(whole):.3f} ms, "
              f"{whole['bytes_per_second'] / 2**20:.1f} MiB/s |")
    print(f"| slowest file ({slowest[0].removeprefix('Corpus/')}) | "
          f"{cpu_ms(slowest[1]) * 1000:.1f} us |")
    print(f"| lowest rate ({lowest[0].removeprefix('Corpus/')}) | "
          f"{lowest[1]['bytes_per_second'] / 2**20:.1f} MiB/s |")
    print()


def reader_table(results):
    runs = medians(results / "reader.json")
    if not runs:
        return
    print("Text reader on 1 MiB of firmware source (a C array with a comment per item):\n")
    print("| benchmark | time | text per second |")
    print("|---|---:|---:|")
    for name, entry in runs.items():
        print(f"| {name} | {cpu_ms(entry):.3f} ms | {entry['bytes_per_second'] / 2**20:.0f} MiB/s |")
    print()


def window_table(results):
    runs = medians(results / "window.json")
    if not runs:
        return
    kinds = ["shown", "panes-filled", "scroll-page", "scroll-jump"]
    print("The window, offscreen, on the 64 KiB descriptors, ms of wall time (CPU time): Analyse")
    print("until the list and both panes are painted; until the panes hold their whole texts; one")
    print("painted frame of scrolling the list by a page, or from end to end:\n")
    print("| shape | rows | " + " | ".join(kinds) + " |")
    print("|---|---:|" + "---:|" * len(kinds))
    for shape in SHAPES:
        cells = [runs.get(f"Window/{kind}/{shape}/64K") for kind in kinds]
        if None in cells:
            continue
        cpu = [entry["cpu_time"] * UNIT_TO_MS[entry["time_unit"]] for entry in cells]
        print(f"| {shape} | {int(cells[0].get('rows', 0))} | " +
              " | ".join(f"{ms(entry):.1f} ({c:.1f})" for entry, c in zip(cells, cpu)) + " |")
    print()


def startup_table(results):
    folder = results / "startup"
    if not folder.exists():
        return
    pairs = []
    for path in sorted(folder.glob("*.json")):
        empty, cli = json.loads(path.read_text())["results"]
        pairs.append((path.stem, empty, cli))
    if not pairs:
        return

    def cpu(result):
        return result["user"] + result["system"]

    def ratio(pair):
        return pair[2]["median"] / pair[1]["median"]

    pairs.sort(key=ratio)
    typical = pairs[len(pairs) // 2]
    worst = pairs[-1]
    over = [pair for pair in pairs if ratio(pair) > 1.5]
    runs = len(typical[1]["times"])
    print(textwrap.fill(
        f"Whole-process time of `quorlix-cli analyse` on each of the {len(pairs)} corpus "
        "descriptors against a C++ program that only starts and exits, each descriptor timed "
        f"together with that program (hyperfine, {runs} runs of each; median wall time, and "
        "mean CPU time, user and system):", 100, break_on_hyphens=False) + "\n")
    print("| descriptor | empty program | quorlix-cli analyse | ratio | CPU ratio |")
    print("|---|---:|---:|---:|---:|")
    shown = [("median ratio: " + typical[0], typical), ("highest ratio: " + worst[0], worst)]
    for label, (_, empty, cli) in shown:
        print(f"| {label} | {empty['median'] * 1e3:.3f} ms | {cli['median'] * 1e3:.3f} ms | "
              f"{cli['median'] / empty['median']:.2f} | {cpu(cli) / cpu(empty):.2f} |")
    print()
    cpu_over = [pair for pair in pairs if cpu(pair[2]) / cpu(pair[1]) > 1.5]

    def listing(pairs_over, measure):
        if not pairs_over:
            return "all of them"
        return f"{len(pairs) - len(pairs_over)}; over it: " + ", ".join(
            f"{name} {measure(empty, cli):.2f}" for name, empty, cli in pairs_over)

    print(textwrap.fill(
        "Descriptors within 1.5 times the empty program, by wall time: " +
        listing(over, lambda empty, cli: cli["median"] / empty["median"]) + "; by CPU time: " +
        listing(cpu_over, lambda empty, cli: cpu(cli) / cpu(empty)) + ".", 100,
        break_on_hyphens=False))
    print()


def memory_table(results):
    path = results / "peak-rss.txt"
    if not path.exists():
        return
    table = {}
    commands = []
    for line in path.read_text().splitlines():
        name, command, kib = line.split("|")
        table.setdefault(name, {})[command] = int(kib)
        if command not in commands:
            commands.append(command)
    print("Peak resident memory of quorlix-cli on the 64 KiB descriptors, MiB:\n")
    print("| descriptor | " + " | ".join(f"`{command}`" for command in commands) + " |")
    print("|---|" + "---:|" * len(commands))
    for name, row in table.items():
        print(f"| {name} | " + " | ".join(f"{row[c] / 1024:.1f}" for c in commands) + " |")
    print()


def check_table(results):
    runs = medians(results / "check.json")
    if not runs:
        return
    print("The diagnostics pass alone (`quorlix_bench_check`), CPU ms, on the shapes and on")
    print("descriptors where every item is a finding:\n")
    print("| shape | " + " | ".join(f"{size}iB" for size in SIZES) + " | findings at 64 KiB |")
    print("|---|" + "---:|" * (len(SIZES) + 1))
    worst = ["end-collections", "pushes", "open-collections", "same-report-size"]
    for shape in SHAPES + worst:
        cells = [runs.get(f"Check/{shape}/{size}") for size in SIZES]
        if cells[3] is None:
            continue
        print(f"| {shape} | " + " | ".join("" if entry is None else f"{cpu_ms(entry):.3f}"
                                           for entry in cells) +
              f" | {int(cells[3].get('findings', 0)):,} |")
    print()


def forms_table(results):
    runs = medians(results / "forms.json")
    if not runs:
        return
    print("Each descriptor form (`quorlix_bench_forms`), median CPU time:\n")
    print("| benchmark | CPU time |")
    print("|---|---:|")
    for name, entry in runs.items():
        print(f"| {name} | {cpu_ms(entry):.3f} ms |")
    print()


def capture_table(results):
    runs = medians(results / "capture_decode.json")
    if runs:
        print("`decode CAPTURE` through the function the command runs (`quorlix_bench_capture_decode`:")
        print("a generated usbmon capture of 200,000 8-byte keyboard reports read twice, every report")
        print("decoded and written to /dev/null), median:\n")
        print("| output | CPU ms | reports a second |")
        print("|---|---:|---:|")
        for name, entry in runs.items():
            print(f"| {name} | {cpu_ms(entry):.1f} | {entry.get('items_per_second', 0) / 1e6:.2f} M |")
        print()
    path = results / "capture-cli.txt"
    if not path.exists():
        return
    print("quorlix-cli on a generated usbmon capture of 2,000,000 8-byte reports (176 MB), as whole")
    print("processes, output to /dev/null:\n")
    print("| command | wall s | user s | system s | reports a second (wall) | peak memory MiB |")
    print("|---|---:|---:|---:|---:|---:|")
    for line in path.read_text().splitlines():
        command, reports, wall, user, system, kib = line.split("|")
        rate = int(reports) / max(float(wall), 1e-9) / 1e6
        print(f"| `{command}` | {wall} | {user} | {system} | {rate:.2f} M | {int(kib) / 1024:.1f} |")
    print()


def main():
    results = Path(sys.argv[1] if len(sys.argv) > 1 else "build-bench/results")
    print(f"Machine: {machine()}.\n")
    shape_table(results)
    corpus_table(results)
    reader_table(results)
    forms_table(results)
    check_table(results)
    capture_table(results)
    window_table(results)
    startup_table(results)
    memory_table(results)


if __name__ == "__main__":
    main()
