#include "vr_tempfile.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

char *vrcreate_tempfile(void) {
    static const char default_directory[] = "/var/tmp/";
    static const char name_template[] = "/vorn-XXXXXX";

    const char *directory = getenv("TMPDIR");
    if (directory == nullptr) directory = default_directory;

    size_t directory_length = strlen(directory);
    size_t template_length = sizeof(name_template) - 1;
    char *name = static_cast<char *>(malloc(directory_length + template_length + 1));
    if (name == nullptr) return nullptr;
    memcpy(name, directory, directory_length);
    memcpy(name + directory_length, name_template, template_length + 1);

    int descriptor = mkstemp(name);
    if (descriptor < 0) {
        free(name);
        return nullptr;
    }
    (void)close(descriptor);
    return name;
}
