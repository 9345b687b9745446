// Watching the folder of group files (the current folder) for changes to user_define_N.txt,
// on the user-interface thread: the message loop waits for the folder's change notice as it
// waits for messages.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "win32/message_loop.h"
#include "win32/unique_handle.h"

namespace quillaro::win32 {

class FolderWatch {
  public:
    // Watches the current folder; `changed` runs in `loop`, once for every batch of changes
    // that may touch a group file. A folder that cannot be watched reports nothing.
    FolderWatch(MessageLoop& loop, std::function<void()> changed);
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;
    ~FolderWatch();

  private:
    bool start_reading();
    void take_changes();

    MessageLoop& loop_;
    std::function<void()> changed_;
    UniqueKernelHandle folder_;
    UniqueKernelHandle signal_;
    OVERLAPPED overlapped_{};
    // Change records; DWORD-aligned, as ReadDirectoryChangesW requires. They follow the
    // OVERLAPPED, already so aligned, so that the alignment asks for no padding (which MSVC
    // warns of, C4324).
    alignas(DWORD) std::array<BYTE, 16384> records_{};
    bool reading_ = false;
};

}  // namespace quillaro::win32
