#ifndef TARVEX_USAGE_H
#define TARVEX_USAGE_H

// Writes the converter's two usage lines to standard error, naming the
// program by the last component of program_path.
void usage(const char *program_path);

#endif
