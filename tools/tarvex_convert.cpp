#include "tarvex_convert.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include <Inventor/SoDB.h>
#include <Inventor/SoOutput.h>
#include <Inventor/actions/SoWriteAction.h>

#include <zavInventor.h>

namespace {

void print_to_stderr(const char *message) {
    fputs(message, stderr);
}

// Library notes must not land inside a scene written to standard output.
class PrintToStderrWhile {
  public:
    explicit PrintToStderrWhile(bool active) : active_(active) {
        if (active_) {
            push_print_function();
            set_print_function(print_to_stderr);
        }
    }
    ~PrintToStderrWhile() {
        if (active_) pop_print_function();
    }

  private:
    bool active_;
};

// Writes the scene to an open stream; false when any byte failed to go out.
bool write_scene(SoNode *root, FILE *file) {
    SoWriteAction writer;
    writer.getOutput()->setFilePointer(file);
    writer.apply(root);
    return fflush(file) == 0 && ferror(file) == 0;
}

// A partly written regular file must not be left behind looking complete;
// devices and pipes are left alone.
void remove_partial_output(const char *output_filename, FILE *file) {
    struct stat info;
    if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode)) unlink(output_filename);
}

int write_to_file(SoNode *root, const char *output_filename) {
    // Opened here rather than by the write action, so the user sees only
    // our own line when the file cannot be opened.
    FILE *file = fopen(output_filename, "w");
    if (file == nullptr) {
        fprintf(stderr, "cannot open file: %s\n", output_filename);
        fflush(stderr);
        return 1;
    }
    bool written = write_scene(root, file);
    if (!written) remove_partial_output(output_filename, file);
    if (fclose(file) != 0 && written) {
        written = false;
        unlink(output_filename);
    }
    if (!written) {
        fprintf(stderr, "error writing file: %s\n", output_filename);
        fflush(stderr);
    }
    return written ? 0 : 1;
}

} // namespace

int convert_graphics_file_to_inventor(const char *input_filename, const char *output_filename) {
    SoDB::init();
    PrintToStderrWhile redirect(output_filename == nullptr);

    SoSeparator *root = zav_graphics_file_to_iv(input_filename);
    if (root == nullptr) return 1; // the reader has said why; no scene is written
    root->ref();

    if (output_filename != nullptr) return write_to_file(root, output_filename);

    if (!write_scene(root, stdout)) {
        fputs("error writing the scene to standard output\n", stderr);
        fflush(stderr);
        return 1;
    }
    return 0;
}
