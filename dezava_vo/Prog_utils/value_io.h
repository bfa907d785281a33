#ifndef DEZAVA_VO_VALUE_IO_H
#define DEZAVA_VO_VALUE_IO_H

// Values over an open stream, in ASCII (whitespace-separated text; each
// written number starts with a blank) or binary (the host's bytes, no
// separators). Each io_ function reads (READ_FILE) or writes (WRITE_FILE,
// APPEND_FILE) one value type, so a format's reader and writer are one
// sequence of calls. Every function returns OK or ERROR; a value that fails
// to read leaves the caller's variable unchanged, a string null.

#include <cstdio>

#include "Prog_utils/basic.h"
#include "Prog_utils/char_io.h"

// Text (always ASCII).

// Writes the characters as they are; "Error outputting string.  " on failure.
Status output_string(FILE *file, const char *str);

// Skips whitespace, then reads up to termination_char or a newline (neither
// stored). A newline that ended the string is pushed back unless it is the
// termination character.
Status input_string(FILE *file, STRING *str, char termination_char);

// Reads the rest of the line; the newline is consumed and not stored. A last
// line without a newline is an ERROR.
Status input_line(FILE *file, STRING *line);

// Reads text between quotes: the first non-blank character must be '"', '\''
// or '`', and the text runs to the next of the same character.
Status input_quoted_string(FILE *file, STRING *str);

// A quoted string, or one word up to a blank, tab or newline (pushed back).
Status input_possibly_quoted_string(FILE *file, STRING *str);

// Writes a blank and the text between double quotes. Text holding a double
// quote goes between single quotes, or back quotes when it holds a single
// quote too, so that it reads back; text holding all three is an ERROR.
Status output_quoted_string(FILE *file, const char *str);

// Writes "\n"; "Error outputting newline.  " on failure.
Status output_newline(FILE *file);

// Numbers and flags in ASCII: inputs skip whitespace and read one value (a
// boolean is one character: T, t, F or f); outputs write " %d", " %g", " T"
// or " F" and report "Error outputting <type>.  " on failure.
Status input_boolean(FILE *file, BOOLEAN *b);
Status output_boolean(FILE *file, BOOLEAN b);
Status input_int(FILE *file, int *i);
Status output_int(FILE *file, int i);
Status input_short(FILE *file, short *s);
Status output_short(FILE *file, short s);
// Reads a decimal int and keeps its low 16 bits.
Status input_unsigned_short(FILE *file, unsigned short *s);
Status output_unsigned_short(FILE *file, unsigned short s);
Status input_float(FILE *file, float *f);
Status output_float(FILE *file, float f);
Status input_double(FILE *file, double *d);
Status output_double(FILE *file, double d);
Status input_real(FILE *file, Real *r);
Status output_real(FILE *file, Real r);

// TRUE: Real is a double.
BOOLEAN real_is_double(void);

// n elements of element_size bytes. A short count writes "Error inputting
// binary data.\n" (or outputting) and "     (%d out of %d items of size
// %ld).  " with the system message.
Status input_binary_data(FILE *file, void *data, size_t element_size, int n);
Status output_binary_data(FILE *file, const void *data, size_t element_size, int n);

// n ASCII numbers in a row, read as n calls of input_float (input_int)
// would read them. Long runs from seekable streams are parsed a block at a
// time; the stream is left just after the last number.
Status input_floats(FILE *file, int n, float values[]);
Status input_ints(FILE *file, int n, int values[]);

// Direction- and encoding-neutral forms.
Status io_binary_data(FILE *file, IO_types io_flag, void *data, size_t element_size, int n);
// Writes a newline in ASCII; nothing otherwise.
Status io_newline(FILE *file, IO_types io_flag, File_formats format);
Status io_int(FILE *file, IO_types io_flag, File_formats format, int *i);
Status io_short(FILE *file, IO_types io_flag, File_formats format, short *s);
Status io_unsigned_short(FILE *file, IO_types io_flag, File_formats format, unsigned short *s);
// ASCII: " %d" and "%d" with the low 8 bits kept; failures write "Error
// outputting unsigned char.  " or "Error inputting unsigned char.  ".
Status io_unsigned_char(FILE *file, IO_types io_flag, File_formats format, unsigned char *c);
Status io_boolean(FILE *file, IO_types io_flag, File_formats format, BOOLEAN *b);
Status io_float(FILE *file, IO_types io_flag, File_formats format, float *f);
Status io_double(FILE *file, IO_types io_flag, File_formats format, double *d);
Status io_real(FILE *file, IO_types io_flag, File_formats format, Real *r);

// ASCII: a quoted string. Binary: a 4-byte length, then the characters. Any
// failure writes "Error in quoted string in file.\n".
Status io_quoted_string(FILE *file, IO_types io_flag, File_formats format, STRING *str);

// n values. Reading allocates the array (null for n <= 0, and after a failed
// read). Binary moves one block; ASCII writes 8 values per line.
Status io_ints(FILE *file, IO_types io_flag, File_formats format, int n, int **ints);
Status io_unsigned_chars(FILE *file, IO_types io_flag, File_formats format, int n,
                         unsigned char **unsigned_chars);

#endif
