#!/usr/bin/env python3
"""Keeps the floors of the game's code in order.

Every `#include "..."` of the game's folders is read; an include that reaches a
folder on a higher floor than the including file's own fails the check, with the
file and line named. Folders on one floor may include each other. A lower floor
that must call up takes a function pointer that the upper floor installs.

  tools/check_floors.py              check the tree this script lives in
  tools/check_floors.py --root DIR   check another tree
  tools/check_floors.py --self-test  plant an upward include in a copy and expect a failure
"""

# The floors, from the ground. A path belongs to the longest folder that starts it;
# everything directly in app/ (and any folder of app/ not named here) is the shell
# on top: WinMain, InitGame, the main window and its requests, the frame step and
# the table of scene makers.
FLOORS = [
    (0, "platform"),   # the only place that includes system headers
    (1, "app/base"),   # records, containers, helpers, report and trace logs, boxes, threads
    (1, "res"),        # the dialog templates
    (2, "draw"),
    (3, "data"),
    (4, "app/svc"),    # the services that play uses: scenes, input, cursor, animation, settings
    (4, "app/ui"),     # the dialogs
    (4, "app/sound"),  # sound effects and music requests
    (5, "chara"),
    (5, "stage"),
    (6, "modes"),
    (7, "app"),        # the shell
]

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inc")


def floor_of(path):
    """(floor, folder) of a root-relative path, or None outside the game's folders."""
    best = None
    for level, folder in FLOORS:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best[1]):
                best = (level, folder)
    return best


def game_files(root):
    tops = sorted({folder.split("/")[0] for _, folder in FLOORS})
    for top in tops:
        base = os.path.join(root, top)
        for dirpath, dirnames, filenames in os.walk(base):
            dirnames.sort()
            for name in sorted(filenames):
                if name.endswith(SOURCE_SUFFIXES):
                    full = os.path.join(dirpath, name)
                    yield os.path.relpath(full, root).replace(os.sep, "/")


def check(root):
    """The list of faults, each 'file:line: message'."""
    faults = []
    for rel in game_files(root):
        own = floor_of(rel)
        if own is None:
            continue
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                target = m.group(1)
                if not os.path.exists(os.path.join(root, target)):
                    # Includes name files from the root; a same-folder name is read as such.
                    local = os.path.join(os.path.dirname(rel), target).replace(os.sep, "/")
                    if os.path.exists(os.path.join(root, local)):
                        target = os.path.normpath(local).replace(os.sep, "/")
                theirs = floor_of(target)
                if theirs is None:
                    faults.append(f"{rel}:{number}: includes \"{m.group(1)}\", which is on no floor")
                elif theirs[0] > own[0]:
                    faults.append(f"{rel}:{number}: {own[1]}/ (floor {own[0]}) includes \"{m.group(1)}\" "
                                  f"of {theirs[1]}/ (floor {theirs[0]}), a higher floor")
    return faults


def self_test(root):
    """Copies the game's folders, plants an include of the shell into a low floor,
    and expects the check to fail on exactly that line (and to pass without it)."""
    with tempfile.TemporaryDirectory() as tmp:
        for top in sorted({folder.split("/")[0] for _, folder in FLOORS}):
            src = os.path.join(root, top)
            if os.path.isdir(src):
                shutil.copytree(src, os.path.join(tmp, top))
        before = check(tmp)
        if before:
            print("self-test: the copy fails before anything is planted:", *before, sep="\n  ")
            return 1
        planted = os.path.join(tmp, "app", "base", "zz_planted.cpp")
        with open(planted, "w", encoding="utf-8") as f:
            f.write('#include "app/base/report_log.h"\n#include "app/win_main.h"\n')
        # The check is run as CI runs it, as a program, so its exit code is tested too.
        run = subprocess.run([sys.executable, os.path.abspath(__file__), "--root", tmp],
                             capture_output=True, text=True)
        expected = "app/base/zz_planted.cpp:2:"
        if run.returncode == 0 or expected not in run.stdout or "zz_planted.cpp:1:" in run.stdout:
            print("self-test: the planted upward include was not caught as expected")
            print(run.stdout, run.stderr, sep="")
            return 1
    print("self-test: the planted upward include is caught")
    return 0


def main():
    parser = argparse.ArgumentParser(description="Checks that no folder includes a folder above it.")
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument("--self-test", action="store_true")
    args = parser.parse_args()
    if args.self_test:
        return self_test(args.root)
    faults = check(args.root)
    for fault in faults:
        print(fault)
    if faults:
        print(f"floors: {len(faults)} include(s) reach a higher floor", file=sys.stderr)
        return 1
    print("floors: in order")
    return 0


if __name__ == "__main__":
    sys.exit(main())
