// A font installed in the Wine prefix and linked to faces, for as long as the object lives:
// the font file goes into the Windows fonts folder, and each face named gets it at the head of
// its font links (HKLM ... FontLink\SystemLink). Programs started meanwhile see it as a user's
// linked symbol font; the prefix is as it was afterwards.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

class LinkedTestFont {
  public:
    LinkedTestFont(const std::filesystem::path& font_file, const std::wstring& family,
                   const std::vector<std::wstring>& linked_to);
    LinkedTestFont(const LinkedTestFont&) = delete;
    LinkedTestFont& operator=(const LinkedTestFont&) = delete;
    ~LinkedTestFont();

    [[nodiscard]] bool installed() const { return installed_; }

  private:
    struct SavedLink {
        std::wstring face;
        std::optional<std::vector<wchar_t>> value;  // the face's links before, if it had any
    };

    std::filesystem::path installed_file_;
    std::wstring registered_name_;
    std::vector<SavedLink> saved_;
    bool installed_ = false;
};

}  // namespace e2e
