// Watching the folder of group files (the current folder) for changes to user_define_N.txt,
// on the user-interface thread: the message loop waits for the folder's change notice as it
// waits for messages, so whatever a change triggers runs between messages, as a handler does.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "win32/unique_handle.h"

namespace quillaro::win32 {

class FolderWatch {
  public:
    // Watches the current folder; `changed` runs on the thread that waits in next_message,
    // once for every batch of changes that may touch a group file. Without a folder handle
    // (a folder that cannot be watched) nothing is ever reported and the loop works as before.
    explicit FolderWatch(std::function<void()> changed);
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;
    ~FolderWatch();

    // The message loop's GetMessageW: waits for a message and, meanwhile, for changes to the
    // folder. False for WM_QUIT.
    bool next_message(MSG& message);

  private:
    bool start_reading();
    void take_changes();

    std::function<void()> changed_;
    UniqueKernelHandle folder_;
    UniqueKernelHandle signal_;
    OVERLAPPED overlapped_{};
    bool reading_ = false;
    // Change records; DWORD-aligned, as ReadDirectoryChangesW requires.
    alignas(DWORD) std::array<BYTE, 16384> records_{};
};

}  // namespace quillaro::win32
