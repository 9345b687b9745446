// A balloon beside a control that tells the user something without taking the focus from the
// window they are typing in, and goes away by itself.
#pragma once

#include <windows.h>

#include <string_view>

#include "win32/unique_handle.h"

namespace quillaro::win32 {

class NoticeBalloon {
  public:
    // Points a balloon with `title` and `text` in `font` at the foot of `anchor`, a control of
    // `owner`, for about four seconds; a notice shown meanwhile takes its place. The font is
    // the caller's and must outlive the balloon.
    void show(HWND owner, HWND anchor, HFONT font, std::u16string_view title,
              std::u16string_view text);

  private:
    bool create(HWND owner);

    UniqueWindow tooltip_;
    HWND owner_ = nullptr;
};

}  // namespace quillaro::win32
