#include "tarvex_convert.h"

#include <cstdio>

int convert_graphics_file_to_inventor(const char *input_filename, const char *output_filename) {
    // The scene conversion is not part of this build yet: say so rather than
    // write an empty scene that looks like a result.
    (void)input_filename;
    (void)output_filename;
    fputs("tarvex: conversion to Inventor is not available yet\n", stderr);
    fflush(stderr);
    return 1;
}
