#include "win32/win32_notices.h"

#include <string>

#include "palette/layout.h"
#include "palette/palette.h"
#include "win32/utf16.h"

namespace quillaro::win32 {

void Win32Notices::show_key_notice(int16_t index, std::u16string_view title,
                                   std::u16string_view text) {
    show_notice_at(kFirstKeyId + index, title, text);
}

void Win32Notices::show_notice_at(int control_id, std::u16string_view title,
                                  std::u16string_view text) {
    // The preview box's font: symbols of the private use area draw as they do on the keys.
    const auto font = reinterpret_cast<HFONT>(
        SendMessageW(GetDlgItem(palette_window_, kPreviewId), WM_GETFONT, 0, 0));
    key_notice_.show(palette_window_, GetDlgItem(palette_window_, control_id), font, title, text);
}

void Win32Notices::message_box(std::u16string_view text) {
    const std::u16string owned(text);
    const std::u16string title(kAppTitle);
    MessageBoxW(palette_window_, as_wchars(owned), as_wchars(title), MB_OK | MB_APPLMODAL);
}

}  // namespace quillaro::win32
