#!/usr/bin/env python3
"""Builds the release zip with `cmake --build <dir> --target package` and reads it back.

Checks what a Windows user unpacks: exactly the program, the read-me and the two example
group files; a 64-bit Windows GUI program that carries its icon and manifest; a read-me
that Notepad shows right (UTF-8 with a byte-order mark, CR LF) in Chinese and English;
example files that the palette reads as intended: the Big5 one is not mistaken for UTF-8
and the UTF-8 one is.
"""

import argparse
import os
import re
import struct
import subprocess
import sys
import zipfile

EXPECTED_FILES = {
    "quillaro_palette.exe",
    "README-Windows.txt",
    "samples/user_define_0.txt",
    "samples/user_define_1.txt",
}
EXPECTED_DIRS = {"samples/"}
MAX_ITEMS = 251
ICON_SIZES = [16, 32, 48]

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


# --- the program -------------------------------------------------------------------------

class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (112 if self.magic == 0x20B else 96)
        self.rsrc_rva, self.rsrc_size = struct.unpack_from("<II", data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, vsize, vaddr, rawsize, rawptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for vaddr, size, rawptr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rawptr + rva - vaddr
        raise ValueError(f"address {rva:#x} lies in no section")

    def _entries(self, directory_offset):
        base = self.offset(self.rsrc_rva)
        named, ids = struct.unpack_from("<HH", self.data, base + directory_offset + 12)
        for i in range(named + ids):
            name, value = struct.unpack_from("<II", self.data,
                                             base + directory_offset + 16 + 8 * i)
            yield name, value

    def resources(self):
        """{(type, id): bytes} of the first language of every resource with a numeric id."""
        found = {}
        if self.rsrc_rva == 0:
            return found
        base = self.offset(self.rsrc_rva)
        for rtype, tvalue in self._entries(0):
            if rtype & 0x80000000 or not tvalue & 0x80000000:
                continue
            for rid, ivalue in self._entries(tvalue & 0x7FFFFFFF):
                if rid & 0x80000000 or not ivalue & 0x80000000:
                    continue
                for _, lvalue in self._entries(ivalue & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, base + lvalue)
                    found[(rtype, rid)] = self.data[self.offset(rva):self.offset(rva) + size]
                    break
        return found


def check_program(data):
    try:
        image = PeImage(data)
        resources = image.resources()
    except (ValueError, struct.error) as error:
        check(False, f"quillaro_palette.exe is not a readable PE file: {error}")
        return
    check(image.machine == 0x8664, f"quillaro_palette.exe: machine {image.machine:#x}, not x64")
    check(image.magic == 0x20B, "quillaro_palette.exe: not a PE32+ image")
    check(image.subsystem == 2, f"quillaro_palette.exe: subsystem {image.subsystem}, not GUI")
    check((RT_MANIFEST, 1) in resources, "quillaro_palette.exe: no manifest resource 1")
    check((RT_VERSION, 1) in resources, "quillaro_palette.exe: no version resource")

    # The windows load icon 1: a group directory whose entries name RT_ICON resources.
    group = resources.get((RT_GROUP_ICON, 1))
    if not check(group is not None, "quillaro_palette.exe: no icon group 1"):
        return
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    check(reserved == 0 and kind == 1, "icon group 1: not an icon directory")
    sizes = []
    for i in range(count):
        width, height, _, _, _, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group,
                                                                          6 + 14 * i)
        sizes.append(width or 256)
        check(width == height, f"icon group 1: image {i} is {width} x {height}")
        check(bits == 32, f"icon group 1: image {i} has {bits} bits per pixel, not 32")
        image_data = resources.get((RT_ICON, icon_id))
        if check(image_data is not None, f"icon group 1: icon image {icon_id} is missing"):
            check(len(image_data) == size, f"icon image {icon_id}: {len(image_data)} bytes, "
                                           f"the group says {size}")
    check(sorted(sizes) == ICON_SIZES, f"icon group 1 holds sizes {sizes}, not {ICON_SIZES}")


# --- text files ------------------------------------------------------------------------

def is_utf8(data):
    try:
        data.decode("utf-8")
        return True
    except UnicodeDecodeError:
        return False


def crlf_lines(name, data):
    """The lines of `data`, each of which must end in CR LF."""
    check(data.endswith(b"\r\n"), f"{name}: the last line does not end in CR LF")
    check(b"\n" not in data.replace(b"\r\n", b""), f"{name}: a line ends in LF without CR")
    check(b"\r" not in data.replace(b"\r\n", b""), f"{name}: a lone CR")
    return data.split(b"\r\n")[:-1] if data.endswith(b"\r\n") else data.split(b"\r\n")


def decode_cp950(data):
    """Big5 as Windows reads it (code page 950), with the user-defined area FA40..FEFE
    mapped onto U+E000.. as Windows maps it. Raises ValueError at any byte that is not."""
    out = []
    i = 0
    while i < len(data):
        lead = data[i]
        if lead < 0x80:
            out.append(chr(lead))
            i += 1
            continue
        if i + 1 >= len(data):
            raise ValueError(f"a lead byte {lead:#x} at the end")
        trail = data[i + 1]
        if not (0x40 <= trail <= 0x7E or 0xA1 <= trail <= 0xFE):
            raise ValueError(f"bytes {lead:02X} {trail:02X} at offset {i}")
        if 0xFA <= lead <= 0xFE:
            column = trail - 0x40 if trail <= 0x7E else trail - 0xA1 + 63
            out.append(chr(0xE000 + (lead - 0xFA) * 157 + column))
        else:
            try:
                out.append(bytes([lead, trail]).decode("cp950"))
            except UnicodeDecodeError:
                raise ValueError(f"bytes {lead:02X} {trail:02X} at offset {i}") from None
        i += 2
    return "".join(out)


def check_group_file(name, lines):
    """Lines of a group file as the palette uses them: caption, key captions, send strings."""
    if not check(len(lines) == 3, f"{name}: {len(lines)} lines, an example has 3"):
        return
    caption, keys, sends = lines
    check(caption != "" and "," not in caption,
          f"{name}: line 1 {caption!r} must be one caption without a comma")
    key_items, send_items = keys.split(","), sends.split(",")
    check(len(key_items) == len(send_items),
          f"{name}: {len(key_items)} key captions but {len(send_items)} send strings")
    check(len(send_items) <= MAX_ITEMS, f"{name}: more than {MAX_ITEMS} items")
    check(all(item != "" and item == item.strip() for item in key_items + send_items),
          f"{name}: an empty item or spaces around an item")


def check_big5_sample(name, data):
    check(not data.startswith(b"\xef\xbb\xbf"), f"{name}: has a UTF-8 byte-order mark")
    # Read as UTF-8, the example would show garbage: it must stay ANSI for the palette.
    check(not is_utf8(data), f"{name}: is valid UTF-8, so it would not be read as Big5")
    lines = crlf_lines(name, data)
    text = []
    for number, line in enumerate(lines, 1):
        try:
            text.append(decode_cp950(line))
        except ValueError as error:
            check(False, f"{name}: line {number} is not Big5: {error}")
            return
    check(any(0xE000 <= ord(c) <= 0xF848 for line in text for c in line),
          f"{name}: holds no character of the Big5 user-defined area")
    check(any("\u4e00" <= c <= "\u9fff" for line in text for c in line),
          f"{name}: holds no Chinese text")
    check_group_file(name, text)


def check_utf8_sample(name, data):
    check(not data.startswith(b"\xef\xbb\xbf"), f"{name}: has a byte-order mark")
    if not check(is_utf8(data), f"{name}: not valid UTF-8"):
        return
    # Pure ASCII would read the same either way and show nothing of the detection.
    check(any(b >= 0x80 for b in data), f"{name}: holds no character beyond ASCII")
    text = [line.decode("utf-8") for line in crlf_lines(name, data)]
    check(any(c in "←→↑↓" for line in text for c in line), f"{name}: holds no arrow")
    check(any("\u4e00" <= c <= "\u9fff" for line in text for c in line),
          f"{name}: holds no Chinese text")
    check_group_file(name, text)


def check_readme(name, data, samples):
    check(data.startswith(b"\xef\xbb\xbf"), f"{name}: does not start with a UTF-8 byte-order mark")
    crlf_lines(name, data)
    try:
        text = data[3:].decode("utf-8")
    except UnicodeDecodeError as error:
        check(False, f"{name}: not UTF-8: {error}")
        return
    check(len(re.findall("[\u4e00-\u9fff]", text)) >= 200, f"{name}: little or no Chinese text")
    check(len(re.findall(r"\b(?:the|and|of|to)\b", text)) >= 50, f"{name}: little or no English")
    named = set(re.findall(r"samples\\(\w+\.txt)", text))
    check(named == samples, f"{name} names the examples {sorted(named)}; "
                            f"the zip holds {sorted(samples)}")


# --- the package -------------------------------------------------------------------------

def build_package(cmake, build_dir, config, zip_path):
    if os.path.exists(zip_path):
        os.remove(zip_path)
    command = [cmake, "--build", build_dir, "--target", "package"]
    if config:
        command += ["--config", config]
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0 or not os.path.isfile(zip_path):
        sys.stdout.write(result.stdout)
        print(f"FAIL: {' '.join(command)} did not make {zip_path}")
        return False
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", help="build the package there first")
    parser.add_argument("--cmake", default="cmake", help="the cmake that builds it")
    parser.add_argument("--config", default="")
    parser.add_argument("--zip", required=True)
    options = parser.parse_args()

    if options.build_dir and not build_package(options.cmake, options.build_dir, options.config,
                                                  options.zip):
        return 1

    with zipfile.ZipFile(options.zip) as archive:
        bad = archive.testzip()
        check(bad is None, f"damaged entry in the zip: {bad}")
        names = archive.namelist()
        files = {n for n in names if not n.endswith("/")}
        dirs = {n for n in names if n.endswith("/")}
        check(files == EXPECTED_FILES,
              f"the zip holds {sorted(files)}; expected {sorted(EXPECTED_FILES)}")
        check(dirs <= EXPECTED_DIRS,
              f"unexpected folders in the zip: {sorted(dirs - EXPECTED_DIRS)}")
        check(len(names) == len(set(names)), "an entry appears twice in the zip")

        def read(name):
            return archive.read(name) if name in files else None

        if (data := read("quillaro_palette.exe")) is not None:
            check_program(data)
        if (data := read("samples/user_define_0.txt")) is not None:
            check_big5_sample("samples/user_define_0.txt", data)
        if (data := read("samples/user_define_1.txt")) is not None:
            check_utf8_sample("samples/user_define_1.txt", data)
        if (data := read("README-Windows.txt")) is not None:
            samples = {n.split("/", 1)[1] for n in files if n.startswith("samples/")}
            check_readme("README-Windows.txt", data, samples)

    for message in failures:
        print("FAIL:", message)
    if not failures:
        print(f"{options.zip}: {len(files)} files, all as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
