// The preview box as the search box. A click in it is the one click on the palette that takes
// the activation, so that the box gets the keyboard; Enter and Escape there act on the search
// instead of beeping.
#pragma once

#include <windows.h>

#include <functional>

namespace quillaro::win32 {

class SearchBox {
  public:
    struct Actions {
        std::function<void()> focused;  // the box got the keyboard focus
        std::function<void()> enter;
        std::function<void()> escape;
    };

    SearchBox() = default;
    SearchBox(const SearchBox&) = delete;
    SearchBox& operator=(const SearchBox&) = delete;
    SearchBox(SearchBox&&) = delete;
    SearchBox& operator=(SearchBox&&) = delete;
    ~SearchBox() = default;

    // Makes the text box `box` the search box for as long as it lives; false when it could
    // not be.
    bool attach(HWND box, Actions actions);
    // The palette went to the back: the next click in the box calls it and starts a search.
    void palette_deactivated() { calling_click_ = true; }

  private:
    static LRESULT CALLBACK box_proc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR id, DWORD_PTR self);

    Actions actions_;
    bool calling_click_ = true;  // a click now brings the palette to the front
};

}  // namespace quillaro::win32
