#!/usr/bin/env python3
"""Writes the example group files of the release package, packaging/samples/.

The files are committed; run this after changing their text:

    python3 packaging/make_samples.py

user_define_0.txt is in Big5 (code page 950), the encoding Traditional Chinese Windows
uses for plain text, and carries one character of the Big5 user-defined area (bytes FA 40,
which Windows reads as U+E000 in the Private Use Area, where the symbol font's characters
are). Python's codecs leave that area out, so those two bytes are written as they are.
user_define_1.txt is UTF-8 without a byte-order mark, as Notepad saves by default.
Both have three lines ending in CR LF. Captions are kept short: a group button shows two
characters and a key one.
"""

import os
import sys

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "samples")

USER_DEFINED_FA40 = object()  # stands for the bytes FA 40 in the Big5 sample


def big5_line(*pieces):
    out = b""
    for piece in pieces:
        out += b"\xfa\x40" if piece is USER_DEFINED_FA40 else piece.encode("cp950")
    return out + b"\r\n"


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(HERE, exist_ok=True)
    write("user_define_0.txt",
          big5_line("箭頭") +
          big5_line("左,右,上,下,引,造") +
          big5_line("←,→,↑,↓,「」,", USER_DEFINED_FA40))
    write("user_define_1.txt",
          "\r\n".join([
              "常用",
              "左,右,上,下,星,米,好",
              "←,→,↑,↓,★,※,您好！",
          ]).encode("utf-8") + b"\r\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
