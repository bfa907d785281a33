#ifndef TARVEX_CONVERT_H
#define TARVEX_CONVERT_H

// Converts the graphics object file input_filename to an Inventor scene,
// written to output_filename or, when that is null, to standard output.
// Returns the process exit status: 0 after a successful write, 1 otherwise.
int convert_graphics_file_to_inventor(const char *input_filename, const char *output_filename);

#endif
