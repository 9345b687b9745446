// The palette's view of Windows: its input, files and notices, owned together by the palette
// window.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "palette/desktop.h"
#include "win32/message_loop.h"
#include "win32/win32_files.h"
#include "win32/win32_input.h"
#include "win32/win32_notices.h"

namespace quillaro::win32 {

class Win32Desktop {
  public:
    Win32Desktop(MessageLoop& loop, std::function<void()> open_about)
        : input_(loop), notices_(std::move(open_about)) {}

    void set_palette_window(HWND window) {
        input_.set_palette_window(window);
        notices_.set_palette_window(window);
    }
    Desktop services() { return {input_, files_, notices_}; }
    Win32Notices& notices() { return notices_; }

  private:
    Win32Input input_;
    Win32Files files_;
    Win32Notices notices_;
};

}  // namespace quillaro::win32
