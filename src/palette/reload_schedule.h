// When set 3 is read again while the palette runs. An editor's save is several changes in a
// row (truncate, write, rename), and only the last one counts, so a reload waits until the
// files have been quiet for a moment. A file another program holds open reads as nothing; it
// is tried again a few times, one delay apart, before the next change.
#pragma once

namespace quillaro {

class ReloadSchedule {
  public:
    static constexpr unsigned kQuietMs = 300;
    static constexpr int kMaxRetries = 10;

    // A group file changed: reload after kQuietMs, with the retries counted afresh.
    void files_changed() { retries_ = 0; }
    // A reload ran; true when it is to run again after kQuietMs.
    bool retry_after_reload(bool met_file_in_use) {
        if (!met_file_in_use || retries_ >= kMaxRetries) return false;
        ++retries_;
        return true;
    }

  private:
    int retries_ = 0;
};

}  // namespace quillaro
