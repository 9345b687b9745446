#include "symbols/group_file.h"

#include <cstdint>
#include <string>
#include <utility>

#include "symbols/comma_list.h"

namespace quillaro {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kReplacement = u'\uFFFD';

uint8_t byte_at(std::string_view bytes, size_t i) { return static_cast<uint8_t>(bytes[i]); }

// Half-open ranges [first, second) of the first `max_lines` lines among `count` code units.
// `unit_at(i)` gives code unit i; CR LF, CR and LF each end a line and belong to no line.
// A trailing line end opens no further line, so "A\r\n" is one line and "" is none.
template <typename UnitAt>
std::vector<std::pair<size_t, size_t>> split_lines(size_t count, UnitAt unit_at, size_t max_lines) {
    std::vector<std::pair<size_t, size_t>> lines;
    size_t start = 0;
    while (start < count && lines.size() < max_lines) {
        size_t end = start;
        while (end < count && unit_at(end) != kCr && unit_at(end) != kLf) ++end;
        lines.emplace_back(start, end);
        if (end == count) break;
        const bool crlf = unit_at(end) == kCr && end + 1 < count && unit_at(end + 1) == kLf;
        start = end + (crlf ? 2 : 1);
    }
    return lines;
}

// One step of UTF-8 decoding at the start of `s` (which must not be empty).
struct Utf8Step {
    size_t length;  // bytes consumed; at least 1
    bool valid;     // false: `length` bytes form one ill-formed subsequence
    char32_t code_point;
};

// Well-formed sequences are those of the Unicode standard: no overlong forms, no surrogates,
// nothing above U+10FFFF. An ill-formed sequence consumes its longest prefix that could still
// have started a well-formed one, so each such prefix turns into a single U+FFFD.
Utf8Step utf8_step(std::string_view s) {
    const uint8_t lead = byte_at(s, 0);
    if (lead < 0x80) return {1, true, lead};

    size_t need = 0;
    uint8_t lo = 0x80;  // allowed range of the first continuation byte
    uint8_t hi = 0xBF;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0Fu;
        if (lead == 0xE0) lo = 0xA0;  // overlong below U+0800
        if (lead == 0xED) hi = 0x9F;  // U+D800..U+DFFF are surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07u;
        if (lead == 0xF0) lo = 0x90;  // overlong below U+10000
        if (lead == 0xF4) hi = 0x8F;  // above U+10FFFF
    } else {
        return {1, false, 0};  // continuation byte, C0, C1 or F5..FF
    }

    for (size_t i = 1; i <= need; ++i) {
        if (i >= s.size()) return {i, false, 0};  // truncated at the end
        const uint8_t b = byte_at(s, i);
        const uint8_t min = i == 1 ? lo : uint8_t{0x80};
        const uint8_t max = i == 1 ? hi : uint8_t{0xBF};
        if (b < min || b > max) return {i, false, 0};
        cp = (cp << 6) | (b & 0x3Fu);
    }
    return {need + 1, true, cp};
}

// The bytes of a UTF-8 character that the end of `bytes` cuts short: a lead byte and fewer
// continuation bytes than it needs, each as a well-formed character would have them; 0 when
// the last character is whole (or the end is ill-formed for another reason).
size_t cut_utf8_tail(std::string_view bytes) {
    const size_t from = bytes.size() < 3 ? 0 : bytes.size() - 3;
    for (size_t start = bytes.size(); start > from;) {
        --start;
        const uint8_t b = byte_at(bytes, start);
        if (b < 0x80) return 0;
        if (b >= 0xC2 && b <= 0xF4) {
            const Utf8Step step = utf8_step(bytes.substr(start));
            return !step.valid && start + step.length == bytes.size() ? step.length : 0;
        }
    }
    return 0;
}

// True when all of `bytes` is well-formed UTF-8 holding at least one multi-byte sequence.
// Pure ASCII answers false: it reads the same through the ANSI code page.
bool is_utf8_with_multibyte(std::string_view bytes) {
    bool multibyte = false;
    size_t i = 0;
    while (i < bytes.size()) {
        if (byte_at(bytes, i) < 0x80) {
            ++i;
            continue;
        }
        const Utf8Step step = utf8_step(bytes.substr(i));
        if (!step.valid) return false;
        multibyte = true;
        i += step.length;
    }
    return multibyte;
}

void append_code_point(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    const char32_t v = cp - 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
}

// Files without a mark get here only when well-formed; a file marked as UTF-8 may still hold
// damaged bytes, and those become U+FFFD rather than being dropped or read past.
std::u16string decode_utf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const Utf8Step step = utf8_step(bytes.substr(i));
        if (step.valid) {
            append_code_point(out, step.code_point);
        } else {
            out.push_back(kReplacement);
        }
        i += step.length;
    }
    return out;
}

// Control characters other than TAB are no text: U+0000 would cut a window text short, and
// the others reach a target window as editing commands when typed (U+0008 deletes, U+0016
// pastes the clipboard, U+001A undoes). CR and LF end lines and never get here.
bool is_dropped_control(char16_t unit) { return (unit < 0x20 && unit != u'\t') || unit == 0x7F; }

std::u16string without_controls(std::u16string line) {
    std::erase_if(line, is_dropped_control);
    return line;
}

// Byte encodings (UTF-8 and the ANSI code pages): CR and LF never occur inside a multi-byte
// character there, so the raw bytes are cut into lines first and only those lines decoded.
template <typename Decode>
std::vector<std::u16string> byte_lines(std::string_view bytes, size_t max_lines, Decode decode) {
    const auto ranges = split_lines(
        bytes.size(), [bytes](size_t i) { return char16_t{byte_at(bytes, i)}; }, max_lines);
    std::vector<std::u16string> lines;
    lines.reserve(ranges.size());
    for (const auto& [first, last] : ranges) {
        lines.push_back(without_controls(decode(bytes.substr(first, last - first))));
    }
    return lines;
}

// A comma byte is never part of a double-byte character in the ANSI code pages (Big5 trail
// bytes are 0x40..0x7E and 0xA1..0xFE), but a decoder may pair a stray lead byte with whatever
// follows, commas included. Decoding the pieces between commas one by one keeps every comma,
// so a damaged character never merges two keys; a well-formed line decodes the same either way.
std::u16string decode_ansi_line(const AnsiDecoder& ansi, std::string_view line) {
    std::u16string out;
    bool first = true;
    for_each_piece(line, [&](std::string_view piece) {
        if (!first) out += u',';
        first = false;
        if (!piece.empty()) out += ansi(piece);
    });
    return out;
}

// UTF-16 after its mark. An odd trailing byte is no code unit and is dropped. Code units are
// kept as they are, unpaired surrogates included: the palette only stores and sends them.
std::vector<std::u16string> utf16_lines(std::string_view bytes, bool big_endian, size_t max_lines) {
    const size_t count = bytes.size() / 2;
    const auto unit_at = [bytes, big_endian](size_t i) {
        const auto first = static_cast<unsigned>(byte_at(bytes, 2 * i));
        const auto second = static_cast<unsigned>(byte_at(bytes, 2 * i + 1));
        return static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
    };
    const auto ranges = split_lines(count, unit_at, max_lines);
    std::vector<std::u16string> lines;
    lines.reserve(ranges.size());
    for (const auto& [first, last] : ranges) {
        std::u16string line;
        line.reserve(last - first);
        for (size_t i = first; i < last; ++i) line.push_back(unit_at(i));
        lines.push_back(without_controls(std::move(line)));
    }
    return lines;
}

bool starts_with_bytes(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

}  // namespace

std::vector<std::u16string> read_group_lines(std::string_view bytes, const AnsiDecoder& ansi,
                                             size_t max_lines) {
    if (max_lines == 0) return {};
    if (bytes.size() >= kMaxGroupFileBytes) {
        // Read only this far, perhaps in the middle of a character.
        bytes = bytes.substr(0, kMaxGroupFileBytes);
        const size_t cut = cut_utf8_tail(bytes);
        const auto whole = bytes.substr(0, bytes.size() - cut);
        if (cut > 0 &&
            (starts_with_bytes(bytes, "\xEF\xBB\xBF") || is_utf8_with_multibyte(whole))) {
            bytes = whole;
        }
    }

    if (starts_with_bytes(bytes, "\xEF\xBB\xBF")) {
        return byte_lines(bytes.substr(3), max_lines, decode_utf8);
    }
    if (starts_with_bytes(bytes, "\xFF\xFE")) return utf16_lines(bytes.substr(2), false, max_lines);
    if (starts_with_bytes(bytes, "\xFE\xFF")) return utf16_lines(bytes.substr(2), true, max_lines);

    if (is_utf8_with_multibyte(bytes)) return byte_lines(bytes, max_lines, decode_utf8);
    return byte_lines(bytes, max_lines,
                      [&ansi](std::string_view line) { return decode_ansi_line(ansi, line); });
}

std::u16string group_file_name(int n) {
    const std::string digits = std::to_string(n);  // ASCII, so each char widens as is
    std::u16string name = u"user_define_";
    name.append(digits.begin(), digits.end());
    name += u".txt";
    return name;
}

bool may_name_group_file(std::u16string_view name) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c; };
    std::u16string folded(name);
    for (char16_t& c : folded) c = lower(c);
    if (folded.find(u'~') != std::u16string::npos) return folded.ends_with(u".txt");
    for (int n = 0; n < 16; ++n) {
        if (folded == group_file_name(n)) return true;
    }
    return false;
}

}  // namespace quillaro
