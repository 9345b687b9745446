#include "palette_checks.h"

#include <array>

#include "input.h"
#include "text.h"

namespace e2e {

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

}  // namespace e2e
