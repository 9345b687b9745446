#include "win32/integrity.h"

#include <vector>

#include "win32/unique_handle.h"

namespace quillaro::win32 {
namespace {

// A process's integrity level (its token's mandatory label's last sub-authority, such as
// SECURITY_MANDATORY_HIGH_RID), or why it is not known.
struct Integrity {
    enum class Known : unsigned char { Yes, Denied, Unknown };
    Known known = Known::Unknown;
    DWORD level = 0;
};

Integrity::Known failure() {
    return GetLastError() == ERROR_ACCESS_DENIED ? Integrity::Known::Denied
                                                 : Integrity::Known::Unknown;
}

Integrity integrity_of(HANDLE process) {
    HANDLE raw_token = nullptr;
    if (OpenProcessToken(process, TOKEN_QUERY, &raw_token) == FALSE) return {failure()};
    const UniqueKernelHandle token(raw_token);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) return {failure()};
    std::vector<unsigned char> buffer(size);
    if (GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size) ==
        FALSE) {
        return {failure()};
    }
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (sid == nullptr || IsValidSid(sid) == FALSE) return {};
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) return {};
    return {Integrity::Known::Yes, *GetSidSubAuthority(sid, static_cast<DWORD>(count - 1))};
}

}  // namespace

bool runs_above_us(HWND window) {
    if (window == nullptr || IsWindow(window) == FALSE) return false;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (process_id == 0 || process_id == GetCurrentProcessId()) return false;
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    // Denied: a program protected from us, which drops our keys as well. A level that cannot
    // be read for any other reason (a system without integrity levels) leaves typing as it is.
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    const Integrity theirs = integrity_of(process.get());
    if (theirs.known != Integrity::Known::Yes) return theirs.known == Integrity::Known::Denied;
    // The palette's own level is read once: it does not rise while the palette runs.
    static const Integrity ours = integrity_of(GetCurrentProcess());
    return ours.known == Integrity::Known::Yes && theirs.level > ours.level;
}

}  // namespace quillaro::win32
