#!/usr/bin/env python3
"""What Explorer reads from each program file, checked in its PE resource directory:
every program has one version resource (file and product version 1.0.0.0, product name
Kivora, a file description of its own) and exactly one application manifest (run as
invoker, Windows 7 to 11, a DPI choice); the programs named with --icon also have an
icon group whose images include 16, 24, 32, 48 and 256 pixels.

    check-resources.py <version> [--icon] <program.exe> [[--icon] <program.exe>...]
"""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
WINDOWS_7_TO_11 = [
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
]


class PeFile:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path} is not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", self.data, pe + 6)
        optional = pe + 24
        if struct.unpack_from("<H", self.data, optional)[0] != 0x20B:
            raise ValueError(f"{path} is not a 64-bit program")
        # The resource table is data directory 2 of the PE32+ optional header.
        self.rsrc_rva, _ = struct.unpack_from("<II", self.data, optional + 112 + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            vsize, rva, raw_size, raw = struct.unpack_from("<IIII", self.data, table + 40 * i + 8)
            self.sections.append((rva, max(vsize, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"address {rva:#x} is in no section")

    def directory(self, rva_offset):
        """The entries of one resource directory: (id or name, is_directory, target)."""
        base = self.offset(self.rsrc_rva)
        at = base + rva_offset
        named, ids = struct.unpack_from("<12xHH", self.data, at)
        entries = []
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
            if name & 0x80000000:
                length = struct.unpack_from("<H", self.data, base + (name & 0x7FFFFFFF))[0]
                start = base + (name & 0x7FFFFFFF) + 2
                name = self.data[start:start + 2 * length].decode("utf-16-le")
            entries.append((name, bool(target & 0x80000000), target & 0x7FFFFFFF))
        return entries

    def resources(self, kind):
        """Every resource of a type, in directory order: (name, language, bytes)."""
        found = []
        for type_id, _, names in self.directory(0):
            if type_id != kind:
                continue
            for name, _, languages in self.directory(names):
                for language, _, leaf in self.directory(languages):
                    rva, size = struct.unpack_from("<II", self.data, self.offset(self.rsrc_rva) + leaf)
                    found.append((name, language, self.data[self.offset(rva):self.offset(rva) + size]))
        return found


def version_strings(block):
    """The fixed file version and the StringFileInfo values of a VS_VERSIONINFO block."""
    values = {}
    fixed = None

    def node(at):
        nonlocal fixed
        length, value_length, text = struct.unpack_from("<HHH", block, at)
        end = at + length
        key_end = at + 6
        while block[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = block[at + 6:key_end].decode("utf-16-le")
        value_at = (key_end + 2 + 3) & ~3
        if key == "VS_VERSION_INFO" and value_length >= 52:
            signature, _, ms, ls = struct.unpack_from("<IIII", block, value_at)
            if signature == 0xFEEF04BD:
                fixed = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
        if text == 1 and value_length and key not in ("VS_VERSION_INFO",):
            raw = block[value_at:value_at + 2 * value_length].decode("utf-16-le")
            values[key] = raw.rstrip("\0")
            child = end
        else:
            child = (value_at + value_length + 3) & ~3
        while child < end:
            child = (node(child) + 3) & ~3
        return end

    node(0)
    return fixed, values


def check(path, version, want_icon):
    problems = []
    pe = PeFile(path)
    name = path.rsplit("/", 1)[-1]

    versions = pe.resources(RT_VERSION)
    if len(versions) != 1:
        problems.append(f"{len(versions)} version resources, not one")
    else:
        fixed, values = version_strings(versions[0][2])
        if fixed != version:
            problems.append(f"file version {fixed}, not {version}")
        for key, expected in (("FileVersion", version), ("ProductVersion", version), ("ProductName", "Kivora")):
            if values.get(key) != expected:
                problems.append(f"{key} is {values.get(key)!r}, not {expected!r}")
        if not values.get("FileDescription"):
            problems.append("no FileDescription")
        print(f"{name}: version {fixed}, {values.get('FileDescription')!r}")

    manifests = pe.resources(RT_MANIFEST)
    if len(manifests) != 1 or manifests[0][0] != 1:
        problems.append(f"manifests {[(m[0], m[1]) for m in manifests]}, not exactly one with ID 1")
    else:
        text = manifests[0][2].decode("utf-8")
        if 'level="asInvoker"' not in text:
            problems.append("the manifest does not run the program as invoker")
        for os_id in WINDOWS_7_TO_11:
            if os_id not in text:
                problems.append(f"the manifest does not name {os_id}")
        if "<dpiAware" not in text:
            problems.append("the manifest makes no DPI choice")

    groups = pe.resources(RT_GROUP_ICON)
    if want_icon:
        if not groups:
            problems.append("no icon group")
        else:
            group = groups[0][2]
            count = struct.unpack_from("<H", group, 4)[0]
            sizes = sorted({group[6 + 14 * i] or 256 for i in range(count)})
            icons = {icon[0] for icon in pe.resources(RT_ICON)}
            missing = [struct.unpack_from("<H", group, 6 + 14 * i + 12)[0] for i in range(count)]
            missing = [i for i in missing if i not in icons]
            print(f"{name}: first icon group {groups[0][0]!r}, sizes {sizes}")
            if not {16, 24, 32, 48, 256} <= set(sizes):
                problems.append(f"icon sizes {sizes}")
            if missing:
                problems.append(f"the icon group names missing images {missing}")
    for problem in problems:
        print(f"{name}: {problem}", file=sys.stderr)
    return not problems


def main(args):
    version, args = args[0], args[1:]
    ok = True
    want_icon = False
    for arg in args:
        if arg == "--icon":
            want_icon = True
            continue
        ok = check(arg, version, want_icon) and ok
        want_icon = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
