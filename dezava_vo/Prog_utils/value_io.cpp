// Binary blocks and the io_ functions that read or write each value type in
// either encoding.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"
#include "Prog_utils/value_io.h"

namespace {

void report_binary_failure(const char *first_line, size_t done, int n, size_t element_size) {
    print_error("%s", first_line);
    print_error("     (%d out of %d items of size %ld).  ", (int)done, n, (long)element_size);
    print_system_error();
}

// A binary value goes through a local copy, so that a short read leaves the
// caller's variable as it was.
template <typename T> Status io_binary_value(FILE *file, IO_types io_flag, T *value) {
    T copy = io_flag == READ_FILE ? T() : *value;
    Status status = io_binary_data(file, io_flag, &copy, sizeof(T), 1);
    if (status == OK && io_flag == READ_FILE) *value = copy;
    return status;
}

// FALSE when the stream is a regular file holding fewer than n_bytes past the
// current position: a count read from a damaged file must not size an
// allocation that its data could never fill.
bool file_can_hold(FILE *file, uint64_t n_bytes) {
    struct stat info;
    long position = ftell(file);
    if (position < 0 || fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) return true;
    return info.st_size < position || n_bytes <= (uint64_t)(info.st_size - position);
}

// Reads a string of a length taken from a file. Short strings are read in
// place; longer ones in pieces, so that memory grows only with bytes present.
Status read_binary_chars(FILE *file, int length, STRING *str) {
    const size_t piece = 65536;
    std::string text;
    for (size_t done = 0; done < (size_t)length;) {
        size_t want = std::min(piece, (size_t)length - done);
        text.resize(done + want);
        size_t got = fread(&text[done], 1, want, file);
        if (got != want) {
            report_binary_failure("Error inputting binary data.\n", done + got, length, 1);
            return ERROR;
        }
        done += got;
    }
    *str = alloc_string(length);
    if (*str == nullptr) return ERROR;
    memcpy(*str, text.data(), (size_t)length);
    (*str)[length] = '\0';
    return OK;
}

Status io_quoted_string_contents(FILE *file, IO_types io_flag, File_formats format, STRING *str) {
    if (format == ASCII_FORMAT) {
        return io_flag == READ_FILE ? input_quoted_string(file, str)
                                    : output_quoted_string(file, *str);
    }
    if (io_flag != READ_FILE) {
        size_t length = *str == nullptr ? 0 : strlen(*str);
        if (length > (size_t)INT_MAX) return ERROR;
        int stored_length = (int)length;
        Status status = io_int(file, io_flag, format, &stored_length);
        if (status == OK && length > 0)
            status = io_binary_data(file, io_flag, *str, 1, stored_length);
        return status;
    }

    *str = nullptr;
    int length = 0;
    if (io_int(file, io_flag, format, &length) != OK || length < 0) return ERROR;
    return read_binary_chars(file, length, str);
}

// The array functions share their loop: T is int or unsigned char, io_one
// the matching single-value function, input_run (when given) a reader of a
// whole ASCII run.
template <typename T>
Status io_array(FILE *file, IO_types io_flag, File_formats format, int n, T **array,
                Status (*io_one)(FILE *, IO_types, File_formats, T *),
                Status (*input_run)(FILE *, int, T *)) {
    if (io_flag == READ_FILE) {
        *array = nullptr;
        if (n <= 0) return OK;
        // Each value takes at least its bytes in binary, one digit in ASCII.
        uint64_t least_bytes = (uint64_t)n * (format == BINARY_FORMAT ? sizeof(T) : 1);
        if (!file_can_hold(file, least_bytes)) {
            if (format == BINARY_FORMAT)
                report_binary_failure("Error inputting binary data.\n", 0, n, sizeof(T));
            return ERROR;
        }
        ALLOC(*array, n);
        if (*array == nullptr) return ERROR;
    }

    Status status = OK;
    if (format == BINARY_FORMAT) {
        if (n > 0) status = io_binary_data(file, io_flag, *array, sizeof(T), n);
    } else if (io_flag == READ_FILE && input_run != nullptr) {
        status = input_run(file, n, *array);
    } else {
        for (int i = 0; i < n && status == OK; ++i) {
            status = io_one(file, io_flag, format, &(*array)[i]);
            if (status == OK && ((i + 1) % 8 == 0 || i == n - 1))
                status = io_newline(file, io_flag, format);
        }
    }

    if (status != OK && io_flag == READ_FILE && *array != nullptr) FREE(*array);
    return status;
}

} // namespace

Status input_binary_data(FILE *file, void *data, size_t element_size, int n) {
    if (n <= 0 || element_size == 0) return OK;
    size_t done = fread(data, element_size, (size_t)n, file);
    if (done != (size_t)n) {
        report_binary_failure("Error inputting binary data.\n", done, n, element_size);
        return ERROR;
    }
    return OK;
}

Status output_binary_data(FILE *file, const void *data, size_t element_size, int n) {
    if (n <= 0 || element_size == 0) return OK;
    size_t done = fwrite(data, element_size, (size_t)n, file);
    if (done != (size_t)n) {
        report_binary_failure("Error outputting binary data.\n", done, n, element_size);
        return ERROR;
    }
    return OK;
}

Status io_binary_data(FILE *file, IO_types io_flag, void *data, size_t element_size, int n) {
    return io_flag == READ_FILE ? input_binary_data(file, data, element_size, n)
                                : output_binary_data(file, data, element_size, n);
}

Status io_newline(FILE *file, IO_types io_flag, File_formats format) {
    if (format == ASCII_FORMAT && io_flag != READ_FILE) return output_newline(file);
    return OK;
}

Status io_int(FILE *file, IO_types io_flag, File_formats format, int *i) {
    if (format == BINARY_FORMAT) return io_binary_value(file, io_flag, i);
    return io_flag == READ_FILE ? input_int(file, i) : output_int(file, *i);
}

Status io_short(FILE *file, IO_types io_flag, File_formats format, short *s) {
    if (format == BINARY_FORMAT) return io_binary_value(file, io_flag, s);
    return io_flag == READ_FILE ? input_short(file, s) : output_short(file, *s);
}

Status io_unsigned_short(FILE *file, IO_types io_flag, File_formats format, unsigned short *s) {
    if (format == BINARY_FORMAT) return io_binary_value(file, io_flag, s);
    return io_flag == READ_FILE ? input_unsigned_short(file, s) : output_unsigned_short(file, *s);
}

Status io_unsigned_char(FILE *file, IO_types io_flag, File_formats format, unsigned char *c) {
    if (format == BINARY_FORMAT) return io_binary_value(file, io_flag, c);
    if (io_flag != READ_FILE) {
        if (fprintf(file, " %d", (int)*c) <= 0) {
            print_error("Error outputting unsigned char.  ");
            print_system_error();
            return ERROR;
        }
        return OK;
    }
    int value;
    if (input_int(file, &value) != OK) {
        print_error("Error inputting unsigned char.  ");
        print_system_error();
        return ERROR;
    }
    *c = (unsigned char)(value & 0xff);
    return OK;
}

Status io_boolean(FILE *file, IO_types io_flag, File_formats format, BOOLEAN *b) {
    if (format == BINARY_FORMAT) return io_binary_value(file, io_flag, b);
    return io_flag == READ_FILE ? input_boolean(file, b) : output_boolean(file, *b);
}

Status io_float(FILE *file, IO_types io_flag, File_formats format, float *f) {
    if (format == BINARY_FORMAT) return io_binary_value(file, io_flag, f);
    return io_flag == READ_FILE ? input_float(file, f) : output_float(file, *f);
}

Status io_double(FILE *file, IO_types io_flag, File_formats format, double *d) {
    if (format == BINARY_FORMAT) return io_binary_value(file, io_flag, d);
    return io_flag == READ_FILE ? input_double(file, d) : output_double(file, *d);
}

Status io_real(FILE *file, IO_types io_flag, File_formats format, Real *r) {
    if (format == BINARY_FORMAT) return io_binary_value(file, io_flag, r);
    return io_flag == READ_FILE ? input_real(file, r) : output_real(file, *r);
}

Status io_quoted_string(FILE *file, IO_types io_flag, File_formats format, STRING *str) {
    Status status = io_quoted_string_contents(file, io_flag, format, str);
    if (status != OK) print_error("Error in quoted string in file.\n");
    return status;
}

Status io_ints(FILE *file, IO_types io_flag, File_formats format, int n, int **ints) {
    return io_array(file, io_flag, format, n, ints, io_int, input_ints);
}

Status io_unsigned_chars(FILE *file, IO_types io_flag, File_formats format, int n,
                         unsigned char **unsigned_chars) {
    return io_array<unsigned char>(file, io_flag, format, n, unsigned_chars, io_unsigned_char,
                                   nullptr);
}
