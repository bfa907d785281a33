// Numbers and flags as ASCII text. Numbers are scanned straight from the
// stream's buffer rather than with fscanf: ASCII object files hold millions
// of them, and the per-call cost of fscanf dominates their reading.

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "Prog_utils/messages.h"
#include "Prog_utils/value_io.h"

namespace {

// The characters of one number; long ones spill into a std::string.
class NumberText {
  public:
    void add(int ch) {
        if (spill_.empty() && length_ + 1 < sizeof(local_)) {
            local_[length_++] = (char)ch;
            return;
        }
        if (spill_.empty()) spill_.assign(local_, length_);
        spill_ += (char)ch;
    }
    const char *c_str() {
        if (!spill_.empty()) return spill_.c_str();
        local_[length_] = '\0';
        return local_;
    }

  private:
    char local_[64];
    size_t length_ = 0;
    std::string spill_;
};

bool is_space(int ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}
bool is_digit(int ch) {
    return ch >= '0' && ch <= '9';
}

// Skips whitespace and returns the first other byte (or EOF).
int first_nonspace(FILE *file) {
    int ch;
    do {
        ch = getc_unlocked(file);
    } while (is_space(ch));
    return ch;
}

// Appends a run of digits starting with ch; returns the byte after it.
int add_digits(FILE *file, int ch, NumberText &text, int *n_digits) {
    while (is_digit(ch)) {
        text.add(ch);
        ++*n_digits;
        ch = getc_unlocked(file);
    }
    return ch;
}

// Puts back the byte that ended a number, as scanf does.
void put_back(FILE *file, int ch) {
    if (ch != EOF) (void)ungetc(ch, file);
}

// Reads an optionally signed decimal integer that fits in an int.
bool scan_int(FILE *file, int *value) {
    NumberText text;
    int ch = first_nonspace(file);
    if (ch == '+' || ch == '-') {
        text.add(ch);
        ch = getc_unlocked(file);
    }
    int n_digits = 0;
    ch = add_digits(file, ch, text, &n_digits);
    put_back(file, ch);
    if (n_digits == 0) return false;

    errno = 0;
    long parsed = strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
    *value = (int)parsed;
    return true;
}

// Matches the rest of a case-insensitive word after its first letter.
bool match_word_rest(FILE *file, const char *rest, NumberText &text) {
    for (const char *p = rest; *p != '\0'; ++p) {
        int ch = getc_unlocked(file);
        if (ch == EOF || (ch | 0x20) != *p) {
            put_back(file, ch);
            return false;
        }
        text.add(ch);
    }
    return true;
}

// Collects the text of a decimal floating-point number, "inf", "infinity" or
// "nan" (any case, optionally signed); false when there is none.
bool scan_real_text(FILE *file, NumberText &text) {
    int ch = first_nonspace(file);
    if (ch == '+' || ch == '-') {
        text.add(ch);
        ch = getc_unlocked(file);
    }

    if ((ch | 0x20) == 'i' || (ch | 0x20) == 'n') {
        text.add(ch);
        if ((ch | 0x20) == 'n') return match_word_rest(file, "an", text);
        if (!match_word_rest(file, "nf", text)) return false;
        ch = getc_unlocked(file);
        if ((ch | 0x20) != 'i') {
            put_back(file, ch);
            return true;
        }
        text.add(ch);
        return match_word_rest(file, "nity", text);
    }

    int n_digits = 0;
    ch = add_digits(file, ch, text, &n_digits);
    if (ch == '.') {
        text.add(ch);
        ch = add_digits(file, getc_unlocked(file), text, &n_digits);
    }
    if (n_digits == 0) {
        put_back(file, ch);
        return false;
    }
    if ((ch | 0x20) == 'e') {
        text.add(ch);
        ch = getc_unlocked(file);
        if (ch == '+' || ch == '-') {
            text.add(ch);
            ch = getc_unlocked(file);
        }
        int n_exponent_digits = 0;
        ch = add_digits(file, ch, text, &n_exponent_digits);
        if (n_exponent_digits == 0) {
            put_back(file, ch);
            return false;
        }
    }
    put_back(file, ch);
    return true;
}

bool scan_double(FILE *file, double *value) {
    NumberText text;
    if (!scan_real_text(file, text)) return false;
    *value = strtod(text.c_str(), nullptr);
    return true;
}

bool scan_float(FILE *file, float *value) {
    NumberText text;
    if (!scan_real_text(file, text)) return false;
    *value = strtof(text.c_str(), nullptr);
    return true;
}

Status report_output(int written, const char *failure_text) {
    if (written < 0) {
        print_error("%s", failure_text);
        print_system_error();
        return ERROR;
    }
    return OK;
}

} // namespace

Status input_boolean(FILE *file, BOOLEAN *b) {
    char ch;
    if (input_nonwhite_character(file, &ch) != OK) return ERROR;
    if (ch == 'T' || ch == 't')
        *b = TRUE;
    else if (ch == 'F' || ch == 'f')
        *b = FALSE;
    else
        return ERROR;
    return OK;
}

Status output_boolean(FILE *file, BOOLEAN b) {
    return report_output(fprintf(file, " %s", b ? "T" : "F"), "Error outputting BOOLEAN.  ");
}

Status input_int(FILE *file, int *i) {
    return scan_int(file, i) ? OK : ERROR;
}

Status output_int(FILE *file, int i) {
    return report_output(fprintf(file, " %d", i), "Error outputting int.  ");
}

Status input_short(FILE *file, short *s) {
    int value;
    if (!scan_int(file, &value)) return ERROR;
    *s = (short)value;
    return OK;
}

Status output_short(FILE *file, short s) {
    return report_output(fprintf(file, " %d", s), "Error outputting short.  ");
}

Status input_unsigned_short(FILE *file, unsigned short *s) {
    int value;
    if (!scan_int(file, &value)) return ERROR;
    *s = (unsigned short)(value & 0xffff);
    return OK;
}

Status output_unsigned_short(FILE *file, unsigned short s) {
    return report_output(fprintf(file, " %d", s), "Error outputting unsigned short.  ");
}

Status input_float(FILE *file, float *f) {
    return scan_float(file, f) ? OK : ERROR;
}

Status output_float(FILE *file, float f) {
    return report_output(fprintf(file, " %g", (double)f), "Error outputting float.  ");
}

Status input_double(FILE *file, double *d) {
    return scan_double(file, d) ? OK : ERROR;
}

Status output_double(FILE *file, double d) {
    return report_output(fprintf(file, " %g", d), "Error outputting double.  ");
}

BOOLEAN real_is_double(void) {
    return TRUE;
}

Status input_real(FILE *file, Real *r) {
    static_assert(sizeof(Real) == sizeof(double), "Real is read in its double form");
    return input_double(file, r);
}

Status output_real(FILE *file, Real r) {
    return output_double(file, r);
}
