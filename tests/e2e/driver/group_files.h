// Group files for the palette to start in, written byte for byte before it starts, including
// entries that are no readable file at all (a folder in a file's place, a file held open).
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "process.h"

namespace e2e {

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

// "user_define_<group>.txt", named by the palette's own code.
std::wstring group_file_name(int group);

// user_define_<n>.txt in `folder`.
std::filesystem::path group_file(const std::filesystem::path& folder, int n);

// Writes `bytes` as they are (no newline translation).
void write_bytes(const std::filesystem::path& file, std::string_view bytes);
// The text as UTF-8 after the mark EF BB BF.
std::string utf8_with_mark(std::wstring_view text);
// The text as UTF-16 little-endian after the mark FF FE.
std::string utf16le_with_mark(std::wstring_view text);

// Items `first` .. `last` of a comma list: prefix + index, joined with ",".
std::string numbered_list(std::string_view prefix, int first, int last);

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

// Writes every entry into `folder` (files and folders; held-open files as files).
void write_group_files(const std::filesystem::path& folder,
                       const std::vector<GroupFileEntry>& entries);

// Holds a file open with share mode 0, so that every other attempt to open it fails with a
// sharing violation until this object goes away.
class HeldOpenFile {
  public:
    explicit HeldOpenFile(const std::filesystem::path& file);
    [[nodiscard]] bool held() const { return static_cast<bool>(handle_); }
    void release() { handle_.reset(); }

  private:
    UniqueHandle handle_;
};

// Opens `file` the way the palette opens a group file (read access, sharing read and write);
// true if that succeeds. The file is closed again at once.
bool opens_like_a_group_file(const std::filesystem::path& file);

}  // namespace e2e
