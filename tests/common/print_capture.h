#ifndef TARVEX_PRINT_CAPTURE_H
#define TARVEX_PRINT_CAPTURE_H

// Collects everything written through print and print_error while alive, by
// pushing a level on both output stacks.

#include <string>

#include <dezava_vo.h>

namespace tarvex_test {

class CapturePrint {
  public:
    CapturePrint() {
        out_text().clear();
        err_text().clear();
        push_print_function();
        set_print_function(append_out);
        push_print_error_function();
        set_print_error_function(append_err);
    }
    ~CapturePrint() {
        pop_print_function();
        pop_print_error_function();
    }
    CapturePrint(const CapturePrint &) = delete;
    CapturePrint &operator=(const CapturePrint &) = delete;

    const std::string &out() const { return out_text(); }
    const std::string &err() const { return err_text(); }
    void clear() {
        out_text().clear();
        err_text().clear();
    }

  private:
    static std::string &out_text() {
        static std::string text;
        return text;
    }
    static std::string &err_text() {
        static std::string text;
        return text;
    }
    static void append_out(const char *message) { out_text() += message; }
    static void append_err(const char *message) { err_text() += message; }
};

} // namespace tarvex_test

#endif
