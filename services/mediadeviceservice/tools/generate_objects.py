#!/usr/bin/env python3
"""Writes the business-object sources from their property tables.

Each object has one table, <Object>Properties.def, in its folder: one row per property,
MDS_PROPERTY(Name, Type) or MDS_LIST_PROPERTY(Name). From it this script writes the
observer, the notifier set, the base implementation and the notifier-set implementation of
the object, and the getter block of the object's hand-written interface header. Every
operation is written out in table order, so a reader of the headers sees all of them.

The written files sit in a generated/ folder beside the object's interface: the sources in
src/, a header in include/ when a client of the module (as public_headers.py finds them) or a
header of include/ reaches it, in src/ otherwise. A file
left in a generated/ folder that no table gives any more is removed.

    generate_objects.py MODULE_DIR           rewrite what differs from the tables
    generate_objects.py --check MODULE_DIR   exit 1 and name the files that differ

Exit status 2: a table or an interface header cannot be read.
"""

import argparse
import dataclasses
import pathlib
import re
import sys

import public_headers as clients

TOOL = "services/mediadeviceservice/tools/generate_objects.py"
REGENERATE = "cmake --build <build-dir> --target regenerate-objects"

BEGIN_BLOCK = "// BEGIN GENERATED"
END_BLOCK = "// END GENERATED"

# The module's two roots: what clients include, and the rest.
PUBLIC_ROOT = "include"
PRIVATE_ROOT = "src"
GENERATED_FOLDER = "generated"


# Include paths, relative to either root.
EXPORT_H = "module/Export.h"
TYPES_H = "module/MediaDeviceTypes.h"
STATICS_H = "module/ModuleStatics.h"
LAZY_NOTIFIER_H = "objects/notifiers/LazyNotifier.h"
NOTIFIER_H = "objects/notifiers/PropertyNotifierImpl.h"
LIST_NOTIFIER_H = "objects/notifiers/PropertyListNotifierImpl.h"


@dataclasses.dataclass(frozen=True)
class Family:
    """The host bases that an object of one kind builds on."""

    interface: str
    interface_header: str
    impl: str
    impl_header: str
    notifiers_impl: str
    notifiers_impl_header: str
    # Services publish their list setters on the interface and keep their fires protected.
    is_service: bool


BUSINESS_OBJECT = Family(
    interface="UnifiedBusinessObject",
    interface_header="OlvarUnified/UnifiedBusinessObject.h",
    impl="UnifiedBusinessObjectImpl",
    impl_header="OlvarUnified/UnifiedBusinessObjectImpl.h",
    notifiers_impl="UnifiedBusinessObjectNotifiersImpl",
    notifiers_impl_header="objects/unified/UnifiedBusinessObjectNotifiersImpl.h",
    is_service=False,
)

SERVICE = Family(
    interface="UnifiedService",
    interface_header="OlvarUnified/UnifiedService.h",
    impl="UnifiedServiceImpl",
    impl_header="objects/unified/UnifiedServiceImpl.h",
    notifiers_impl="UnifiedServiceNotifiersImpl",
    notifiers_impl_header="objects/unified/UnifiedServiceNotifiersImpl.h",
    is_service=True,
)


@dataclasses.dataclass(frozen=True)
class BusinessObject:
    name: str
    folder: str  # include path of the object's folder, the same under either root
    family: Family
    # How the generated comments speak of one instance: "a MediaDevice", "the MediaDeviceService".
    article: str

    @property
    def table(self):
        """Relative to the module folder: tables are private."""
        return f"{PRIVATE_ROOT}/{self.folder}/{self.name}Properties.def"

    def header(self, suffix):
        """Include path; the hand-written interface ("") sits in the object's folder itself."""
        folder = f"{self.folder}/{GENERATED_FOLDER}" if suffix else self.folder
        return f"{folder}/{self.name}{suffix}.h"

    def source(self, suffix):
        """Relative to the module folder."""
        return f"{PRIVATE_ROOT}/{self.folder}/{GENERATED_FOLDER}/{self.name}{suffix}.cpp"


OBJECTS = [
    BusinessObject("MediaDevice", "objects/mediaDevice", BUSINESS_OBJECT, "a"),
    BusinessObject("MediaDeviceService", "objects/mediaDeviceService", SERVICE, "the"),
    BusinessObject("CompositeMediaDevice", "objects/compositeMediaDevice", BUSINESS_OBJECT, "a"),
    BusinessObject("LocalVideoPreviewDimensions", "objects/localVideoPreviewDimensions", BUSINESS_OBJECT, "a"),
]


@dataclasses.dataclass(frozen=True)
class Property:
    name: str
    type: str
    is_list: bool


class TableError(Exception):
    pass


ROW = re.compile(r"^MDS_PROPERTY\(\s*(\w+)\s*,\s*(.+?)\s*\)$")
LIST_ROW = re.compile(r"^MDS_LIST_PROPERTY\(\s*(\w+)\s*\)$")


def read_table(path):
    """The rows of a property table; comments and preprocessor lines are skipped."""
    properties = []
    for number, line in enumerate(path.read_text().splitlines(), start=1):
        text = line.split("//", 1)[0].strip()
        if not text or text.startswith("#"):
            continue
        if match := ROW.match(text):
            properties.append(Property(match[1], match[2], False))
        elif match := LIST_ROW.match(text):
            properties.append(Property(match[1], "DeviceList", True))
        else:
            raise TableError(f"{path}:{number}: not a property row: {line.strip()}")
    names = [p.name for p in properties]
    duplicates = sorted({n for n in names if names.count(n) > 1})
    if duplicates:
        raise TableError(f"{path}: property listed twice: {', '.join(duplicates)}")
    if not properties:
        raise TableError(f"{path}: no properties")
    return properties


def banner(obj, purpose):
    return (
        f"// {purpose}\n"
        f"// GENERATED from {pathlib.PurePath(obj.table).name} by {TOOL}.\n"
        "// Do not edit: change the table, then build the target regenerate-objects.\n"
    )


def one_line_function(signature, body):
    """A short definition on one line, a longer one with its body on its own line."""
    line = f"{signature} {{ {body} }}"
    return [line] if len(line) <= 110 else [f"{signature} {{", f"    {body}", "}"]


def includes(*paths):
    system = sorted(p for p in paths if p.startswith("<"))
    local = sorted(p for p in paths if not p.startswith("<"))
    lines = [f"#include {p}" for p in system]
    if system and local:
        lines.append("")
    lines += [f'#include "{p}"' for p in local]
    return "\n".join(lines) + "\n"


def notifier_type(p):
    return "PropertyListNotifier<MediaDevice>" if p.is_list else "PropertyNotifier"


def observer_call(p):
    return f"On{p.name}Changed(DeviceList first, DeviceList second)" if p.is_list else f"On{p.name}Changed()"


def fire_declaration(p):
    return f"fireOn{p.name}Changed(DeviceList first, DeviceList second)" if p.is_list else f"fireOn{p.name}Changed()"


def setter_on_interface(obj, p):
    return obj.family.is_service and p.is_list


def interface_block(obj, properties):
    """The getters of the interface, in table order (a service's list setters follow their getter)."""
    lines = [f"    {BEGIN_BLOCK} from {pathlib.PurePath(obj.table).name}, in table order."]
    for p in properties:
        lines.append(f"    virtual {p.type} get{p.name}() = 0;")
        if setter_on_interface(obj, p):
            lines.append(f"    virtual void set{p.name}({p.type} value) = 0;")
    lines.append(f"    {END_BLOCK}")
    return lines


def observer_header(obj, properties):
    family = obj.family
    calls = "\n".join(f"    virtual void {observer_call(p)} = 0;" for p in properties)
    has_lists = any(p.is_list for p in properties)
    list_note = "\n    // A list property's call carries the two lists of its fire.\n" if has_lists else "\n"
    return (
        banner(obj, f"Observer of {obj.article} {obj.name}: one change call per property, in table order.")
        + "#pragma once\n\n"
        + includes("<string>", family.interface_header, EXPORT_H, TYPES_H)
        + "\nnamespace OlvarUnified {\n\n"
        + f"class MDS_EXPORT {obj.name}Observer : public virtual {family.interface}Observer {{\n"
        + "public:\n"
        + f'    std::string getInterfaceName() override {{ return "{obj.name}Observer"; }}\n'
        + list_note
        + calls
        + "\n};\n\n}  // namespace OlvarUnified\n"
    )


def notifiers_header(obj, properties):
    family = obj.family
    getters = "\n".join(
        f"    virtual std::shared_ptr<{notifier_type(p)}> get{p.name}Notifier() = 0;" for p in properties
    )
    return (
        banner(obj, f"Notifier set of {obj.article} {obj.name}: one notifier per property, in table order.")
        + "#pragma once\n\n"
        + includes("<memory>", family.interface_header, EXPORT_H, TYPES_H)
        + "\nnamespace OlvarUnified {\n\n"
        + f"class MDS_EXPORT {obj.name}Notifiers : public virtual {family.interface}Notifiers {{\n"
        + "public:\n"
        + getters
        + "\n};\n\n}  // namespace OlvarUnified\n"
    )


def base_header(obj, properties):
    family = obj.family
    cls = f"{obj.name}BaseImpl"
    accessors = []
    for p in properties:
        accessors.append(f"    {p.type} get{p.name}() override;")
        if setter_on_interface(obj, p):
            accessors.append(f"    void set{p.name}({p.type} value) override;")
        else:
            accessors.append(f"    virtual void set{p.name}({p.type} value);")
    fires = "\n".join(f"    void {fire_declaration(p)};" for p in properties)
    fire_section = "protected" if family.is_service else "public"
    fields = "\n".join(f"    {p.type} m_{p.name}{{}};" for p in properties)
    owner = "the service" if family.is_service else "the owner"
    return (
        banner(obj, f"Stored properties of {obj.article} {obj.name}.")
        + "//\n"
        + f"// Setters only store; {owner} notifies with fireOn<Property>Changed(), which reaches every\n"
        + f"// {obj.name}Observer and the notifier set.\n"
        + "#pragma once\n\n"
        + includes("<cstdint>", "<memory>", "<string>", family.impl_header, EXPORT_H, obj.header(""))
        + "\nnamespace OlvarUnified {\n\n"
        + "class UnifiedFactory;\n\n"
        + f"class MDS_EXPORT {cls}\n    : public {family.impl},\n      public {obj.name} {{\n"
        + "public:\n"
        + f"    explicit {cls}(std::shared_ptr<UnifiedFactory> factory);\n"
        + f"    ~{cls}() override;\n\n"
        + f"    void addObserver(std::weak_ptr<{obj.name}Observer> observer) override;\n"
        + f"    void removeObserver(std::weak_ptr<{obj.name}Observer> observer) override;\n"
        + f"    using {family.impl}::addObserver;\n"
        + f"    using {family.impl}::removeObserver;\n"
        + f"    std::shared_ptr<{obj.name}Notifiers> get{obj.name}Notifiers() override;\n\n"
        + "    // Builds the notifier set once and registers it as an observer of this object.\n"
        + "    void createNotifiers() override;\n\n"
        + "    // Getter and setter of each property, in table order.\n"
        + "\n".join(accessors)
        + "\n\n"
        + ("protected:\n" if fire_section == "protected" else "")
        + f"    // Notification of each property, in table order: On<Property>Changed() on every observer.\n"
        + fires
        + "\n\nprivate:\n"
        + fields
        + "\n};\n\n}  // namespace OlvarUnified\n"
    )


def base_source(obj, properties):
    family = obj.family
    cls = f"{obj.name}BaseImpl"
    observer = f"{obj.name}Observer"
    parts = [
        banner(obj, f"Stored properties of {obj.article} {obj.name}.").rstrip("\n"),
        f'#include "{obj.header("BaseImpl")}"',
        "",
        includes("<utility>", STATICS_H, obj.header("NotifiersImpl")).rstrip("\n"),
        "",
        "namespace OlvarUnified {",
        "",
        f"{cls}::{cls}(std::shared_ptr<UnifiedFactory> factory)",
        f"    : {family.impl}(std::move(factory), ClassNames::{cls}) {{}}",
        "",
        f"{cls}::~{cls}() = default;",
        "",
        f"void {cls}::addObserver(std::weak_ptr<{observer}> observer) {{",
        "    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));",
        "}",
        "",
        f"void {cls}::removeObserver(std::weak_ptr<{observer}> observer) {{",
        "    UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));",
        "}",
        "",
        f"std::shared_ptr<{obj.name}Notifiers> {cls}::get{obj.name}Notifiers() {{",
        "    createNotifiers();",
        f"    return std::dynamic_pointer_cast<{obj.name}Notifiers>(getNotifiers());",
        "}",
        "",
        f"void {cls}::createNotifiers() {{",
        "    if (getNotifiers()) return;",
        f"    auto notifiers = std::make_shared<{obj.name}NotifiersImpl>();",
        "    setNotifiers(notifiers);",
        "    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(notifiers));",
        "}",
    ]
    for p in properties:
        parts += [
            "",
            f"{p.type} {cls}::get{p.name}() {{",
            "    EnsureUpdateAccess(true);",
            f"    return m_{p.name};",
            "}",
            "",
            f"void {cls}::set{p.name}({p.type} value) {{",
            "    EnsureUpdateAccess(true);",
            f"    m_{p.name} = std::move(value);",
            "}",
        ]
    for p in properties:
        if p.is_list:
            capture, call = "&", f"observer.On{p.name}Changed(first, second);"
        else:
            capture, call = "", f"observer.On{p.name}Changed();"
        notify = f"    notifyObservers<{observer}>([{capture}](auto& observer) {{ {call} }});"
        if len(notify) > 110:
            notify = f"    notifyObservers<{observer}>(\n        [{capture}](auto& observer) {{ {call} }});"
        parts += ["", f"void {cls}::{fire_declaration(p)} {{", "    EnsureUpdateAccess(true);", notify, "}"]
    parts += ["", "}  // namespace OlvarUnified", ""]
    return "\n".join(parts)


def lazy_type(p):
    return "LazyNotifier<PropertyListNotifierImpl<MediaDevice>>" if p.is_list else "LazyNotifier<PropertyNotifierImpl>"


def notifiers_impl_header(obj, properties):
    family = obj.family
    cls = f"{obj.name}NotifiersImpl"
    notifier_headers = [NOTIFIER_H] + ([LIST_NOTIFIER_H] if any(p.is_list for p in properties) else [])
    bases = [
        family.notifiers_impl,
        f"{obj.name}Notifiers",
        f"{obj.name}Observer",
        f"std::enable_shared_from_this<{cls}>",
    ]
    info_comment = "    // Fires every notifier created so far, in table order"
    if family.is_service:
        info_comment = "    // Fires every notifier created so far: the bulk-update one, then the table's in order"
    if any(p.is_list for p in properties):
        info_comment += ";\n    // list notifiers announce a reset"
    info_comment += ".\n"
    return (
        banner(obj, f"Notifier set of {obj.article} {obj.name}.")
        + "//\n"
        + "// Each notifier is created on its first request; as an observer of the object the set fires\n"
        + "// the notifiers that exist.\n"
        + "#pragma once\n\n"
        + includes("<memory>", EXPORT_H, LAZY_NOTIFIER_H, obj.header(""), family.notifiers_impl_header,
                   *notifier_headers)
        + "\nnamespace OlvarUnified {\n\n"
        + f"class MDS_EXPORT {cls}\n    : public "
        + ",\n      public ".join(bases)
        + " {\n"
        + "public:\n"
        + info_comment
        + "    void OnInfoChanged() override;\n\n"
        + "    // The notifier of each property, in table order.\n"
        + "\n".join(f"    std::shared_ptr<{notifier_type(p)}> get{p.name}Notifier() override;" for p in properties)
        + "\n\n    // The observer call of each property, in table order: fires its notifier if created.\n"
        + "\n".join(f"    void {observer_call(p)} override;" for p in properties)
        + "\n\nprivate:\n"
        + "\n".join(f"    {lazy_type(p)} m_{p.name}Notifier;" for p in properties)
        + "\n};\n\n}  // namespace OlvarUnified\n"
    )


def notifiers_impl_source(obj, properties):
    family = obj.family
    cls = f"{obj.name}NotifiersImpl"
    parts = [
        banner(obj, f"Notifier set of {obj.article} {obj.name}.").rstrip("\n"),
        f'#include "{obj.header("NotifiersImpl")}"',
        "",
        "#include <utility>",
        "",
        "namespace OlvarUnified {",
        "",
        f"void {cls}::OnInfoChanged() {{",
    ]
    if family.is_service:
        parts.append(f"    {family.notifiers_impl}::OnInfoChanged();")
    for p in properties:
        parts.append(f"    m_{p.name}Notifier.{'fireResetIfCreated' if p.is_list else 'fireIfCreated'}();")
    parts.append("}")
    for p in properties:
        signature = f"std::shared_ptr<{notifier_type(p)}> {cls}::get{p.name}Notifier()"
        parts += [""] + one_line_function(signature, f"return m_{p.name}Notifier.get();")
    for p in properties:
        arguments = "std::move(first), std::move(second)" if p.is_list else ""
        signature = f"void {cls}::{observer_call(p)}"
        parts += [""] + one_line_function(signature, f"m_{p.name}Notifier.fireIfCreated({arguments});")
    parts += ["", "}  // namespace OlvarUnified", ""]
    return "\n".join(parts)


def with_interface_block(path, text, block):
    """The hand-written interface header with its generated block replaced."""
    lines = text.split("\n")
    begins = [i for i, line in enumerate(lines) if line.strip().startswith(BEGIN_BLOCK)]
    ends = [i for i, line in enumerate(lines) if line.strip() == END_BLOCK]
    if len(begins) != 1 or len(ends) != 1 or ends[0] < begins[0]:
        raise TableError(f"{path}: needs exactly one '{BEGIN_BLOCK}' line followed by one '{END_BLOCK}' line")
    return "\n".join(lines[: begins[0]] + block + lines[ends[0] + 1 :])


def find_interface(module, obj):
    """The module-relative path of the object's hand-written interface, in whichever root holds it."""
    for root in (PUBLIC_ROOT, PRIVATE_ROOT):
        relative = f"{root}/{obj.header('')}"
        if (module / relative).is_file():
            return relative
    raise TableError(f"{module / PRIVATE_ROOT / obj.header('')}: missing")


def is_generated(relative):
    return GENERATED_FOLDER in pathlib.PurePosixPath(relative).parts[:-1]


def public_headers(module, interfaces, headers):
    """The include paths of the generated headers that a client of the module or a hand-written
    header of include/ reaches, directly or through other generated headers."""
    pending = [path.read_text(errors="replace") for path in clients.client_files(module.parent.parent)]
    for path in sorted((module / PUBLIC_ROOT).rglob("*.h")):
        relative = path.relative_to(module).as_posix()
        if not is_generated(relative):
            # An interface counts with its block as the tables give it.
            pending.append(interfaces.get(relative) or path.read_text())
    public = set()
    while pending:
        for name in clients.INCLUDE.findall(pending.pop()):
            if name in headers and name not in public:
                public.add(name)
                pending.append(headers[name])
    return public


def expected_files(module):
    """Maps each written path (relative to the module folder) to the text the tables give for it."""
    interfaces = {}
    headers = {}  # generated header include path -> text
    sources = {}
    for obj in OBJECTS:
        properties = read_table(module / obj.table)
        interface = find_interface(module, obj)
        text = (module / interface).read_text()
        interfaces[interface] = with_interface_block(module / interface, text, interface_block(obj, properties))
        headers[obj.header("Observer")] = observer_header(obj, properties)
        headers[obj.header("Notifiers")] = notifiers_header(obj, properties)
        headers[obj.header("BaseImpl")] = base_header(obj, properties)
        headers[obj.header("NotifiersImpl")] = notifiers_impl_header(obj, properties)
        sources[obj.source("BaseImpl")] = base_source(obj, properties)
        sources[obj.source("NotifiersImpl")] = notifiers_impl_source(obj, properties)
    public = public_headers(module, interfaces, headers)
    files = dict(interfaces)
    for name, text in headers.items():
        files[f"{PUBLIC_ROOT if name in public else PRIVATE_ROOT}/{name}"] = text
    files.update(sources)
    return files


def stale_files(module, files):
    stale = []
    for relative, text in files.items():
        path = module / relative
        if not path.is_file() or path.read_text() != text:
            stale.append(relative)
    return stale


def leftover_files(module, files):
    """Files in a generated/ folder that no table gives (for example after a header turned public)."""
    leftovers = []
    for root in (PUBLIC_ROOT, PRIVATE_ROOT):
        for path in sorted((module / root).rglob("*")):
            relative = path.relative_to(module).as_posix()
            if path.is_file() and is_generated(relative) and relative not in files:
                leftovers.append(relative)
    return leftovers


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="report differences instead of writing")
    parser.add_argument("module", type=pathlib.Path, help="the module's folder, holding include/ and src/")
    args = parser.parse_args(argv)

    try:
        files = expected_files(args.module)
    except (TableError, OSError) as error:
        print(f"generate_objects: {error}", file=sys.stderr)
        return 2
    stale = stale_files(args.module, files)
    leftovers = leftover_files(args.module, files)
    if args.check:
        for relative in stale:
            print(f"generate_objects: {relative} differs from its table", file=sys.stderr)
        for relative in leftovers:
            print(f"generate_objects: {relative} comes from no table", file=sys.stderr)
        if stale or leftovers:
            print(f"generate_objects: regenerate with: {REGENERATE}", file=sys.stderr)
        return 1 if stale or leftovers else 0
    for relative in stale:
        path = args.module / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(files[relative])
        print(f"generate_objects: wrote {relative}")
    for relative in leftovers:
        (args.module / relative).unlink()
        print(f"generate_objects: removed {relative}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
