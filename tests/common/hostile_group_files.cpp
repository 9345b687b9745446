#include "hostile_group_files.h"

#include <random>
#include <string_view>

namespace quillaro::testing {

namespace {

using Kind = GroupFileEntry::Kind;

std::string numbered(std::string_view prefix, int count) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0) list += ',';
        list += prefix;
        list += std::to_string(i);
    }
    return list;
}

// Valid UTF-8 with two CJK characters in every 16 bytes, no comma and no line end; the length
// is a multiple of 16, so no character is cut at the end.
std::string long_utf8_line(size_t bytes) {
    const std::string unit =
        "\xE9\x95\xB7\xE8\xA1\x8C"
        "0123456789";
    std::string line;
    line.reserve(bytes);
    while (line.size() + unit.size() <= bytes) line += unit;
    return line;
}

std::string six_pages_utf8() {
    std::string captions;
    std::string sends;
    for (int i = 0; i < 251; ++i) {
        if (i > 0) {
            captions += ',';
            sends += ',';
        }
        captions += 'k';
        captions += std::to_string(i);
        // Every third one also types a private-use character (U+E000 + i) and a CJK one.
        sends += 's';
        sends += std::to_string(i);
        if (i % 3 == 0) {
            const unsigned cp = 0xE000u + static_cast<unsigned>(i);
            sends += static_cast<char>(0xE0 | (cp >> 12));
            sends += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            sends += static_cast<char>(0x80 | (cp & 0x3F));
            sends += "\xE4\xB8\xAD";
        }
    }
    std::string file = "\xE5\x85\xAD\xE9\xA0\x81\r\n";  // 六頁
    file += captions;
    file += "\r\n";
    file += sends;
    file += "\r\n";
    return file;
}

std::string utf16le(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string random_bytes(size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFFu);
    return bytes;
}

}  // namespace

std::vector<GroupFileEntry> hostile_group_files() {
    using namespace std::string_literals;
    std::vector<GroupFileEntry> entries;
    const auto add = [&](Kind kind, std::string what, std::string bytes) {
        entries.push_back(
            {static_cast<int>(entries.size()), kind, std::move(what), std::move(bytes)});
    };
    // 常用 / 左,右,上,下,星,好 / ←,→,↑,↓,「」,U+E000 (Big5 FA 40, the user-defined area)
    add(Kind::File, "ordinary Big5",
        "\xB1\x60\xA5\xCE\r\n"
        "\xA5\xAA,\xA5\x6B,\xA4\x57,\xA4\x55,\xAC\x50,\xA6\x6E\r\n"
        "\xA1\xF6,\xA1\xF7,\xA1\xF4,\xA1\xF5,\xA1\x75\xA1\x76,\xFA\x40\r\n");
    add(Kind::File, "one 10 MB line", long_utf8_line(10u << 20));
    add(Kind::File, "100,000 commas", "Commas\r\n" + std::string(100000, ',') + "\r\nc0,c1\r\n");
    add(Kind::File, "40,000 send strings", "Forty\r\nk0,k1,k2\r\n" + numbered("s", 40000) + "\r\n");
    add(Kind::File, "lead bytes cut off",
        "Cut\xA4\r\n"
        "\xA4\xA4\xA4,\xA4,x\xFA\n"
        "s\xA4,\xFA\x40,t\xA4\r"
        "ignored\xA4");
    add(Kind::File, "control bytes",
        "N\0U\0L\r\n"
        "a\0b,c\x08"
        "d,e\x16"
        "f,g\x1A"
        "h,\ti,\x1B"
        "j,\x7F\r\n"
        "a\0b,c\x08"
        "d,e\x16"
        "f,g\x1A"
        "h,\ti,\x1B"
        "j,\x7F\r\n"s);
    add(Kind::File, "byte-order mark alone", "\xEF\xBB\xBF");
    add(Kind::File, "line ends only", "\r\n\r\n\n\r\r\n\n");
    add(Kind::Folder, "a folder", "");
    add(Kind::HeldOpen, "held open", "Held\r\nh0,h1\r\nH0,H1\r\n");
    add(Kind::File, "six pages", six_pages_utf8());
    add(Kind::File, "two pages", "Two\r\n" + numbered("a", 47) + "\r\n" + numbered("b", 47));
    add(Kind::File, "UTF-16 with broken surrogates",
        "\xFF\xFE"s +
            utf16le(u"U16\r\np,\U0001F600,\xD800x\r\nP,\U0001F600,"
                    u"\xDC00y") +
            "A");
    add(
        Kind::File, "a 100,000-character send string", "Long\r\nlong\r\n" + [] {
            std::string digits;
            for (int i = 0; i < 10000; ++i) digits += "0123456789";
            return digits;
        }() + "\r\n");
    add(Kind::File, "300 captions", "Over\r\n" + numbered("c", 300) + "\r\n" + numbered("d", 10));
    add(Kind::File, "64 KiB of random bytes", random_bytes(64u << 10, 20240601u));
    return entries;
}

}  // namespace quillaro::testing
