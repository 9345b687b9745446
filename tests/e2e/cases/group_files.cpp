#include "group_files.h"

#include <array>
#include <fstream>

namespace e2e::cases {

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

std::wstring joined(std::initializer_list<std::wstring_view> parts) {
    std::wstring text;
    bool first = true;
    for (const auto part : parts) {
        if (!first) text += L'|';
        text += part;
        first = false;
    }
    return text;
}

std::wstring keys_text(std::initializer_list<std::wstring_view> shown) {
    std::wstring text;
    int k = 0;
    for (const auto caption : shown) {
        if (k++ > 0) text += L'|';
        text += caption;
    }
    for (; k < Palette::kKeys; ++k) {
        if (k > 0) text += L'|';
    }
    return text;
}

namespace {

template <size_t N>
std::wstring bar_joined(const std::array<std::wstring, N>& captions) {
    std::wstring text;
    for (size_t i = 0; i < captions.size(); ++i) {
        if (i > 0) text += L'|';
        text += captions[i];
    }
    return text;
}

}  // namespace

std::wstring keys_text(const Palette& palette) { return bar_joined(palette.key_captions()); }

std::wstring groups_text(const Palette& palette) { return bar_joined(palette.group_captions()); }

bool select_group(Report& report, Palette& palette, int group, std::wstring_view expected_keys,
                  std::wstring_view expected_label) {
    const bool shown = palette.click_until(palette.group(group), [&] {
        return palette.page_label() == expected_label && keys_text(palette) == expected_keys;
    });
    if (!shown) {
        report.note("page label " + describe(palette.page_label()) + ", keys " +
                    describe(keys_text(palette)));
    }
    return report.check(
        shown, "group " + std::to_string(group) + " shows its keys and " + to_utf8(expected_label));
}

bool key_types(Report& report, Palette& palette, const StandInEditor& editor, int k,
               std::wstring& typed, std::wstring_view sent) {
    typed += sent;
    const bool ok = click(palette.key(k)) && editor.wait_for_text(typed);
    if (!ok) {
        typed = editor.text().value_or(typed);
        report.note("the editor holds " + describe(typed));
    }
    return report.check(ok, "key " + std::to_string(k) + " typed " + describe(sent));
}

}  // namespace e2e::cases
