#include "win32/folder_watch.h"

#include <string_view>
#include <utility>

#include "symbols/group_file.h"

namespace quillaro::win32 {
namespace {

// Made, renamed, deleted, written or resized: whatever an editor's save does.
constexpr DWORD kChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

// True when a batch of change records names a group file. An empty batch means the records
// overflowed and are lost: any file may have changed.
bool names_group_file(const BYTE* records, DWORD size) {
    if (size == 0) return true;
    DWORD at = 0;
    for (;;) {
        const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(records + at);
        const std::u16string_view name(reinterpret_cast<const char16_t*>(record->FileName),
                                       record->FileNameLength / sizeof(WCHAR));
        if (may_name_group_file(name)) return true;
        if (record->NextEntryOffset == 0) return false;
        at += record->NextEntryOffset;
        if (at >= size) return false;
    }
}

}  // namespace

FolderWatch::FolderWatch(MessageLoop& loop, std::function<void()> changed)
    : loop_(loop),
      changed_(std::move(changed)),
      folder_(CreateFileW(
          L".", FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr)),
      signal_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    // Watched for as long as reads succeed; each read is started again on the same event.
    if (folder_ && signal_ && start_reading()) {
        loop_.watch(signal_.get(), [this] { take_changes(); });
    }
}

FolderWatch::~FolderWatch() {
    loop_.unwatch(signal_.get());
    if (!reading_) return;
    // The system writes into records_ until the read is over: end it and wait for that.
    CancelIoEx(folder_.get(), &overlapped_);
    DWORD ignored = 0;
    GetOverlappedResult(folder_.get(), &overlapped_, &ignored, TRUE);
}

bool FolderWatch::start_reading() {
    overlapped_ = {};
    overlapped_.hEvent = signal_.get();
    ResetEvent(signal_.get());
    reading_ =
        ReadDirectoryChangesW(folder_.get(), records_.data(), static_cast<DWORD>(records_.size()),
                              FALSE, kChanges, nullptr, &overlapped_, nullptr) != FALSE;
    return reading_;
}

void FolderWatch::take_changes() {
    DWORD size = 0;
    const bool read = GetOverlappedResult(folder_.get(), &overlapped_, &size, FALSE) != FALSE;
    reading_ = false;
    // A failed read (the folder gone, say) still may have changed the files; reading again
    // fails the same way and ends the watching.
    const bool group_file = !read || names_group_file(records_.data(), size);
    if (!read || !start_reading()) loop_.unwatch(signal_.get());
    if (group_file) changed_();
}

}  // namespace quillaro::win32
