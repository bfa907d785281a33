#ifndef TARVEX_TEST_STREAM_CAPTURE_H
#define TARVEX_TEST_STREAM_CAPTURE_H

// Collects what the process writes on one file descriptor (standard output or
// standard error) while alive, by pointing the descriptor at a scratch file.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace tarvex_test {

class StreamCapture {
  public:
    explicit StreamCapture(int fd) : fd_(fd) {
        fflush(nullptr);
        scratch_ = tmpfile();
        saved_fd_ = dup(fd);
        if (scratch_ == nullptr || saved_fd_ < 0 || dup2(fileno(scratch_), fd) < 0)
            ADD_FAILURE() << "cannot redirect descriptor " << fd;
    }
    ~StreamCapture() {
        finish();
        if (scratch_ != nullptr) fclose(scratch_);
    }
    StreamCapture(const StreamCapture &) = delete;
    StreamCapture &operator=(const StreamCapture &) = delete;

    // Restores the descriptor and returns everything written since the start.
    std::string finish() {
        if (saved_fd_ >= 0) {
            fflush(nullptr);
            dup2(saved_fd_, fd_);
            close(saved_fd_);
            saved_fd_ = -1;
            if (scratch_ != nullptr) {
                rewind(scratch_);
                char buffer[4096];
                size_t n;
                while ((n = fread(buffer, 1, sizeof(buffer), scratch_)) > 0)
                    text_.append(buffer, n);
            }
        }
        return text_;
    }

  private:
    int fd_;
    int saved_fd_ = -1;
    FILE *scratch_ = nullptr;
    std::string text_;
};

} // namespace tarvex_test

#endif
