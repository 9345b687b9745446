// What the palette's handlers need from the operating system, in three parts: the input that
// reaches the target window, the group files, and what the palette tells the user. The Win32
// program implements each; tests use fakes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillaro {

using WindowHandle = std::uintptr_t;  // an HWND as a number; 0 is no window

// Only an interface: neither copied nor moved through a base reference.
class Interface {
  public:
    Interface() = default;
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;
    Interface(Interface&&) = delete;
    Interface& operator=(Interface&&) = delete;
    virtual ~Interface() = default;
};

// The windows in front and the keystrokes and clipboard text the palette gives them.
class Input : public Interface {
  public:
    virtual WindowHandle foreground_window() = 0;
    virtual WindowHandle own_window() = 0;  // the palette's own handle
    virtual void make_topmost() = 0;
    // Brings `window` forward; nothing when it is in front already.
    virtual void set_foreground_window(WindowHandle window) = 0;
    // Dispatches every pending message; handlers of the palette may run inside.
    virtual void dispatch_pending_messages() = 0;
    // True when `window` is in front with a focused control, so that typed keys reach it.
    virtual bool is_active(WindowHandle window) = 0;
    // Waits, bounded, until is_active(`window`); returns at once for a window that does not
    // exist. False when the time ran out.
    virtual bool wait_until_active(WindowHandle window) = 0;
    // False when the system would drop keys typed into `window` without a word: its program
    // runs at a higher integrity level than the palette (as administrator), or cannot be asked.
    virtual bool accepts_typing(WindowHandle window) = 0;
    // Types every character literally into the window that has the keyboard focus. False when
    // the system took only part of the keystrokes; no key is then left down.
    virtual bool type_text(std::u16string_view text) = 0;
    // Puts `text` on the clipboard as Unicode text; false when the clipboard could not be had.
    virtual bool copy_text(std::u16string_view text) = 0;
};

// A file's bytes, or why there are none.
struct FileRead {
    enum class Status : std::uint8_t {
        Read,
        Missing,  // not there, a folder, or unreadable
        InUse,    // held open by another program without sharing: later it may read
    };
    Status status = Status::Missing;
    std::string bytes;
};

// The user's group files: read, decoded, and opened for editing.
class Files : public Interface {
  public:
    // The bytes of a file by relative name.
    virtual FileRead read_file(std::u16string_view name) = 0;
    // Bytes in the system's ANSI code page as UTF-16.
    virtual std::u16string decode_ansi(std::string_view bytes) = 0;
    // Starts the system's text editor with `command_line`; false when it could not be started.
    virtual bool start_editor(std::u16string_view command_line) = 0;
};

// What the palette tells and shows the user besides its own controls.
class Notices : public Interface {
  public:
    // A short notice beside key button `index` that takes no focus and goes away by itself.
    virtual void show_key_notice(int16_t index, std::u16string_view title,
                                 std::u16string_view text) = 0;
    // Application-modal notice with an OK button, titled with the application's title.
    virtual void message_box(std::u16string_view text) = 0;
    virtual void open_about() = 0;
};

// The three together, as the palette's handlers use them.
struct Desktop {
    Input& input;
    Files& files;
    Notices& notices;
};

}  // namespace quillaro
