// Numbers and flags as ASCII text. Numbers are scanned straight from the
// stream's buffer rather than with fscanf: ASCII object files hold millions
// of them, and the per-call cost of fscanf dominates their reading.

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Prog_utils/messages.h"
#include "Prog_utils/value_io.h"

namespace {

// The characters of one number, kept for the library conversion when the
// fast path below cannot give the correctly rounded value.
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

// A decimal number as scanned: its text, and its value as an integer
// mantissa times a power of ten while that holds at most 19 digits.
struct ScannedReal {
    NumberText text;
    bool negative = false;
    uint64_t mantissa = 0;
    int n_significant = 0;
    bool mantissa_exact = true;
    long exponent = 0;
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

// Puts back the byte that ended a number, as scanf does.
void put_back(FILE *file, int ch) {
    if (ch != EOF) (void)ungetc(ch, file);
}

// Reads an optionally signed decimal integer that fits in an int.
bool scan_int(FILE *file, int *value) {
    int ch = first_nonspace(file);
    bool negative = ch == '-';
    if (ch == '+' || ch == '-') ch = getc_unlocked(file);
    if (!is_digit(ch)) {
        put_back(file, ch);
        return false;
    }
    // The magnitude is capped once past any int, so long runs cannot wrap.
    const int64_t limit = (int64_t)INT_MAX + 1;
    int64_t magnitude = 0;
    do {
        if (magnitude <= limit) magnitude = magnitude * 10 + (ch - '0');
        ch = getc_unlocked(file);
    } while (is_digit(ch));
    put_back(file, ch);

    if (magnitude > (negative ? limit : (int64_t)INT_MAX)) return false;
    *value = (int)(negative ? -magnitude : magnitude);
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

// "inf", "infinity" or "nan" in any case, after its first letter ch.
bool scan_special_word(FILE *file, int ch, ScannedReal &real) {
    real.text.add(ch);
    real.mantissa_exact = false;
    if ((ch | 0x20) == 'n') return match_word_rest(file, "an", real.text);
    if (!match_word_rest(file, "nf", real.text)) return false;
    ch = getc_unlocked(file);
    if ((ch | 0x20) != 'i') {
        put_back(file, ch);
        return true;
    }
    real.text.add(ch);
    return match_word_rest(file, "nity", real.text);
}

// Appends a run of digits starting with ch to the text and the mantissa;
// digits after the point lower the exponent. Returns the byte after the run.
int add_mantissa_digits(FILE *file, int ch, bool after_point, ScannedReal &real, int *n_digits) {
    while (is_digit(ch)) {
        real.text.add(ch);
        ++*n_digits;
        if (real.mantissa == 0 && ch == '0') {
            if (after_point) --real.exponent;
        } else if (real.n_significant < 19) {
            real.mantissa = real.mantissa * 10 + (uint64_t)(ch - '0');
            ++real.n_significant;
            if (after_point) --real.exponent;
        } else {
            real.mantissa_exact = false;
        }
        ch = getc_unlocked(file);
    }
    return ch;
}

// Scans a decimal floating-point number (optionally signed, with an optional
// point and exponent) or a special word; false when there is none.
bool scan_real(FILE *file, ScannedReal &real) {
    int ch = first_nonspace(file);
    if (ch == '+' || ch == '-') {
        real.negative = ch == '-';
        real.text.add(ch);
        ch = getc_unlocked(file);
    }
    if ((ch | 0x20) == 'i' || (ch | 0x20) == 'n') return scan_special_word(file, ch, real);

    int n_digits = 0;
    ch = add_mantissa_digits(file, ch, false, real, &n_digits);
    if (ch == '.') {
        real.text.add(ch);
        ch = add_mantissa_digits(file, getc_unlocked(file), true, real, &n_digits);
    }
    if (n_digits == 0) {
        put_back(file, ch);
        return false;
    }
    if ((ch | 0x20) == 'e') {
        real.text.add(ch);
        ch = getc_unlocked(file);
        bool negative_exponent = ch == '-';
        if (ch == '+' || ch == '-') {
            real.text.add(ch);
            ch = getc_unlocked(file);
        }
        int n_exponent_digits = 0;
        long exponent = 0;
        while (is_digit(ch)) {
            real.text.add(ch);
            if (exponent < 100000) exponent = exponent * 10 + (ch - '0');
            ++n_exponent_digits;
            ch = getc_unlocked(file);
        }
        if (n_exponent_digits == 0) {
            put_back(file, ch);
            return false;
        }
        real.exponent += negative_exponent ? -exponent : exponent;
    }
    put_back(file, ch);
    return true;
}

// A mantissa and a power of ten that are both exact in the type give the
// correctly rounded value in one multiplication or division; anything else
// goes to the library conversion.
bool scan_double(FILE *file, double *value) {
    static const double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    ScannedReal real;
    if (!scan_real(file, real)) return false;
    if (real.mantissa_exact && real.mantissa <= (UINT64_C(1) << 53) && real.exponent >= -22 &&
        real.exponent <= 22) {
        double result = (double)real.mantissa;
        result =
            real.exponent < 0 ? result / powers[-real.exponent] : result * powers[real.exponent];
        *value = real.negative ? -result : result;
    } else {
        *value = strtod(real.text.c_str(), nullptr);
    }
    return true;
}

bool scan_float(FILE *file, float *value) {
    static const float powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                   1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    ScannedReal real;
    if (!scan_real(file, real)) return false;
    if (real.mantissa_exact && real.mantissa <= (UINT64_C(1) << 24) && real.exponent >= -10 &&
        real.exponent <= 10) {
        float result = (float)real.mantissa;
        result =
            real.exponent < 0 ? result / powers[-real.exponent] : result * powers[real.exponent];
        *value = real.negative ? -result : result;
    } else {
        *value = strtof(real.text.c_str(), nullptr);
    }
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
