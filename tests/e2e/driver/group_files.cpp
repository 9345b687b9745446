#include "group_files.h"

#include <fstream>

#include "report.h"
#include "symbols/group_file.h"
#include "text.h"
#include "win32/group_file_sharing.h"

namespace e2e {

namespace {

using Kind = GroupFileEntry::Kind;

}  // namespace

std::wstring group_file_name(int group) {
    const std::u16string name = quillaro::group_file_name(group);
    return {name.begin(), name.end()};
}

std::filesystem::path group_file(const std::filesystem::path& folder, int n) {
    return folder / group_file_name(n);
}

void write_bytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw Error("could not write " + file.string());
}

std::string utf8_with_mark(std::wstring_view text) { return "\xEF\xBB\xBF" + to_utf8(text); }

std::string utf16le_with_mark(std::wstring_view text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return bytes;
}

std::string numbered_list(std::string_view prefix, int first, int last) {
    std::string list;
    for (int i = first; i <= last; ++i) {
        if (i > first) list += ',';
        list += prefix;
        list += std::to_string(i);
    }
    return list;
}

void write_group_files(const std::filesystem::path& folder,
                       const std::vector<GroupFileEntry>& entries) {
    for (const GroupFileEntry& entry : entries) {
        const auto path = folder / group_file_name(entry.group);
        if (entry.kind == Kind::Folder) {
            std::filesystem::create_directory(path);
            continue;
        }
        write_bytes(path, entry.bytes);
    }
}

HeldOpenFile::HeldOpenFile(const std::filesystem::path& file) {
    handle_.reset(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool opens_like_a_group_file(const std::filesystem::path& file) {
    const UniqueHandle handle(CreateFileW(file.c_str(), GENERIC_READ,
                                          quillaro::win32::kGroupFileSharing, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(handle);
}

}  // namespace e2e
