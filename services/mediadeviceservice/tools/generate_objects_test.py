#!/usr/bin/env python3
"""Checks the business-object generator on a scratch copy of the module's headers and sources."""

import contextlib
import io
import pathlib
import shutil
import tempfile
import unittest

import generate_objects as generator

MODULE = pathlib.Path(__file__).resolve().parent.parent
MEDIA_DEVICE = next(o for o in generator.OBJECTS if o.name == "MediaDevice")
SERVICE = next(o for o in generator.OBJECTS if o.name == "MediaDeviceService")


def run(*args):
    """Exit status and standard error of one generator run."""
    errors = io.StringIO()
    with contextlib.redirect_stderr(errors), contextlib.redirect_stdout(io.StringIO()):
        status = generator.main([str(a) for a in args])
    return status, errors.getvalue()


class ScratchTree(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory()
        # At the module's place in a project, so that the project's clients sit beside it.
        self.project = pathlib.Path(self.scratch.name)
        self.module = self.project / "services/mediadeviceservice"
        for root in (generator.PUBLIC_ROOT, generator.PRIVATE_ROOT):
            if (MODULE / root).is_dir():
                shutil.copytree(MODULE / root, self.module / root)

    def tearDown(self):
        self.scratch.cleanup()

    def located(self, include_path):
        """The module-relative path of a header, in whichever root holds it."""
        found = [p for p in (f"{r}/{include_path}" for r in ("include", "src")) if (self.module / p).is_file()]
        self.assertEqual(len(found), 1, include_path)
        return found[0]

    def written_paths(self, obj):
        """The object's interface and every file of its generated/ folders, module-relative."""
        written = self.module.glob(f"*/{obj.folder}/generated/*")
        return {p.relative_to(self.module).as_posix() for p in written} | {self.located(obj.header(""))}

    def edit(self, relative, old, new):
        path = self.module / relative
        text = path.read_text()
        self.assertIn(old, text)
        path.write_text(text.replace(old, new, 1))

    def snapshot(self):
        return {p: p.read_text() for p in self.module.rglob("*") if p.is_file()}


class TableChanges(ScratchTree):
    def test_committed_sources_match_the_tables(self):
        self.assertEqual(run("--check", self.module), (0, ""))

    def test_new_row_marks_exactly_that_objects_files_until_regenerated(self):
        self.edit(MEDIA_DEVICE.table, "MDS_PROPERTY(Vendor,", "MDS_PROPERTY(Serial, std::wstring)\n" "MDS_PROPERTY(Vendor,")

        status, errors = run("--check", self.module)
        self.assertEqual(status, 1)
        reported = {line.split(" ")[1] for line in errors.splitlines() if "differs from its table" in line}
        self.assertEqual(reported, self.written_paths(MEDIA_DEVICE))
        self.assertIn("regenerate-objects", errors)

        self.assertEqual(run(self.module)[0], 0)
        self.assertEqual(run("--check", self.module), (0, ""))
        base = (self.module / MEDIA_DEVICE.source("BaseImpl")).read_text()
        for operation in ("getSerial()", "setSerial(std::wstring value)", "fireOnSerialChanged()"):
            self.assertIn(operation, base)

    def test_reordered_rows_reorder_every_written_list(self):
        self.edit(SERVICE.table, "MDS_PROPERTY(     DeviceAdded,", "MDS_PROPERTY(     DeviceAddedFirst,")
        table = (self.module / SERVICE.table).read_text()
        added = next(l for l in table.splitlines() if "DeviceAddedFirst" in l)
        first_row = "MDS_LIST_PROPERTY(PreferredOutputDevices)"
        table = table.replace(added + "\n", "").replace(first_row, added + "\n" + first_row)
        (self.module / SERVICE.table).write_text(table)
        self.assertEqual(run(self.module)[0], 0)

        for relative, first, second in [
            (self.located(SERVICE.header("")), "getDeviceAddedFirst()", "getPreferredOutputDevices()"),
            (self.located(SERVICE.header("Observer")), "OnDeviceAddedFirstChanged()", "OnPreferredOutputDevicesChanged("),
            (self.located(SERVICE.header("Notifiers")), "getDeviceAddedFirstNotifier()",
             "getPreferredOutputDevicesNotifier()"),
            (SERVICE.source("NotifiersImpl"), "m_DeviceAddedFirstNotifier.fireIfCreated();",
             "m_PreferredOutputDevicesNotifier.fireResetIfCreated();"),
        ]:
            text = (self.module / relative).read_text()
            self.assertLess(text.index(first), text.index(second), relative)

    def test_hand_edit_of_a_generated_file_is_reported(self):
        self.edit(MEDIA_DEVICE.source("NotifiersImpl"), "m_VendorNotifier.fireIfCreated();\n}", "}")
        status, errors = run("--check", self.module)
        self.assertEqual(status, 1)
        self.assertIn(MEDIA_DEVICE.source("NotifiersImpl"), errors)

    def test_regeneration_keeps_the_hand_written_part_of_an_interface(self):
        interface = self.module / self.located(SERVICE.header(""))
        before = interface.read_text()
        row = "MDS_PROPERTY(     DeviceRemoved,"
        self.edit(SERVICE.table, row, "MDS_PROPERTY(     DeviceRenamed, std::int32_t)\n" + row)
        self.assertEqual(run(self.module)[0], 0)
        after = interface.read_text()
        block = "    virtual std::int32_t getDeviceRenamed() = 0;\n"
        self.assertEqual(after.replace(block, ""), before)
        self.assertLess(after.index("getDeviceRenamed"), after.index(generator.END_BLOCK))


class Placement(ScratchTree):
    """Where written files go: a header reached from include/ is public, everything else private."""

    def test_header_reached_from_include_moves_there_and_leaves_no_copy_behind(self):
        notifiers_impl = SERVICE.header("NotifiersImpl")
        self.assertEqual(self.located(notifiers_impl), f"src/{notifiers_impl}")
        client = self.module / "include/module/ClientView.h"
        client.parent.mkdir(parents=True, exist_ok=True)
        client.write_text(f'#pragma once\n#include "{notifiers_impl}"\n')

        status, errors = run("--check", self.module)
        self.assertEqual(status, 1)
        self.assertIn(f"include/{notifiers_impl} differs from its table", errors)
        self.assertIn(f"src/{notifiers_impl} comes from no table", errors)

        self.assertEqual(run(self.module)[0], 0)
        self.assertEqual(self.located(notifiers_impl), f"include/{notifiers_impl}")
        self.assertEqual(run("--check", self.module), (0, ""))

    def test_header_a_client_includes_directly_moves_to_include(self):
        notifiers_impl = SERVICE.header("NotifiersImpl")
        client = self.project / "examples/view/main.cpp"
        client.parent.mkdir(parents=True)
        client.write_text(f'#include "{notifiers_impl}"\nint main() {{}}\n')

        self.assertEqual(run("--check", self.module)[0], 1)
        self.assertEqual(run(self.module)[0], 0)
        self.assertEqual(self.located(notifiers_impl), f"include/{notifiers_impl}")

    def test_stray_file_in_a_generated_folder_is_reported_then_removed(self):
        stray = f"src/{MEDIA_DEVICE.folder}/generated/MediaDeviceOld.cpp"
        (self.module / stray).write_text("// left over\n")
        self.assertEqual(run("--check", self.module)[0], 1)
        self.assertEqual(run(self.module)[0], 0)
        self.assertFalse((self.module / stray).exists())
        self.assertEqual(run("--check", self.module), (0, ""))


class BadInput(ScratchTree):
    def assert_rejected_without_writing(self, expected_message):
        before = self.snapshot()
        status, errors = run(self.module)
        self.assertEqual(status, 2)
        self.assertIn(expected_message, errors)
        self.assertEqual(self.snapshot(), before)

    def test_malformed_row_names_its_line(self):
        self.edit(MEDIA_DEVICE.table, "MDS_PROPERTY(Vendor,            std::wstring)", "MDS_PROPERTY(Vendor std::wstring)")
        rows = (self.module / MEDIA_DEVICE.table).read_text().splitlines()
        line = next(number for number, text in enumerate(rows, 1) if "Vendor" in text)
        self.assert_rejected_without_writing(f"{MEDIA_DEVICE.table}:{line}: not a property row")

    def test_property_listed_twice(self):
        self.edit(MEDIA_DEVICE.table, "MDS_PROPERTY(Vendor,", "MDS_PROPERTY(Name, std::wstring)\n" "MDS_PROPERTY(Vendor,")
        self.assert_rejected_without_writing("property listed twice: Name")

    def test_interface_without_its_generated_block(self):
        self.edit(self.located(SERVICE.header("")), generator.END_BLOCK, "// the end")
        self.assert_rejected_without_writing(f"needs exactly one '{generator.BEGIN_BLOCK}'")

    def test_missing_table(self):
        (self.module / SERVICE.table).unlink()
        self.assert_rejected_without_writing(SERVICE.table)


if __name__ == "__main__":
    unittest.main()
