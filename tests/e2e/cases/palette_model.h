// The palette as the portable core runs it over the test's own folder: what the real window
// should show and type, worked out from the same group files, read and decoded by the
// palette's own file code with the ANSI code page of this Wine session.
#pragma once

#include <filesystem>
#include <string>

#include "palette/desktop.h"
#include "palette/palette.h"
#include "win32/win32_desktop.h"

namespace e2e::cases {

class PaletteModel {
  public:
    // Runs the start-up sequence over `folder`: set 1 shows, set 3 is loaded.
    explicit PaletteModel(std::filesystem::path folder);
    PaletteModel(const PaletteModel&) = delete;
    PaletteModel& operator=(const PaletteModel&) = delete;

    quillaro::Palette& operator*() { return palette_; }
    quillaro::Palette* operator->() { return &palette_; }

    // Everything the handlers have typed so far, in order.
    [[nodiscard]] const std::u16string& typed() const { return desktop_.typed; }

  private:
    class FolderDesktop : public quillaro::Desktop {
      public:
        explicit FolderDesktop(std::filesystem::path folder) : folder_(std::move(folder)) {}
        quillaro::WindowHandle foreground_window() override { return 0; }
        quillaro::WindowHandle own_window() override { return 1; }
        void make_topmost() override {}
        void set_foreground_window(quillaro::WindowHandle /*window*/) override {}
        void dispatch_pending_messages() override {}
        bool wait_until_active(quillaro::WindowHandle /*window*/) override { return true; }
        bool accepts_typing(quillaro::WindowHandle /*window*/) override { return true; }
        bool type_text(std::u16string_view text) override {
            typed += text;
            return true;
        }
        bool copy_text(std::u16string_view /*text*/) override { return false; }
        void show_key_notice(int16_t /*index*/, std::u16string_view /*title*/,
                             std::u16string_view /*text*/) override {}
        void message_box(std::u16string_view /*text*/) override {}
        bool start_editor(std::u16string_view /*command_line*/) override { return false; }
        // Read and decoded by the palette's own code, over the test's folder.
        quillaro::FileRead read_file(std::u16string_view name) override;
        std::u16string decode_ansi(std::string_view bytes) override {
            return windows_.decode_ansi(bytes);
        }
        void open_about() override {}

        std::u16string typed;

      private:
        std::filesystem::path folder_;
        quillaro::win32::MessageLoop unused_loop_;
        quillaro::win32::Win32Desktop windows_{unused_loop_, [] {}};
    };

    FolderDesktop desktop_;
    quillaro::Palette palette_;
};

}  // namespace e2e::cases
