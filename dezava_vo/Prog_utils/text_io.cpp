// Strings, lines, quoted strings and newlines over a stream.

#include <cstring>
#include <string>

#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"
#include "Prog_utils/value_io.h"

namespace {

bool is_quote(char ch) {
    return ch == '"' || ch == '\'' || ch == '`';
}

// Hands the collected text to the caller, or null and ERROR when the read
// failed: a partial string is never presented as read.
Status finish_string(Status status, const std::string &text, STRING *str) {
    *str = status == OK ? create_string(text.c_str()) : nullptr;
    if (status == OK && *str == nullptr) return ERROR;
    return status;
}

// Collects up to the closing quote, which is consumed.
Status read_until_quote(FILE *file, char quote, std::string &text) {
    int byte;
    while ((byte = getc_unlocked(file)) != EOF) {
        if ((char)byte == quote) return OK;
        text += (char)byte;
    }
    return ERROR;
}

} // namespace

Status output_string(FILE *file, const char *str) {
    size_t length = str == nullptr ? 0 : strlen(str);
    if (length > 0 && fwrite(str, 1, length, file) != length) {
        print_error("Error outputting string.  ");
        print_system_error();
        return ERROR;
    }
    return OK;
}

Status input_string(FILE *file, STRING *str, char termination_char) {
    std::string text;
    char ch;
    Status status = input_nonwhite_character(file, &ch);
    while (status == OK && ch != termination_char && ch != '\n') {
        text += ch;
        status = input_character(file, &ch);
    }
    if (status == OK && ch == '\n' && termination_char != '\n') (void)unget_character(file, ch);
    return finish_string(status, text, str);
}

Status input_line(FILE *file, STRING *line) {
    std::string text;
    int byte;
    while ((byte = getc_unlocked(file)) != EOF && byte != '\n')
        text += (char)byte;
    return finish_string(byte == '\n' ? OK : ERROR, text, line);
}

Status input_quoted_string(FILE *file, STRING *str) {
    std::string text;
    char quote;
    Status status = input_nonwhite_character(file, &quote);
    if (status == OK && !is_quote(quote)) status = ERROR;
    if (status == OK) status = read_until_quote(file, quote, text);
    return finish_string(status, text, str);
}

Status input_possibly_quoted_string(FILE *file, STRING *str) {
    std::string text;
    char first;
    Status status = input_nonwhite_character(file, &first);
    if (status == OK && is_quote(first)) {
        status = read_until_quote(file, first, text);
    } else if (status == OK) {
        text += first;
        int byte;
        while ((byte = getc_unlocked(file)) != EOF && byte != ' ' && byte != '\t' && byte != '\n')
            text += (char)byte;
        if (byte == EOF)
            status = ERROR;
        else
            (void)ungetc(byte, file);
    }
    return finish_string(status, text, str);
}

Status output_quoted_string(FILE *file, const char *str) {
    if (str == nullptr) str = "";
    // The reader has no escapes, so pick a quote the text does not hold.
    char quote = '"';
    if (strchr(str, '"') != nullptr) quote = strchr(str, '\'') == nullptr ? '\'' : '`';
    if (strchr(str, quote) != nullptr) {
        print_error("Error outputting quoted string: it holds all three quote characters.\n");
        return ERROR;
    }
    size_t length = strlen(str);
    bool written = putc_unlocked(' ', file) != EOF && putc_unlocked(quote, file) != EOF &&
                   (length == 0 || fwrite(str, 1, length, file) == length) &&
                   putc_unlocked(quote, file) != EOF;
    return written ? OK : ERROR;
}

Status output_newline(FILE *file) {
    if (putc_unlocked('\n', file) == EOF) {
        print_error("Error outputting newline.  ");
        print_system_error();
        return ERROR;
    }
    return OK;
}
