#!/usr/bin/env python3
"""Checks the public-header closure on small scratch trees."""

import contextlib
import io
import pathlib
import tempfile
import unittest

import public_headers as tool


def run_check(root):
    errors = io.StringIO()
    with contextlib.redirect_stderr(errors):
        status = tool.main(["--check", str(root)])
    return status, errors.getvalue()


class Closure(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self.scratch.name)
        self.module = self.root / tool.MODULE
        self.write("scripts/check-install.sh", "#!/bin/sh\n")
        self.write("examples/load/load.cpp", '#include "objects/a/A.h"\n#include "OlvarUnified/Task.h"\n')
        self.write("host/src/Host.h", "#pragma once\n")

    def tearDown(self):
        self.scratch.cleanup()

    def write(self, relative, text):
        path = self.root / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)

    def test_follows_includes_through_public_headers_only(self):
        module = tool.MODULE
        self.write(f"{module}/include/objects/a/A.h", '#include "objects/a/generated/AObserver.h"\n')
        self.write(f"{module}/include/objects/a/generated/AObserver.h", '#include "module/Export.h"\n')
        self.write(f"{module}/include/module/Export.h", "#pragma once\n")
        # Reached only from a source file of the module, which no client sees.
        self.write(f"{module}/src/objects/a/AImpl.cpp", '#include "objects/a/AImpl.h"\n')
        self.write(f"{module}/src/objects/a/AImpl.h", '#include "objects/a/A.h"\n')

        public, _ = tool.public_closure(self.root)
        self.assertEqual(public, {"objects/a/A.h", "objects/a/generated/AObserver.h", "module/Export.h"})
        self.assertEqual(run_check(self.root), (0, ""))

    def test_reports_a_reached_header_left_private_and_a_public_one_nobody_reaches(self):
        module = tool.MODULE
        self.write(f"{module}/src/objects/a/A.h", "#pragma once\n")
        self.write(f"{module}/include/module/Unused.h", "#pragma once\n")

        status, errors = run_check(self.root)
        self.assertEqual(status, 1)
        self.assertIn("objects/a/A.h is in src/, belongs in include/", errors)
        self.assertIn("module/Unused.h is in include/, belongs in src/", errors)

    def test_install_check_program_counts_as_a_client(self):
        module = tool.MODULE
        self.write("scripts/check-install.sh", "cat <<'CPP'\n#include \"objects/b/BImpl.h\"\nCPP\n")
        self.write(f"{module}/include/objects/a/A.h", "#pragma once\n")
        self.write(f"{module}/include/objects/b/BImpl.h", "#pragma once\n")
        self.assertEqual(run_check(self.root), (0, ""))


if __name__ == "__main__":
    unittest.main()
