#include "win32/search_box.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "palette/palette.h"
#include "palette/symbol_search.h"
#include "win32/utf16.h"

namespace quillaro::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

bool SearchBox::attach(HWND box, Actions actions) {
    actions_ = std::move(actions);
    SendMessageW(box, EM_LIMITTEXT, kMaxQueryUnits, 0);
    const std::u16string cue(kSearchCue);
    // TRUE: the cue stays while the empty box has the focus, which is when it helps.
    SendMessageW(box, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(as_wchars(cue)));
    return SetWindowSubclass(box, box_proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) !=
           FALSE;
}

LRESULT CALLBACK SearchBox::box_proc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR id, DWORD_PTR self) {
    auto* search_box = reinterpret_cast<SearchBox*>(self);
    const Actions& actions = search_box->actions_;
    switch (message) {
        case WM_MOUSEACTIVATE:
            // Answered here, before the palette would keep its activation from the click.
            return MA_ACTIVATE;
        case WM_LBUTTONDBLCLK:
            // The click that calls the palette may come soon after the last one in the box
            // (Enter between them): a click of its own, not a double click selecting a word.
            if (!search_box->calling_click_) break;
            message = WM_LBUTTONDOWN;
            [[fallthrough]];
        case WM_LBUTTONDOWN: {
            const LRESULT result = DefSubclassProc(box, message, wparam, lparam);
            // The box may have kept the focus while another window was in front, and then it
            // is told nothing new: the click that calls the palette starts the search itself.
            if (search_box->calling_click_) actions.focused();
            search_box->calling_click_ = false;
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(box, message, wparam, lparam);
            search_box->calling_click_ = false;
            actions.focused();
            return result;
        }
        case WM_KEYDOWN:
            if (wparam == VK_RETURN) {
                actions.enter();
                return 0;
            }
            if (wparam == VK_ESCAPE) {
                actions.escape();
                return 0;
            }
            break;
        case WM_CHAR:
            if (wparam == L'\r' || wparam == 0x1B) return 0;  // handled as keys: no beep
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(box, box_proc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(box, message, wparam, lparam);
}

}  // namespace quillaro::win32
