#!/usr/bin/env python3
"""Prints the benchmarks' Google Benchmark JSON files as one markdown table with the machine.

    bench_table.py --build BUILD_DIR --scratch SCRATCH_DIR RESULT.json...

Each row takes the median over the repetitions. A row with a baseline shows the ratio of the
tool's time to the baseline's and whether it meets its goal; any benchmark that no row names
is listed at the end with its time alone, so nothing measured is left out.
"""

import argparse
import glob
import json
import os
import platform
import re
import subprocess

# (measurement, tool run, baseline run or None, goal ratio or None), in table order.
ROWS = [
    ("Start-up to main dialog shown (vs. bare QDialog; offscreen)", "StartupToShown/main_dialog/manual_time",
     "StartupToShown/bare_qdialog/manual_time", 1.2),
    ("Start-up of a QDialog with one label (vs. bare QDialog)", "StartupToShown/qdialog_with_one_label/manual_time",
     "StartupToShown/bare_qdialog/manual_time", None),
    ("BuildFirmwareImage, 65535 bytes (vs. fopen/fread/fwrite copy)", "BM_BuildFirmwareImage",
     "BM_PlainCopy", 1.5),
    ("Update Configuration (vs. its 1 file synced)", "BM_Download/configuration/real_time",
     "BM_SyncedWrites/configuration/real_time", 2.0),
] + [
    (f"{title}, firmware {size_text} (vs. its 3 files synced)",
     f"BM_Download/{name}/{size}/real_time", f"BM_SyncedWrites/{name}/{size}/real_time", 2.0)
    for name, title in (("firmware", "Update Firmware"),
                        ("configuration_firmware", "Update Configuration / Firmware"))
    for size, size_text in ((16384, "16 KiB"), (65535, "65535 B"))
] + [
    ("Load of an INI file with all 9 keys", "BM_LoadIniFile/real_time", None, None),
    ("Commit of a full form", "BM_CommitForm", None, None),
    ("ROM image Config_Rom.bin, firmware 65535 B", "BM_WriteRomImage/config_rom/real_time",
     None, None),
    ("ROM image UnConfig_Rom.bin, firmware 65535 B", "BM_WriteRomImage/unconfig_rom/real_time",
     None, None),
    ("Register READ, address 0, length 0x100", "BM_ReadRegisters/real_time", None, None),
    ("Soak: 10,000 cycles of Load, Save and Load, Load, Update Configuration / Firmware",
     "BM_SoakLoadSaveDownload/iterations:1", None, None),
]

SECONDS_PER_UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def load_runs(paths):
    """Run name -> its median entry; a run without repetitions counts as its own median."""
    runs = {}
    for path in paths:
        with open(path, encoding="utf-8") as file:
            for entry in json.load(file)["benchmarks"]:
                name = entry.get("run_name", entry["name"])
                if entry.get("run_type") != "aggregate" or entry.get("aggregate_name") == "median":
                    runs[name] = entry
    return runs


def repetitions(paths):
    for path in paths:
        with open(path, encoding="utf-8") as file:
            for entry in json.load(file)["benchmarks"]:
                if entry.get("run_type") == "aggregate":
                    return entry["repetitions"]
    return 1


def seconds(entry):
    return entry["real_time"] * SECONDS_PER_UNIT[entry.get("time_unit", "ns")]


def format_time(entry):
    if entry.get("error_occurred"):
        return "error: " + entry.get("error_message", "?")
    value = seconds(entry)
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if value >= scale:
            return f"{value / scale:.3g} {unit}"
    return f"{value / 1e-9:.3g} ns"


def soak_note(entry):
    if "rss_highest_KiB" not in entry:
        return ""
    growth = entry["rss_highest_KiB"] - entry["rss_after_warmup_KiB"]
    return (f" (RSS +{growth:.0f} KiB after warm-up, handles "
            f"{entry['fd_after_warmup']:.0f} → {entry['fd_at_end']:.0f})")


def row(measurement, tool, baseline, goal, runs):
    tool_entry, base_entry = runs.pop(tool, None), runs.get(baseline) if baseline else None
    if tool_entry is None:
        return None
    cells = [measurement, format_time(tool_entry) + soak_note(tool_entry), "—", "—", "—"]
    if base_entry is not None:
        cells[2] = format_time(base_entry)
        if not (tool_entry.get("error_occurred") or base_entry.get("error_occurred")):
            ratio = seconds(tool_entry) / seconds(base_entry)
            cells[3] = f"{ratio:.2f}×"
            if goal is not None:
                cells[4] = f"≤ {goal:g}× " + ("(met)" if ratio <= goal else "(missed)")
    return cells


def first_match(path_glob, pattern):
    for path in sorted(glob.glob(path_glob)):
        with open(path, encoding="utf-8") as file:
            if found := re.search(pattern, file.read()):
                return found.group(1)
    return "?"


def machine(build, scratch):
    cpu = first_match("/proc/cpuinfo", r"model name\s*:\s*(.*)")
    compiler = first_match(f"{build}/CMakeFiles/*/CMakeCXXCompiler.cmake",
                           r'CMAKE_CXX_COMPILER_ID "(\w+)"')
    version = first_match(f"{build}/CMakeFiles/*/CMakeCXXCompiler.cmake",
                          r'CMAKE_CXX_COMPILER_VERSION "([\d.]+)"')
    qt_dir = first_match(f"{build}/CMakeCache.txt", r"Qt6Core_DIR:PATH=(.*)")
    qt = first_match(f"{qt_dir}/Qt6CoreConfigVersion*.cmake", r'PACKAGE_VERSION "([\d.]+)"')
    build_type = first_match(f"{build}/CMakeCache.txt", r"CMAKE_BUILD_TYPE:STRING=(.*)")
    fs_type = subprocess.run(["df", "--output=fstype", scratch], capture_output=True,
                             text=True, check=False).stdout.split()[-1:] or ["?"]
    return (f"Machine: {cpu}, {os.cpu_count()} cores, Linux {platform.release()}; scratch "
            f"folder on {fs_type[0]} ({os.path.dirname(scratch.rstrip('/'))}); "
            f"{compiler} {version}, {build_type}; Qt {qt}.")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--scratch", required=True)
    parser.add_argument("results", nargs="+")
    arguments = parser.parse_args()
    runs = load_runs(arguments.results)
    lines = ["| measurement | tool | baseline | ratio | goal |", "|---|---|---|---|---|"]
    for measurement, tool, baseline, goal in ROWS:
        if cells := row(measurement, tool, baseline, goal, runs):
            lines.append("| " + " | ".join(cells) + " |")
    baselines = {baseline for _, _, baseline, _ in ROWS if baseline}
    for name in sorted(set(runs) - baselines):
        lines.append(f"| {name} | {format_time(runs[name])} | — | — | — |")
    print("\n".join(lines))
    print()
    print(f"Medians of {repetitions(arguments.results)} repetitions, interleaved at random; "
          "times are wall-clock.")
    print(machine(arguments.build, arguments.scratch))


if __name__ == "__main__":
    main()
