// wine_bench.exe: one measurement of the palette or of the minimal window under Wine, printed as
// "<name> <value>" lines for bench/run_wine_bench.sh, which runs each one several times and
// compares medians.
//
//   wine_bench.exe startup palette|minimal|controls [--hostile]
//       Milliseconds from starting the program to its window shown and ready: visible, the
//       palette's page label written (start-up paints page 1 before it shows the window), and
//       the program answering a message, so it has painted and entered its message loop.
//       --hostile starts the palette in the folder of hostile group files of the end-to-end
//       tests, user_define_9.txt held open without sharing as there.
//   wine_bench.exe startup-pair <floor> <program> [--rounds=N]
//       N rounds (default 5) of both start-ups back to back, the first of the two alternating:
//       "floor_ms", "program_ms" and their "ratio" each round.
//   wine_bench.exe click-to-text [--units=N]
//       The median over 9 rounds of: milliseconds from the mouse click on a key to the last
//       character of its string arriving in the stand-in editor (click_ms), and from the
//       driver typing the same string into the editor with SendInput to its arrival
//       (typed_ms). N = 1 clicks 縣, the first key of set 1; N > 1 a set-3 key typing N units.
//       typed_ms is the floor of click to text: a click types by SendInput into the window
//       in front, which it no longer activates. minimal_click_ms: the same clicks on the
//       minimal window typing the string itself (the mouse's delivery and the typing alone).
//   wine_bench.exe startup-marks [palette|controls]
//       The palette (or the 70 controls, which mark the phases they share with it) started
//       with --startup-marks: milliseconds from its process's start to the
//       end of each phase of its start-up, as "<phase>_ms <value>" lines, and its working set
//       then in KiB, as "<phase>_kib <value>" lines.
//   wine_bench.exe idle palette|minimal|minimal-timer|controls|controls-timer [--seconds=S]
//                  [--cursor-away]
//       Starts the program, rests the mouse cursor on the middle of its window (on a key of
//       the palette), or at the screen's corner with --cursor-away, and one second later prints
//       "idle_begin", lets it do nothing for S seconds (default 10), prints "idle_end" and
//       closes it. For the palette it also prints "wakes N": how often its message loop woke
//       up in between. minimal-timer is the minimal window running a 1 ms timer, and
//       controls-timer the palette's 70 controls (controls_window.exe) with it. The
//       script reads the processor time of the program and of the wineserver from /proc at the two
//       lines: Wine's GetProcessTimes for another process shows a small part of what /proc
//       does.
//   wine_bench.exe memory palette|minimal|controls
//       The peak working set, two seconds after the program is ready, in KiB.
//   wine_bench.exe reload [--hostile]
//       Group files: the palette shows set 3 in a folder of one small group file (or in the
//       hostile folder, no file held open), then the driver rewrites user_define_0.txt with a
//       new caption, 7 times; the median milliseconds from the write to group button 0 showing
//       it (reload_ms). That includes the palette's 300 ms wait for the last change and Wine's
//       change notice: compare the two folders.
//   wine_bench.exe memory-set3 [--big-files]
//       The palette's peak working set in KiB, two seconds after More has made set 3 current
//       (start-up and the caption pass both read every file): in a folder without group files,
//       or with 16 group files of 64 MiB each (one line of 64 MiB after the caption).

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "driver/group_files.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

struct Subject {
    std::wstring exe;
    std::wstring title;
    bool palette;
    std::vector<std::wstring> args;
};

Subject subject(std::wstring_view name) {
    if (name == L"palette")
        return {L"quillaro_palette.exe", std::wstring(Palette::kTitle), true, {}};
    if (name == L"minimal") return {L"minimal_window.exe", L"Minimal window", false, {}};
    if (name == L"minimal-timer") {
        return {L"minimal_window.exe", L"Minimal window", false, {L"--timer"}};
    }
    if (name == L"controls") return {L"controls_window.exe", L"Controls window", false, {}};
    if (name == L"controls-timer") {
        return {L"controls_window.exe", L"Controls window", false, {L"--timer"}};
    }
    throw Error("no such program: " + to_utf8(name));
}

std::filesystem::path own_folder() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return std::filesystem::path(path).parent_path();
}

// A folder of the benchmark's own under the build folder: empty, or the hostile group files.
std::filesystem::path work_folder(std::wstring_view name) {
    const auto folder = own_folder() / L"bench-work" / name;
    std::filesystem::create_directories(folder);
    if (name == L"hostile" && !std::filesystem::exists(folder / group_file_name(15))) {
        write_group_files(folder, hostile_group_files());
    }
    return folder;
}

double milliseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool answers(HWND window, Millis timeout) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                               static_cast<UINT>(timeout.count()), &result) != 0;
}

// Polls every millisecond until the program's window is shown and ready (see above).
HWND wait_ready(const Process& process, const Subject& program) {
    HWND window = nullptr;
    const bool ready = poll(
        [&] {
            window = find_window(program.title, process.id());
            if (window == nullptr || !is_visible(window)) return false;
            if (program.palette) {
                HWND label = child_by_id(window, quillaro::kPageLabelId);
                if (label == nullptr || window_text(label, 5s).value_or(L"").empty()) return false;
            }
            return answers(window, 5s);
        },
        60s, 1ms);
    if (!ready) throw Error("the program never became ready");
    return window;
}

void close_program(Process& process, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!process.wait_exit(10s)) process.terminate();
}

void print_value(std::string_view name, double value) {
    print_line(std::string(name) + " " + std::to_string(value));
}

double startup_ms(const Subject& program, bool hostile) {
    const auto folder = work_folder(hostile ? L"hostile" : L"empty");
    std::optional<HeldOpenFile> held;
    if (hostile) held.emplace(folder / group_file_name(9));
    const auto start = Clock::now();
    Process process = Process::start(own_folder() / program.exe, {}, folder);
    HWND window = wait_ready(process, program);
    const double started = milliseconds_since(start);
    close_program(process, window);
    return started;
}

// Single start-ups range over a factor of two within minutes; a pair started back to back
// meets the same moment of the machine, so the ratio of each pair varies much less. The first
// of a pair alternates, so that neither is always the one that finds the caches warm.
void startup_pair(const Subject& floor, const Subject& program, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        double floor_ms = 0;
        double program_ms = 0;
        if (round % 2 == 0) {
            floor_ms = startup_ms(floor, false);
            program_ms = startup_ms(program, false);
        } else {
            program_ms = startup_ms(program, false);
            floor_ms = startup_ms(floor, false);
        }
        print_value("floor_ms", floor_ms);
        print_value("program_ms", program_ms);
        print_value("ratio", program_ms / floor_ms);
    }
}

void startup_marks(const Subject& program) {
    const auto folder = work_folder(L"marks");
    const auto file = folder / L"marks.txt";
    std::filesystem::remove(file);
    Process process =
        Process::start(own_folder() / program.exe, {L"--startup-marks=" + file.wstring()}, folder);
    HWND window = wait_ready(process, program);
    close_program(process, window);
    std::ifstream marks(file);
    std::string phase;
    double at = 0;
    double working_set = 0;
    int count = 0;
    while (marks >> phase >> at >> working_set) {
        print_value(phase + "_ms", at);
        print_value(phase + "_kib", working_set);
        ++count;
    }
    if (count == 0) throw Error("the program wrote no start-up marks");
}

size_t text_length(HWND edit) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
    return static_cast<size_t>(length);
}

bool press_and_release() {
    INPUT events[2]{};
    events[0].type = INPUT_MOUSE;
    events[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    events[1].type = INPUT_MOUSE;
    events[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, events, sizeof(INPUT)) == 2;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// N units of "0123456789", the string of a set-3 key in the click benchmarks.
std::wstring digits(int units) {
    std::wstring text;
    for (int i = 0; i < units; ++i) text += static_cast<wchar_t>(L'0' + i % 10);
    return text;
}

struct ClickTimes {
    double clicked_ms;
    double typed_ms;
};

// Nine rounds of: a click where the mouse cursor rests, timed until `text` has arrived in the
// editor, then the driver typing `text` itself with SendInput, timed the same way; the medians.
ClickTimes time_clicks(HWND edit, const std::wstring& text) {
    const auto arrived = [&](size_t before) {
        return poll([&] { return text_length(edit) >= before + text.size(); }, 30s, 1ms);
    };
    std::vector<double> clicked;
    std::vector<double> typed;
    for (int round = 0; round < 9; ++round) {
        size_t before = text_length(edit);
        auto start = Clock::now();
        if (!press_and_release() || !arrived(before)) {
            throw Error("the clicked string never arrived");
        }
        clicked.push_back(milliseconds_since(start));
        before = text_length(edit);
        start = Clock::now();
        if (!type_text(text) || !arrived(before)) {
            throw Error("the typed string never arrived");
        }
        typed.push_back(milliseconds_since(start));
    }
    return {median(clicked), median(typed)};
}

// The same clicks on the minimal window typing `text` itself: the least a click that types
// costs, the mouse's delivery included.
double minimal_click_ms(StandInEditor& editor, const std::wstring& text) {
    Process process = Process::start(own_folder() / L"minimal_window.exe",
                                     {L"--type-on-click=" + text}, work_folder(L"empty"));
    HWND window = wait_ready(process, subject(L"minimal"));
    SetWindowPos(window, nullptr, 100, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const auto client = client_rect_on_screen(window);
    if (!client || !editor.click_into() || !move_mouse_to(centre_of(*client))) {
        throw Error("the editor never took the focus back from the minimal window");
    }
    const double clicked = time_clicks(editor.edit(), text).clicked_ms;
    close_program(process, window);
    return clicked;
}

void click_to_text(int units) {
    const std::wstring folder_name = L"click" + std::to_wstring(units);
    const auto folder = work_folder(folder_name);
    // N units of "0123456789" for a set-3 key; set 1's first key for one unit.
    std::wstring text = digits(units);
    if (units > 1) {
        std::ofstream(folder / group_file_name(0), std::ios::binary) << "Bench\r\nkey\r\n"
                                                                     << to_utf8(text) << "\r\n";
    } else {
        text = L"縣";
    }

    Report report;
    const Screenshots no_screenshots({});
    Context context{report, no_screenshots, own_folder(), folder, {}};
    StandInEditor editor(context, {L"--pos=700,80"});
    Palette palette(context, 60s);
    if (!editor.click_into()) throw Error("the editor never took the focus");
    if (units > 1 && !palette.show_set(3)) throw Error("set 3 never showed");
    HWND key = palette.key(0);
    if (!hover(key) || !poll([&] { return palette.text(quillaro::kPreviewId) == text; }, 10s)) {
        throw Error("the key's string never showed in the preview");
    }

    const ClickTimes palette_click = time_clicks(editor.edit(), text);
    palette.close();
    print_value("click_ms", palette_click.clicked_ms);
    print_value("typed_ms", palette_click.typed_ms);
    print_value("minimal_click_ms", minimal_click_ms(editor, text));
    editor.close();
}

void idle(const Subject& program, int seconds, bool cursor_away) {
    Process process =
        Process::start(own_folder() / program.exe, program.args, work_folder(L"empty"));
    HWND window = wait_ready(process, program);
    const auto client = client_rect_on_screen(window);
    if (!client || !move_mouse_to(cursor_away ? POINT{0, 0} : centre_of(*client))) {
        throw Error("the mouse cursor would not move");
    }
    pause_for(1s);
    const auto wakes = [&] {
        static const UINT message = RegisterWindowMessageW(L"QuillaroWakeCount");
        DWORD_PTR count = 0;
        if (SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &count) == 0) {
            throw Error("the palette did not tell its wakes");  // no figure rather than a wrong one
        }
        return count;
    };
    const DWORD_PTR wakes_before = program.palette ? wakes() : 0;
    print_line("idle_begin");
    pause_for(std::chrono::seconds(seconds));
    print_line("idle_end");
    if (program.palette) {
        // Less the wake for the second question itself.
        print_value("wakes", static_cast<double>(wakes() - wakes_before - 1));
    }
    close_program(process, window);
}

void memory(const Subject& program) {
    Process process = Process::start(own_folder() / program.exe, {}, work_folder(L"empty"));
    HWND window = wait_ready(process, program);
    pause_for(2s);
    const ResourceUse use = resource_use(process);
    print_value("peak_working_set_kib", static_cast<double>(use.peak_working_set) / 1024);
    print_value("working_set_kib", static_cast<double>(use.working_set) / 1024);
    close_program(process, window);
}

// ---------------------------------------------------------------------------------------------
// Group files: reading set 3 again, and what large files cost.

// 16 files of 64 MiB: a caption, then one line of UTF-8 text without a comma.
std::filesystem::path big_files_folder() {
    const auto folder = own_folder() / L"bench-work" / L"big";
    std::filesystem::create_directories(folder);
    constexpr size_t kFileBytes = size_t{64} << 20;
    std::string line;
    line.reserve(kFileBytes);
    for (int n = 0; n < 16; ++n) {
        const auto file = folder / group_file_name(n);
        if (std::filesystem::exists(file) && std::filesystem::file_size(file) == kFileBytes) {
            continue;
        }
        const std::string head = "Big " + std::to_string(n) + "\r\n";
        if (line.empty()) {
            while (line.size() + 16 <= kFileBytes - 16)
                line +=
                    "\xE9\x95\xB7\xE8\xA1\x8C"
                    "0123456789";
        }
        std::ofstream out(file, std::ios::binary);
        out << head << line;
        out << std::string(kFileBytes - head.size() - line.size(), 'x');
    }
    return folder;
}

Context bench_context(Report& report, const Screenshots& screenshots,
                      const std::filesystem::path& folder) {
    return Context{report, screenshots, own_folder(), folder, {}};
}

void reload(bool hostile) {
    const auto folder = work_folder(hostile ? L"hostile" : L"reload");
    const auto file = folder / group_file_name(0);
    const auto write = [&](const std::string& bytes) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    };
    if (!hostile) write("Start\r\nk\r\nv\r\n");
    Report report;
    const Screenshots no_screenshots({});
    const Context context = bench_context(report, no_screenshots, folder);
    Palette palette(context, 60s);
    if (!palette.show_set(3)) throw Error("set 3 never showed");
    std::vector<double> times;
    for (int round = 0; round < 7; ++round) {
        const std::string caption = "Reload" + std::to_string(round);
        const std::wstring wanted(caption.begin(), caption.end());
        pause_for(500ms);  // the last round's changes are over
        const auto start = Clock::now();
        write(caption + "\r\nk" + std::to_string(round) + "\r\nv\r\n");
        if (!poll([&] { return palette.text(palette.group(0)) == wanted; }, 20s, 1ms)) {
            throw Error("the new caption never showed");
        }
        times.push_back(milliseconds_since(start));
    }
    print_value("reload_ms", median(times));
    palette.close();
    if (hostile) write_group_files(folder, {hostile_group_files().front()});
}

void memory_set3(bool big_files) {
    const auto folder = big_files ? big_files_folder() : work_folder(L"empty");
    Report report;
    const Screenshots no_screenshots({});
    const Context context = bench_context(report, no_screenshots, folder);
    Palette palette(context, 60s);
    if (!palette.show_set(3)) throw Error("set 3 never showed");
    pause_for(2s);
    const ResourceUse use = resource_use(palette.process());
    print_value("peak_working_set_kib", static_cast<double>(use.peak_working_set) / 1024);
    palette.close();
}

int option(const std::vector<std::wstring>& args, std::wstring_view name, int fallback) {
    for (const auto& arg : args) {
        if (arg.starts_with(name)) return std::stoi(arg.substr(name.size()));
    }
    return fallback;
}

bool flag(const std::vector<std::wstring>& args, std::wstring_view name) {
    return std::find(args.begin(), args.end(), name) != args.end();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    try {
        const std::wstring what = args.empty() ? L"" : args[0];
        const std::wstring who = args.size() > 1 ? args[1] : L"";
        if (what == L"startup") {
            print_value("startup_ms", startup_ms(subject(who), flag(args, L"--hostile")));
        } else if (what == L"startup-pair") {
            startup_pair(subject(who), subject(args.size() > 2 ? args[2] : L""),
                         option(args, L"--rounds=", 5));
        } else if (what == L"click-to-text") {
            click_to_text(option(args, L"--units=", 1));
        } else if (what == L"startup-marks") {
            startup_marks(subject(who.empty() ? L"palette" : who));
        } else if (what == L"idle") {
            idle(subject(who), option(args, L"--seconds=", 10), flag(args, L"--cursor-away"));
        } else if (what == L"memory") {
            memory(subject(who));
        } else if (what == L"reload") {
            reload(flag(args, L"--hostile"));
        } else if (what == L"memory-set3") {
            memory_set3(flag(args, L"--big-files"));
        } else {
            print_line("usage: wine_bench.exe startup|idle|memory palette|minimal [--hostile]");
            print_line("       wine_bench.exe startup-pair controls palette [--rounds=N]");
            print_line("       wine_bench.exe click-to-text [--units=N]");
            print_line("       wine_bench.exe startup-marks [palette|controls]");
            print_line("       wine_bench.exe reload [--hostile]");
            print_line("       wine_bench.exe memory-set3 [--big-files]");
            return 2;
        }
    } catch (const std::exception& error) {
        print_line(std::string("error ") + error.what());
        return 1;
    }
    return 0;
}
