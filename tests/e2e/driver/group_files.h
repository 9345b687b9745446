// Group files for the palette to start in, written byte for byte before it starts, including
// entries that are no readable file at all (a folder in a file's place, a file held open).
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "hostile_group_files.h"
#include "process.h"

namespace e2e {

using quillaro::testing::GroupFileEntry;
using quillaro::testing::hostile_group_files;

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
