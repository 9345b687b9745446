// Group files read with the sharing an editor needs, the ANSI code page, and Notepad.
#pragma once

#include <windows.h>

#include "palette/desktop.h"

namespace quillaro::win32 {

class Win32Files : public Files {
  public:
    FileRead read_file(std::u16string_view name) override;
    std::u16string decode_ansi(std::string_view bytes) override;
    bool start_editor(std::u16string_view command_line) override;
};

}  // namespace quillaro::win32
