// links: zavpl
// Object files of any content: reading must end in OK or ERROR with every
// object either in the list or freed.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include <zavpl.h>

namespace {

void discard_message(const char *) {}

// One temporary file name per process, reused for every input.
const std::string &input_filename() {
    static std::string name = [] {
        const char *base = getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && base[0] ? base : "/tmp") + "/fuzz-object-XXXXXX.obj";
        int fd = mkstemps(&pattern[0], 4);
        if (fd >= 0) close(fd);
        return pattern;
    }();
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static bool quiet = [] {
        set_print_error_function(discard_message);
        set_print_function(discard_message);
        return true;
    }();
    (void)quiet;

    const std::string &name = input_filename();
    FILE *file = fopen(name.c_str(), "wb");
    if (file == nullptr) return 0;
    bool written = size == 0 || fwrite(data, 1, size, file) == size;
    fclose(file);
    if (!written) return 0;

    File_formats format = ASCII_FORMAT;
    int n_objects = 0;
    object_struct **objects = nullptr;
    (void)input_graphics_file(name.c_str(), &format, &n_objects, &objects);
    delete_object_list(n_objects, objects);
    unlink(name.c_str());
    return 0;
}
