#ifndef DEZAVA_VO_CHAR_IO_H
#define DEZAVA_VO_CHAR_IO_H

// Single characters over an open stream. The end of the file is an ERROR
// without a message, except for input_newline.

#include <cstdio>

#include "Prog_utils/basic.h"

// Reads one byte into *ch; ERROR at the end of the file.
Status input_character(FILE *file, char *ch);

// Pushes ch back onto the stream; ERROR when it cannot be pushed back.
Status unget_character(FILE *file, char ch);

// Skips blanks, tabs and newlines and stores the next byte; ERROR at the end.
Status input_nonwhite_character(FILE *file, char *ch);

// Writes one byte; ERROR when it cannot be written.
Status output_character(FILE *file, char ch);

// Reads up to and including the first byte equal to search_char; ERROR when
// the file ends first.
Status skip_input_until(FILE *file, char search_char);

// Skips past the next newline; at the end of the file writes "Error inputting
// newline.  " and the system message, ERROR.
Status input_newline(FILE *file);

#endif
