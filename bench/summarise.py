#!/usr/bin/env python3
"""Turns the results of bench/run.sh into the Markdown tables the README shows."""

import json
import os
import platform
import sys
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
    return entry["real_time"] * UNIT_TO_MS[entry["time_unit"]]


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
    print("Whole analysis of synthetic descriptors (read text, parse, both pane texts, saved")
    print("analysis, release), median time in ms, and time per byte at 64 KiB over that at 4 KiB:\n")
    print("| shape | 1 KiB | 4 KiB | 16 KiB | 64 KiB | ns/byte 4 KiB | ns/byte 64 KiB | 64K/4K |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|")
    for shape in SHAPES:
        cells = [runs.get(f"Shape/{shape}/{size}") for size in SIZES]
        if None in cells:
            continue
        per_byte = [entry["per_byte"] * 1e9 for entry in cells]
        print(f"| {shape} | " + " | ".join(f"{ms(entry):.3f}" for entry in cells) +
              f" | {per_byte[1]:.1f} | {per_byte[3]:.1f} | {per_byte[3] / per_byte[1]:.2f} |")
    print()
    print("The three stages apart at 64 KiB, ms:\n")
    print("| shape | parse | pane texts | saved analysis |")
    print("|---|---:|---:|---:|")
    for shape in SHAPES:
        stages = [runs.get(f"Stage/{stage}/{shape}/64K") for stage in ("parse", "layout", "saved")]
        if None in stages:
            continue
        print(f"| {shape} | " + " | ".join(f"{ms(entry):.3f}" for entry in stages) + " |")
    print()


def corpus_table(results):
    runs = medians(results / "corpus.json")
    if not runs:
        return
    files = {name: entry for name, entry in runs.items() if name != "Corpus/all"}
    whole = runs.get("Corpus/all")
    slowest = max(files.items(), key=lambda item: ms(item[1]))
    lowest = min(files.items(), key=lambda item: item[1]["bytes_per_second"])
    print("Whole analysis of the corpus:\n")
    print("| measure | figure |")
    print("|---|---:|")
    if whole:
        print(f"| all {len(files)} files, one after the other | {ms(whole):.3f} ms, "
              f"{whole['bytes_per_second'] / 2**20:.1f} MiB/s |")
    print(f"| slowest file ({slowest[0].removeprefix('Corpus/')}) | {ms(slowest[1]) * 1000:.1f} us |")
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
        print(f"| {name} | {ms(entry):.3f} ms | {entry['bytes_per_second'] / 2**20:.0f} MiB/s |")
    print()


def window_table(results):
    runs = medians(results / "window.json")
    if not runs:
        return
    print("The window, offscreen, on the 64 KiB descriptors, ms:\n")
    print("| benchmark | time |")
    print("|---|---:|")
    for name, entry in runs.items():
        print(f"| {name} | {ms(entry):.2f} |")
    print()


def startup_table(results):
    empty_path = results / "startup-empty.json"
    cli_path = results / "startup-cli.json"
    if not empty_path.exists() or not cli_path.exists():
        return
    empty = json.loads(empty_path.read_text())["results"][0]
    cli = json.loads(cli_path.read_text())["results"]
    worst = max(cli, key=lambda result: result["mean"])
    typical = sorted(result["mean"] for result in cli)[len(cli) // 2]
    print(f"Whole-process time of `quorlix-cli analyse` on each of the {len(cli)} corpus "
          "descriptors against a C++ program that only starts and exits (hyperfine, "
          f"{empty['times'].__len__()} runs each):\n")
    print("| program | mean | ratio to the empty program |")
    print("|---|---:|---:|")
    print(f"| empty C++ program | {empty['mean'] * 1e3:.3f} ms ± {empty['stddev'] * 1e3:.3f} | 1.00 |")
    print(f"| quorlix-cli analyse, median descriptor | {typical * 1e3:.3f} ms | "
          f"{typical / empty['mean']:.2f} |")
    name = Path(worst["parameters"]["file"]).name
    print(f"| quorlix-cli analyse, slowest ({name}) | {worst['mean'] * 1e3:.3f} ms "
          f"± {worst['stddev'] * 1e3:.3f} | {worst['mean'] / empty['mean']:.2f} |")
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


def main():
    results = Path(sys.argv[1] if len(sys.argv) > 1 else "build-bench/results")
    print(f"Machine: {machine()}.\n")
    shape_table(results)
    corpus_table(results)
    reader_table(results)
    window_table(results)
    startup_table(results)
    memory_table(results)


if __name__ == "__main__":
    main()
