#pragma once

// Lowers the largest file size this process may write for as long as it lives,
// so that a write fails part way through even for root, for whom folder
// permissions are no obstacle. The signal such a write raises is ignored
// meanwhile: the write then fails with EFBIG instead of ending the test.

#include <sys/resource.h>

namespace corvane::test {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace corvane::test
