// The system's word on each change of the window in front. An out-of-context event hook: its
// callbacks come through the thread's message loop, with no thread of ours and nothing to do
// between changes. Under Wine 8 it tells only of this program's own windows; the palette also
// reads the window in front when the pointer comes to it.
#pragma once

#include <windows.h>

#include <functional>

namespace quillaro::win32 {

class ForegroundHook {
  public:
    ForegroundHook() = default;
    ForegroundHook(const ForegroundHook&) = delete;
    ForegroundHook& operator=(const ForegroundHook&) = delete;
    ForegroundHook(ForegroundHook&&) = delete;
    ForegroundHook& operator=(ForegroundHook&&) = delete;
    ~ForegroundHook() { stop(); }

    // Calls `changed` with each window that comes to the front; false when the system would
    // not set the hook. One hook at a time in a program.
    bool start(std::function<void(HWND)> changed);
    void stop();

  private:
    static void CALLBACK on_event(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                  LONG child, DWORD thread, DWORD time);

    HWINEVENTHOOK hook_ = nullptr;
    std::function<void(HWND)> changed_;
};

}  // namespace quillaro::win32
