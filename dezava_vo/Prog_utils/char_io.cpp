#include "Prog_utils/char_io.h"

#include "Prog_utils/messages.h"

// The process is single-threaded, so the unlocked forms keep per-byte reads
// cheap on long ASCII files.

Status input_character(FILE *file, char *ch) {
    int byte = getc_unlocked(file);
    if (byte == EOF) return ERROR;
    *ch = (char)byte;
    return OK;
}

Status unget_character(FILE *file, char ch) {
    return ungetc((unsigned char)ch, file) == EOF ? ERROR : OK;
}

Status input_nonwhite_character(FILE *file, char *ch) {
    int byte;
    do {
        byte = getc_unlocked(file);
    } while (byte == ' ' || byte == '\t' || byte == '\n');
    if (byte == EOF) return ERROR;
    *ch = (char)byte;
    return OK;
}

Status output_character(FILE *file, char ch) {
    return putc_unlocked((unsigned char)ch, file) == EOF ? ERROR : OK;
}

Status skip_input_until(FILE *file, char search_char) {
    int byte;
    do {
        byte = getc_unlocked(file);
        if (byte == EOF) return ERROR;
    } while ((char)byte != search_char);
    return OK;
}

Status input_newline(FILE *file) {
    if (skip_input_until(file, '\n') != OK) {
        print_error("Error inputting newline.  ");
        print_system_error();
        return ERROR;
    }
    return OK;
}
