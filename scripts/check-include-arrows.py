#!/usr/bin/env python3
"""Checks the direction of every #include "..." in our sources against the layering of the folders.

Every library puts the repository root on its public include path, so an include that points the
wrong way (a bottom folder reaching up, a library reaching into a sound backend or the Qt side)
still compiles. This check reads every quoted include of every .cpp and .h under the source
folders and fails on each one whose target folder is not the including folder itself or one that
it links, directly or through the folders that those link.

The layering is the build's own: the CMake configuration writes, for every folder with targets,
the folders whose libraries they link (include-links.json in the build directory), and the folders
whose targets that configuration leaves out, whose files are then not checked.

Usage: check-include-arrows.py LINK_TABLE [ROOT]   (ROOT defaults to the repository this script
lives in)
"""

import json
import re
import sys
from pathlib import Path

# The test programs may include anything.
TESTS = "tests"

SKIPPED_TOP_FOLDERS = {".git", "share", "scripts"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def read_link_table(path):
    """The links and the unbuilt folders of a link table file."""
    table = json.loads(Path(path).read_text(encoding="utf-8"))
    return table["links"], table.get("unbuilt", [])


def allowed_folders(links):
    """Each folder with every folder it may include: itself and what it links, transitively."""
    allowed = {}
    for folder in links:
        seen, pending = {folder}, list(links[folder])
        while pending:
            linked = pending.pop()
            if linked not in seen:
                seen.add(linked)
                pending.extend(links.get(linked, []))
        allowed[folder] = seen
    return allowed


def folder_of(relative_path, folders):
    """The folder among `folders` that holds a file (the longest matching prefix), or None."""
    parts = Path(relative_path).parts[:-1]
    if parts and parts[0] == TESTS:
        return TESTS
    for length in range(len(parts), 0, -1):
        candidate = "/".join(parts[:length])
        if candidate in folders:
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


def check(root, links, unbuilt=()):
    """Returns the list of problems found under root and the number of includes read."""
    allowed = allowed_folders(links)
    known = set(links) | set(unbuilt)
    problems, count = [], 0
    for path, relative in source_files(root):
        folder = folder_of(relative, known)
        if folder in unbuilt:
            continue
        if folder is None:
            problems.append(f"{relative}: folder has no target in the build's link table")
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
            target_folder = folder_of(target, known)
            if folder == TESTS or target_folder in allowed[folder]:
                continue
            problems.append(f'{relative}:{number}: {folder}/ may not include "{name}" '
                            f"({target_folder or 'outside the layering'}/); "
                            f"{folder}/ may include {', '.join(sorted(allowed[folder]))}")
    return problems, count


def main(argv):
    if len(argv) < 2:
        print("usage: check-include-arrows.py LINK_TABLE [ROOT]", file=sys.stderr)
        return 2
    root = Path(argv[2]) if len(argv) > 2 else Path(__file__).resolve().parent.parent
    if not root.is_dir():
        print(f"check-include-arrows: {root} is not a directory", file=sys.stderr)
        return 2
    try:
        links, unbuilt = read_link_table(argv[1])
    except (OSError, ValueError, KeyError) as error:
        print(f"check-include-arrows: {argv[1]}: no link table ({error})", file=sys.stderr)
        return 2
    problems, count = check(root, links, unbuilt)
    for problem in problems:
        print(problem)
    if problems:
        print(f"check-include-arrows: {len(problems)} include(s) against the layering")
        return 1
    print(f"check-include-arrows: {count} includes follow the layering")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
