// A folder of hostile group files, one per group: what the palette must read without crashing
// and without showing garbage. Written by the end-to-end tests into a real folder, handed to
// the unit tests' fake as bytes.
#pragma once

#include <string>
#include <vector>

namespace quillaro::testing {

struct GroupFileEntry {
    enum class Kind {
        File,      // a file with `bytes`
        Folder,    // a folder named user_define_N.txt
        HeldOpen,  // a file with `bytes` that the test holds open with no sharing
    };
    int group = 0;  // 0..15: the entry is user_define_<group>.txt
    Kind kind = Kind::File;
    std::string what;   // for the log
    std::string bytes;  // the file's content (File and HeldOpen)
};

// The hostile folder, one entry per group:
//   0  an ordinary Big5 file with a user-defined character (read through code page 950)
//   1  one 10 MB line of UTF-8 text without a comma
//   2  a caption list of 100,000 commas
//   3  40,000 send strings on line 3
//   4  a Big5 lead byte at the end of every line and before commas
//   5  NUL and other control bytes inside lines
//   6  a UTF-8 byte-order mark and nothing else
//   7  nothing but line ends
//   8  a folder named user_define_8.txt
//   9  a file the test holds open without sharing while the palette starts
//  10  an ordinary UTF-8 file of 251 keys: six pages
//  11  an ordinary ASCII file of 47 keys: two pages
//  12  UTF-16 LE with a mark, a surrogate pair, unpaired surrogates and an odd last byte
//  13  a send string of 100,000 characters
//  14  a line of 300 captions: more than a group holds
//  15  64 KiB of random bytes from a fixed seed
std::vector<GroupFileEntry> hostile_group_files();

}  // namespace quillaro::testing
