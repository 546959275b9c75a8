#!/usr/bin/env python3
"""Checks that the README's layout table and docs/architecture.md describe the tree as it is.

    check-layout.py ROOT

Every path in the README's "Path | What lives there" table and every folder in the
architecture page's subsystem table exists, and every top-level folder of the project, and
every folder of the module, has a row in the README's table. Exits 1 naming each mismatch,
77 outside a git checkout.
"""

import pathlib
import re
import subprocess
import sys

ROW = re.compile(r"^\| `([^`]+)` \|", re.MULTILINE)
FOLDER = re.compile(r"`((?:\.\.\./|[\w.-]+/)[\w./-]*)`")
MODULE = "services/mediadeviceservice"


def readme_paths(root):
    text = (root / "README.md").read_text()
    table = text[text.index("| Path | What lives there |"):]
    table = table[: table.index("\n\n")]
    return [path.rstrip("/") for path in ROW.findall(table)]


def architecture_folders(root):
    text = (root / "docs" / "architecture.md").read_text()
    table = text[text.index("| subsystem | folder |"):]
    table = table[: table.index("\n\n")]
    adapter = f"{MODULE}/src/featuresets/adapters/mediaDevice/"
    folders = []
    for line in table.splitlines()[2:]:
        cell = line.split("|")[2]
        folders += [folder.replace(".../mediaDevice/", adapter) for folder in FOLDER.findall(cell)]
    return folders


def tracked_folders(root):
    files = subprocess.run(["git", "-C", str(root), "ls-files"], capture_output=True, text=True, check=True).stdout
    top, module = set(), set()
    for name in files.splitlines():
        parts = name.split("/")
        if len(parts) > 1:
            top.add(parts[0])
        if name.startswith(MODULE + "/") and len(parts) > 3:
            module.add("/".join(parts[:3]))
    return top, module


def mismatches(root):
    wrong = []
    paths = readme_paths(root)
    for path in paths:
        if not (root / path).exists():
            wrong.append(f"README layout names {path}, which does not exist")
    for folder in architecture_folders(root):
        if not (root / folder).exists():
            wrong.append(f"docs/architecture.md names {folder}, which does not exist")
    top, module = tracked_folders(root)
    for folder in sorted(top | module):
        if not any(path == folder or path.startswith(folder + "/") or folder.startswith(path + "/") for path in paths):
            wrong.append(f"README layout has no row for {folder}/")
    return wrong


def main(argv):
    if len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        wrong = mismatches(pathlib.Path(argv[0]))
    except subprocess.CalledProcessError as error:
        # Outside a git checkout there is no list of the tree's own folders to compare with.
        print(f"check-layout: skipped: {error}", file=sys.stderr)
        return 77
    for line in wrong:
        print(f"check-layout: {line}", file=sys.stderr)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
