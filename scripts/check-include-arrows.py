#!/usr/bin/env python3
"""Checks the direction of every #include "..." in our sources against the layering of the folders.

Every library puts the repository root on its public include path, so an include that points the
wrong way (a bottom folder reaching up, a library reaching into a sound backend or the Qt side)
still compiles. This check reads every quoted include of every .cpp and .h under the source
folders and fails on each one whose target folder is not the including folder itself or one that
it links, directly or through the folders that those link.

Usage: check-include-arrows.py [ROOT]   (ROOT defaults to the repository this script lives in)
"""

import re
import sys
from pathlib import Path

# The folders each folder's targets link (target_link_libraries in the CMake files, by folder).
LINKS = {
    "analysis": [],
    "display": [],
    "platform": [],
    "reference": [],
    "audio": ["platform"],
    "audio/sim": ["audio", "engine"],
    "audio/portaudio": ["audio"],
    "audio/file": ["audio", "engine"],
    "engine": ["analysis", "display", "audio"],
    "measurement": ["engine", "platform"],
    "dataexport": ["engine"],
    "settings": ["engine"],
    "dialogs": ["audio", "display", "settings"],
    "panel": ["engine", "measurement", "dialogs", "platform"],
    "qt": ["display", "dialogs"],
    "app": ["engine", "settings", "dialogs", "panel", "display", "audio/sim", "audio/portaudio",
            "audio/file", "dataexport", "qt"],
    "tools": ["measurement", "engine", "settings", "dialogs", "platform", "audio/sim",
              "audio/portaudio", "audio/file", "dataexport", "qt"],
    "bench": ["analysis", "engine", "qt", "reference", "audio/sim"],
    "fuzz": ["engine", "settings"],
}

# The test programs may include anything.
TESTS = "tests"

# Header-only includes that already point against the layering: the picture stages of display/
# take the engine's runtime record, and the network plot the sweep table of analysis/. Listed one
# by one so that no new include of the kind slips in beside them.
KNOWN_EXCEPTIONS = {
    ("display/LissajousStage.h", "engine/RuntimeState.h"),
    ("display/NetworkStage.h", "engine/RuntimeState.h"),
    ("display/NetworkStage.h", "analysis/SweepTable.h"),
    ("display/ScopeStage.h", "engine/RuntimeState.h"),
    ("display/SpectrumStage.h", "engine/RuntimeState.h"),
}

SKIPPED_TOP_FOLDERS = {".git", "share", "scripts"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def allowed_folders():
    """Each folder with every folder it may include: itself and what it links, transitively."""
    allowed = {}
    for folder in LINKS:
        seen, pending = {folder}, list(LINKS[folder])
        while pending:
            linked = pending.pop()
            if linked not in seen:
                seen.add(linked)
                pending.extend(LINKS[linked])
        allowed[folder] = seen
    return allowed


def folder_of(relative_path):
    """The table's folder that holds a file (the longest matching prefix), or None."""
    parts = Path(relative_path).parts[:-1]
    if parts and parts[0] == TESTS:
        return TESTS
    for length in range(len(parts), 0, -1):
        candidate = "/".join(parts[:length])
        if candidate in LINKS:
            return candidate
    return None


def source_files(root):
    for path in sorted(root.rglob("*")):
        relative = path.relative_to(root)
        top = relative.parts[0]
        if top in SKIPPED_TOP_FOLDERS or top.startswith("build"):
            continue
        if path.suffix in (".cpp", ".h") and path.is_file():
            yield path, relative.as_posix()


def resolve(root, including, name):
    """The included file relative to the root: beside the including file first, then the root."""
    for base in (including.parent, root):
        candidate = (base / name).resolve()
        if candidate.is_file():
            try:
                return candidate.relative_to(root.resolve()).as_posix()
            except ValueError:
                return None
    return None


def check(root):
    """Returns the list of problems found under root and the number of includes read."""
    allowed = allowed_folders()
    problems, count = [], 0
    for path, relative in source_files(root):
        folder = folder_of(relative)
        if folder is None:
            problems.append(f"{relative}: folder has no place in the layering table of {__file__}")
            continue
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, start=1):
            match = INCLUDE.match(line)
            if not match:
                continue
            count += 1
            name = match.group(1)
            target = resolve(root, path, name)
            if target is None:
                problems.append(f'{relative}:{number}: "{name}" is not a file of this repository')
                continue
            target_folder = folder_of(target)
            if folder == TESTS or target_folder in allowed[folder]:
                continue
            if (relative, target) in KNOWN_EXCEPTIONS:
                continue
            problems.append(f'{relative}:{number}: {folder}/ may not include "{name}" '
                            f"({target_folder or 'outside the layering'}/); "
                            f"{folder}/ may include {', '.join(sorted(allowed[folder]))}")
    return problems, count


def main(argv):
    root = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent.parent
    if not root.is_dir():
        print(f"check-include-arrows: {root} is not a directory", file=sys.stderr)
        return 2
    problems, count = check(root)
    for problem in problems:
        print(problem)
    if problems:
        print(f"check-include-arrows: {len(problems)} include(s) against the layering")
        return 1
    print(f"check-include-arrows: {count} includes follow the layering")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
