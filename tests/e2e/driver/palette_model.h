// The palette as the portable core runs it over the test's own folder: what the real window
// should show and type, worked out from the same group files, read and decoded by the
// palette's own file code with the ANSI code page of this Wine session.
#pragma once

#include <filesystem>
#include <string>

#include "palette/desktop.h"
#include "palette/palette.h"
#include "win32/win32_files.h"

namespace e2e {

class PaletteModel {
  public:
    // Runs the start-up sequence over `folder`: set 1 shows, set 3 is loaded.
    explicit PaletteModel(std::filesystem::path folder);
    PaletteModel(const PaletteModel&) = delete;
    PaletteModel& operator=(const PaletteModel&) = delete;

    quillaro::Palette& operator*() { return palette_; }
    quillaro::Palette* operator->() { return &palette_; }

    // Everything the handlers have typed so far, in order.
    [[nodiscard]] const std::u16string& typed() const { return input_.typed; }

  private:
    // The palette's own file code, over the test's folder.
    class FolderFiles : public quillaro::win32::Win32Files {
      public:
        explicit FolderFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}
        quillaro::FileRead read_file(std::u16string_view name) override;

      private:
        std::filesystem::path folder_;
    };
    // Every key types at once into a window that is always there.
    class TypingInput : public quillaro::Input {
      public:
        quillaro::WindowHandle foreground_window() override { return 0; }
        quillaro::WindowHandle own_window() override { return 1; }
        void make_topmost() override {}
        void set_foreground_window(quillaro::WindowHandle /*window*/) override {}
        void dispatch_pending_messages() override {}
        bool is_active(quillaro::WindowHandle /*window*/) override { return true; }
        bool wait_until_active(quillaro::WindowHandle /*window*/) override { return true; }
        bool accepts_typing(quillaro::WindowHandle /*window*/) override { return true; }
        bool type_text(std::u16string_view text) override {
            typed += text;
            return true;
        }
        bool copy_text(std::u16string_view /*text*/) override { return false; }

        std::u16string typed;
    };
    class QuietNotices : public quillaro::Notices {
      public:
        void show_key_notice(int16_t /*index*/, std::u16string_view /*title*/,
                             std::u16string_view /*text*/) override {}
        void message_box(std::u16string_view /*text*/) override {}
        void open_about() override {}
    };

    FolderFiles files_;
    TypingInput input_;
    QuietNotices notices_;
    quillaro::Palette palette_;
};

}  // namespace e2e
