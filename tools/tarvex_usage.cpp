#include "tarvex_usage.h"

#include <cstdio>
#include <cstring>

void usage(const char *program_path) {
    // A vector without a program name still gets a readable usage line.
    const char *name = program_path != nullptr ? program_path : "tarvex";
    const char *slash = strrchr(name, '/');
    if (slash != nullptr) name = slash + 1;

    fprintf(stderr, "usage: %s [options] file\n", name);
    fflush(stderr);
    fputs("\tconvert ZAV obj file to inventor format.\n", stderr);
    fflush(stderr);
}
