// What the palette program carries besides its code, read from the program file and seen in
// the running program: the icon group, the version information, and what the manifest does
// (per-monitor DPI awareness, common controls 6 from the side-by-side store).

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "driver/e2e.h"

namespace e2e::cases {
namespace {

// Resource module of a program file: resources readable, no code run.
class ResourceModule {
  public:
    explicit ResourceModule(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE)) {}
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    ~ResourceModule() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    [[nodiscard]] HMODULE get() const { return module_; }

    // The bytes of one resource, empty when it is missing.
    [[nodiscard]] std::vector<BYTE> bytes(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(module_, name, type);
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* data = static_cast<const BYTE*>(LockResource(loaded));
        const DWORD size = SizeofResource(module_, found);
        if (data == nullptr) return {};
        return {data, data + size};
    }

  private:
    HMODULE module_;
};

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

void check_icon_group(Report& report, const ResourceModule& module) {
    const std::vector<BYTE> group = module.bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    if (!report.check(group.size() >= sizeof(IconGroupHeader), "icon group 1 is in the program"))
        return;
    IconGroupHeader header{};
    std::copy_n(group.begin(), sizeof(header), reinterpret_cast<BYTE*>(&header));
    report.check_equal(header.count, 3, "the icon group holds three images");
    if (group.size() < sizeof(header) + header.count * sizeof(IconGroupEntry)) {
        report.fail("the icon group is cut short");
        return;
    }
    std::set<int> sizes;
    bool images_there = true;
    for (WORD i = 0; i < header.count; ++i) {
        IconGroupEntry entry{};
        std::copy_n(group.begin() + static_cast<std::ptrdiff_t>(sizeof(header) + i * sizeof(entry)),
                    sizeof(entry), reinterpret_cast<BYTE*>(&entry));
        sizes.insert(entry.width == 0 ? 256 : entry.width);
        images_there = images_there && !module.bytes(RT_ICON, MAKEINTRESOURCEW(entry.id)).empty();
    }
    report.check(sizes == std::set<int>{16, 32, 48}, "the images are 16, 32 and 48 pixels");
    report.check(images_there, "every image the group names is in the program");

    // The system can make icons of the three sizes from it.
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(module.get(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        ICONINFO info{};
        BITMAP bitmap{};
        const bool loaded = icon != nullptr && GetIconInfo(icon, &info) != FALSE &&
                            GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask,
                                       sizeof(bitmap), &bitmap) != 0;
        report.check(loaded && bitmap.bmWidth == size,
                     "icon 1 loads at " + std::to_string(size) + " pixels");
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        if (icon != nullptr) DestroyIcon(icon);
    }
}

std::wstring version_string(const std::vector<BYTE>& block, const std::wstring& table,
                            const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\" + table + L"\\" + name;
    if (VerQueryValueW(block.data(), path.c_str(), &value, &length) == FALSE || length == 0) {
        return L"<missing>";
    }
    std::wstring text(static_cast<const wchar_t*>(value), length);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

void check_version(Report& report, const std::wstring& exe) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (!report.check(size != 0 && GetFileVersionInfoW(exe.c_str(), 0, size, block.data()),
                      "the program has version information")) {
        return;
    }
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) != FALSE &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        report.check(fixed->dwProductVersionMS == MAKELONG(1, 1) && fixed->dwProductVersionLS == 0,
                     "the fixed product version is 1.1.0.0");
        report.check_equal(fixed->dwFileType, VFT_APP, "the file type is an application");
    } else {
        report.fail("the version information has its fixed part");
    }

    // The strings, in the table of the first language the program lists.
    std::wstring table = L"040404b0";
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) != FALSE &&
        length >= 2 * sizeof(WORD)) {
        const auto* language = static_cast<const WORD*>(value);
        wchar_t name[9] = {};
        swprintf(name, 9, L"%04x%04x", language[0], language[1]);
        table = name;
    }
    report.check_equal(table, std::wstring(L"040404b0"),
                       "the strings are Traditional Chinese (Taiwan), UTF-16");
    report.check_equal(version_string(block, table, L"ProductVersion"), std::wstring(L"1.1"),
                       "ProductVersion");
    report.check_equal(version_string(block, table, L"ProductName"),
                       std::wstring(L"Quillaro符號輸入小工具"), "ProductName");
    report.check_equal(version_string(block, table, L"FileDescription"),
                       std::wstring(L"Quillaro符號輸入小工具: 將特殊符號輸入到任何程式"),
                       "FileDescription");
    report.check_equal(version_string(block, table, L"OriginalFilename"),
                       std::wstring(L"quillaro_palette.exe"), "OriginalFilename");
}

std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// The full paths of the modules loaded in `process`.
std::vector<std::wstring> module_paths(HANDLE process) {
    std::vector<HMODULE> modules(256);
    DWORD needed = 0;
    if (EnumProcessModulesEx(process, modules.data(),
                             static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed,
                             LIST_MODULES_ALL) == FALSE) {
        return {};
    }
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    std::vector<std::wstring> paths;
    for (HMODULE module : modules) {
        wchar_t path[MAX_PATH] = {};
        if (GetModuleFileNameExW(process, module, path, MAX_PATH) != 0) paths.emplace_back(path);
    }
    return paths;
}

void check_manifest_effect(Report& report, Palette& palette) {
    // Declared per-monitor (v2) aware, the palette lays itself out in physical pixels. Without
    // the manifest's setting it would be DPI unaware and scaled by the system. Wine knows
    // per-monitor awareness but not its second version.
    const DPI_AWARENESS_CONTEXT context = GetWindowDpiAwarenessContext(palette.window());
    report.check_equal(static_cast<int>(GetAwarenessFromDpiAwarenessContext(context)),
                       static_cast<int>(DPI_AWARENESS_PER_MONITOR_AWARE),
                       "the palette window is per-monitor DPI aware");
    report.note(AreDpiAwarenessContextsEqual(context, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)
                    ? "the system reports per-monitor awareness version 2"
                    : "the system reports per-monitor awareness, not of version 2");

    // The manifest asks for common controls 6, which the loader takes from the WinSxS store.
    const UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, palette.process().id()));
    if (!report.check(static_cast<bool>(process), "the palette process can be queried")) return;
    std::wstring comctl;
    for (const std::wstring& path : module_paths(process.get())) {
        const std::wstring name = lower(path);
        if (name.size() >= 12 && name.ends_with(L"\\comctl32.dll")) comctl = path;
    }
    report.note("the palette's comctl32: " + to_utf8(comctl));
    report.check(lower(comctl).find(L"\\winsxs\\") != std::wstring::npos,
                 "the palette uses comctl32 from the side-by-side store (version 6)");
}

void check_window_icon(Report& report, const Palette& palette) {
    SetLastError(0);
    const ULONG_PTR class_icon = GetClassLongPtrW(palette.window(), GCLP_HICON);
    const DWORD error = GetLastError();
    if (class_icon == 0 && error != 0) {
        // Wine keeps class icons in the owning process and does not give them out; the
        // title bar in the screenshot shows the icon instead.
        report.note("the class icon of another process cannot be read here (error " +
                    std::to_string(error) + ")");
        return;
    }
    report.check(class_icon != 0, "the palette's window class has an icon");
}

}  // namespace

void palette_resources(Context& context) {
    Report& report = context.report;
    const std::wstring exe = context.program(L"quillaro_palette.exe").wstring();
    {
        const ResourceModule module(exe);
        if (report.check(module.get() != nullptr, "the program file opens as a resource module")) {
            check_icon_group(report, module);
            report.check(!module.bytes(RT_MANIFEST, MAKEINTRESOURCEW(1)).empty(),
                         "the manifest is embedded as resource 1");
        }
    }
    check_version(report, exe);

    Palette palette(context);
    check_manifest_effect(report, palette);
    check_window_icon(report, palette);
    context.screenshot("title-bar");
    report.check(palette.close(), "the palette closes");
}

E2E_TEST(palette_resources, "NEEDS_PALETTE",
         "icon group, version information and the manifest's effect on the palette");

}  // namespace e2e::cases
