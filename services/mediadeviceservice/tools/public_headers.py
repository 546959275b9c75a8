#!/usr/bin/env python3
"""Lists the module headers that a client or a host reaches, and checks include/ against them.

A module header is public when a file of examples/ or host/, or a program that
scripts/check-install.sh compiles, includes it, or when a public header does. The public
headers sit in the module's include/ folder, everything else in src/.

    public_headers.py ROOT           print the public headers, one per line
    public_headers.py --check ROOT   exit 1 and name each header in the wrong folder
"""

import argparse
import pathlib
import re
import sys

MODULE = "services/mediadeviceservice"
CLIENT_FOLDERS = ["examples", "host"]
CLIENT_SCRIPTS = ["scripts/check-install.sh"]
CLIENT_SUFFIXES = {".cpp", ".h", ".sh"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def module_headers(module):
    """Every module header, by its include path, mapped to its file (include/ or src/)."""
    headers = {}
    for root in ("include", "src"):
        base = module / root
        for path in base.rglob("*.h"):
            headers[path.relative_to(base).as_posix()] = path
    return headers


def client_files(root):
    files = [root / script for script in CLIENT_SCRIPTS if (root / script).is_file()]
    for folder in CLIENT_FOLDERS:
        files += sorted(
            p
            for p in (root / folder).rglob("*")
            if p.is_file() and p.suffix in CLIENT_SUFFIXES and "node_modules" not in p.parts
        )
    return files


def public_closure(root):
    headers = module_headers(root / MODULE)
    public = set()
    pending = client_files(root)
    while pending:
        text = pending.pop().read_text(errors="replace")
        for name in INCLUDE.findall(text):
            if name in headers and name not in public:
                public.add(name)
                pending.append(headers[name])
    return public, headers


def misplaced(root, public, headers):
    module = root / MODULE
    wrong = []
    for name, path in sorted(headers.items()):
        folder = path.relative_to(module).parts[0]
        expected = "include" if name in public else "src"
        if folder != expected:
            wrong.append(f"{name} is in {folder}/, belongs in {expected}/")
    return wrong


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="report headers in the wrong folder")
    parser.add_argument("root", type=pathlib.Path, help="the project's top folder")
    args = parser.parse_args(argv)

    public, headers = public_closure(args.root)
    if not args.check:
        print("\n".join(sorted(public)))
        return 0
    wrong = misplaced(args.root, public, headers)
    for line in wrong:
        print(f"public_headers: {line}", file=sys.stderr)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
