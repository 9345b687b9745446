// Where the palette's start-up time and memory go, for the benchmarks: started with
// --startup-marks=<file>, it appends "<phase> <milliseconds since the process began> <working
// set in KiB>" lines to the file as each phase ends. Without the option, marking does nothing.
#pragma once

#include <string>
#include <vector>

namespace quillaro::win32 {

class StartupMarks {
  public:
    // Reads the option from the program's command line.
    explicit StartupMarks(const wchar_t* command_line);

    void mark(const char* phase);
    // Writes the marks made so far; the benchmark reads them once the palette is ready.
    void write() const;

  private:
    std::wstring file_;
    std::vector<std::string> lines_;
};

}  // namespace quillaro::win32
