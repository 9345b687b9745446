#include "win32/saved_place.h"

namespace quillaro::win32 {
namespace {

constexpr const wchar_t* kLeft = L"WindowLeft";
constexpr const wchar_t* kTop = L"WindowTop";

std::optional<int> read_coordinate(const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kPlaceKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return static_cast<int>(value);  // stored as the two's complement of a negative coordinate
}

bool write_coordinate(const wchar_t* name, int coordinate) {
    const auto value = static_cast<DWORD>(coordinate);
    return RegSetKeyValueW(HKEY_CURRENT_USER, kPlaceKey, name, REG_DWORD, &value, sizeof(value)) ==
           ERROR_SUCCESS;
}

BOOL CALLBACK add_work_area(HMONITOR monitor, HDC /*dc*/, LPRECT /*rect*/, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info) != FALSE) {
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<PixelRect>*>(areas)->push_back(
            {work.left, work.top, work.right, work.bottom});
    }
    return TRUE;
}

}  // namespace

std::optional<POINT> load_saved_place() {
    const auto left = read_coordinate(kLeft);
    const auto top = read_coordinate(kTop);
    if (!left || !top) return std::nullopt;
    return POINT{*left, *top};
}

bool save_place(POINT corner) {
    return write_coordinate(kLeft, corner.x) && write_coordinate(kTop, corner.y);
}

std::vector<PixelRect> monitor_work_areas() {
    std::vector<PixelRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, add_work_area, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace quillaro::win32
