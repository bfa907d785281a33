// Long runs of ASCII numbers parsed from blocks of the file instead of one
// stream call per character: the point, normal, colour and index lists of
// object files hold millions of numbers. The grammar and the rounding are
// those of input_float and input_int; the stream is left just after the
// last number, as the one-by-one readers leave it.

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Prog_utils/value_io.h"

namespace {

// Shorter runs, and streams that cannot tell their position, are read
// number by number.
constexpr int MIN_BLOCK_RUN = 4096;
constexpr size_t BLOCK_BYTES = 1 << 16;
// A number is parsed in place once this many bytes (or the rest of the file)
// follow its start; longer numbers make the window grow.
constexpr size_t NUMBER_WINDOW = 128;
// Bytes after the terminating NUL, so that digits can be loaded 8 at a time.
constexpr size_t PADDING = 8;

bool is_space(unsigned char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}
bool is_digit(unsigned char ch) {
    return (unsigned)(ch - '0') < 10u;
}

// A window on a seekable stream, read through a buffer of our own and
// followed by a NUL, which no number or blank matches, so parsers run
// without bounds checks. Reading ends by seeking the stream to the first
// character not consumed.
class Window {
  public:
    explicit Window(FILE *file) : file_(file), buffer_(BLOCK_BYTES + 1 + PADDING, '\0') {}

    bool start() {
        base_ = ftell(file_);
        return base_ >= 0;
    }

    // Makes at least want bytes follow position pos (fewer at the end of the
    // file); pos is updated when the buffer moves.
    void ensure(size_t &pos, size_t want) {
        if (len_ - pos >= want || at_end_) return;
        size_t keep = len_ - pos;
        memmove(&buffer_[0], &buffer_[pos], keep);
        base_ += (long)pos;
        pos = 0;
        if (want + 1 + PADDING > buffer_.size()) buffer_.resize(want + 1 + PADDING);
        size_t room = buffer_.size() - 1 - PADDING - keep;
        size_t got = room > 0 ? fread(&buffer_[keep], 1, room, file_) : 0;
        len_ = keep + got;
        buffer_[len_] = '\0';
        if (got < room) at_end_ = true;
    }

    const char *at(size_t pos) const { return &buffer_[pos]; }
    size_t offset(const char *p) const { return (size_t)(p - &buffer_[0]); }
    // True when p is the end of the data read so far and more may follow.
    bool cut_short(const char *p) const { return offset(p) == len_ && !at_end_; }

    bool finish(size_t pos) { return fseek(file_, base_ + (long)pos, SEEK_SET) == 0; }
    // Bytes from p to the end of the data read so far, unless that is the end
    // of the file.
    bool short_of(const char *p, size_t want) const { return len_ - offset(p) < want && !at_end_; }

  private:
    FILE *file_;
    std::string buffer_;
    long base_ = 0; // file offset of buffer_[0]
    size_t len_ = 0;
    bool at_end_ = false;
};

// Eight characters as one little-endian word: the first character lowest.
uint64_t load_eight(const char *p) {
    uint64_t word;
    memcpy(&word, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

// Number of digits at the start of the eight characters (0 to 8). A byte
// of 0xfa or more carries into the next one, which is past it anyway.
int leading_digits(uint64_t word) {
    const uint64_t high = UINT64_C(0xF0F0F0F0F0F0F0F0), threes = UINT64_C(0x3030303030303030);
    uint64_t non_digits =
        ((word & high) ^ threes) | (((word + UINT64_C(0x0606060606060606)) & high) ^ threes);
    return non_digits == 0 ? 8 : __builtin_ctzll(non_digits) / 8;
}

// The value of the first n_digits (0 to 7) characters of word, all digits.
uint64_t digits_value(uint64_t word, int n_digits) {
    // Missing leading digits become zeros; two shifts, as 64 is no shift.
    word = word << (8 * (8 - n_digits) - 1) << 1;
    word = (word & UINT64_C(0x0F0F0F0F0F0F0F0F)) * 2561 >> 8;
    word = (word & UINT64_C(0x00FF00FF00FF00FF)) * 6553601 >> 16;
    return (word & UINT64_C(0x0000FFFF0000FFFF)) * UINT64_C(42949672960001) >> 32;
}

// Matches the rest of a case-insensitive word.
bool match_word(const char *&p, const char *rest) {
    for (; *rest != '\0'; ++rest, ++p) {
        if ((*p | 0x20) != *rest) return false;
    }
    return true;
}

const float float_powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

bool parse_float_any(const char *&p, float *value);

// The common short form, as " %g" writes it: at most 7 digits before and
// after the point and no exponent. Returns false, with p unchanged, for
// anything else, which parse_float_any then reads.
bool parse_short_float(const char *&p, float *value) {
    static const uint64_t scale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    const char *q = p;
    // Signs fall either way at random in coordinates: no branch on them.
    bool negative = *q == '-';
    q += (int)negative | (int)(*q == '+');
    uint64_t word = load_eight(q);
    int n_whole = leading_digits(word);
    if (n_whole == 8) return false;
    uint64_t mantissa = digits_value(word, n_whole);
    q += n_whole;
    int n_fraction = 0;
    if (*q == '.') {
        word = load_eight(++q);
        n_fraction = leading_digits(word);
        if (n_fraction == 8) return false;
        mantissa = mantissa * scale[n_fraction] + digits_value(word, n_fraction);
        q += n_fraction;
    }
    if (n_whole + n_fraction == 0 || (*q | 0x20) == 'e' || mantissa > (UINT64_C(1) << 24))
        return false;
    float result = (float)mantissa / float_powers[n_fraction];
    uint32_t bits;
    memcpy(&bits, &result, sizeof bits);
    bits |= (uint32_t)negative << 31;
    memcpy(value, &bits, sizeof bits);
    p = q;
    return true;
}

bool parse_float(const char *&p, float *value) {
    return parse_short_float(p, value) || parse_float_any(p, value);
}

// A float at p: optional sign, digits with an optional point, an optional
// exponent; or inf, infinity, nan in any case. A mantissa of at most 2^24
// and a power of ten of at most 10 are exact in float, so one operation
// rounds correctly; anything else goes to the library conversion.
bool parse_float_any(const char *&p, float *value) {
    const float *powers = float_powers;
    const char *start = p;
    bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;

    bool exact = true;
    if ((*p | 0x20) == 'i' || (*p | 0x20) == 'n') {
        bool is_nan = (*p | 0x20) == 'n';
        ++p;
        if (!match_word(p, is_nan ? "an" : "nf")) return false;
        if (!is_nan && (*p | 0x20) == 'i' && !match_word(++p, "nity")) return false;
        exact = false;
    } else {
        uint64_t mantissa = 0;
        int n_significant = 0, n_digits = 0;
        long exponent = 0;
        for (; is_digit((unsigned char)*p); ++p, ++n_digits) {
            if (mantissa == 0 && *p == '0') continue;
            if (n_significant < 19) {
                mantissa = mantissa * 10 + (uint64_t)(*p - '0');
                ++n_significant;
            } else {
                exact = false;
            }
        }
        if (*p == '.') {
            for (++p; is_digit((unsigned char)*p); ++p, ++n_digits) {
                if (mantissa == 0 && *p == '0') {
                    --exponent;
                } else if (n_significant < 19) {
                    mantissa = mantissa * 10 + (uint64_t)(*p - '0');
                    ++n_significant;
                    --exponent;
                } else {
                    exact = false;
                }
            }
        }
        if (n_digits == 0) return false;
        if ((*p | 0x20) == 'e') {
            ++p;
            bool negative_exponent = *p == '-';
            if (*p == '+' || *p == '-') ++p;
            if (!is_digit((unsigned char)*p)) return false;
            long stated = 0;
            for (; is_digit((unsigned char)*p); ++p) {
                if (stated < 100000) stated = stated * 10 + (*p - '0');
            }
            exponent += negative_exponent ? -stated : stated;
        }
        if (exact && mantissa <= (UINT64_C(1) << 24) && exponent >= -10 && exponent <= 10) {
            float result = (float)mantissa;
            result = exponent < 0 ? result / powers[-exponent] : result * powers[exponent];
            *value = negative ? -result : result;
            return true;
        }
        exact = false;
    }

    std::string text(start, (size_t)(p - start));
    *value = strtof(text.c_str(), nullptr);
    return true;
}

// An optionally signed decimal int at p.
bool parse_int(const char *&p, int *value) {
    bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    uint64_t word = load_eight(p);
    int n_digits = leading_digits(word);
    if (n_digits == 0) return false;
    if (n_digits < 8) { // at most 7 digits: always within an int
        int64_t magnitude = (int64_t)digits_value(word, n_digits);
        p += n_digits;
        *value = (int)(negative ? -magnitude : magnitude);
        return true;
    }
    const int64_t limit = (int64_t)INT_MAX + 1;
    int64_t magnitude = 0;
    for (; is_digit((unsigned char)*p); ++p) {
        if (magnitude <= limit) magnitude = magnitude * 10 + (*p - '0');
    }
    if (magnitude > (negative ? limit : (int64_t)INT_MAX)) return false;
    *value = (int)(negative ? -magnitude : magnitude);
    return true;
}

// Skips blanks, refilling the window as needed; pos ends at the first other
// character (or the end of the file).
void skip_blanks(Window &window, size_t &pos) {
    for (;;) {
        const char *p = window.at(pos);
        while (is_space((unsigned char)*p))
            ++p;
        pos = window.offset(p);
        if (!window.cut_short(p)) return;
        window.ensure(pos, NUMBER_WINDOW);
    }
}

// The parser is a template argument so that it is inlined in the loop.
template <typename T, bool (*parse)(const char *&, T *), Status (*input_one)(FILE *, T *)>
Status input_run(FILE *file, int n, T values[]) {
    if (n < MIN_BLOCK_RUN || ftell(file) < 0) {
        for (int i = 0; i < n; ++i) {
            if (input_one(file, &values[i]) != OK) return ERROR;
        }
        return OK;
    }
    Window window(file);
    if (!window.start()) return ERROR;

    size_t pos = 0;
    bool ok = true;
    const char *p = window.at(pos);
    for (int i = 0; i < n && ok; ++i) {
        while (is_space((unsigned char)*p))
            ++p;
        if (window.short_of(p, NUMBER_WINDOW)) {
            pos = window.offset(p);
            skip_blanks(window, pos);
            window.ensure(pos, NUMBER_WINDOW);
            p = window.at(pos);
        }
        const char *end = p;
        ok = parse(end, &values[i]);
        // The number must end inside the window: a number running into its
        // end is parsed again in a larger one.
        for (size_t want = 2 * NUMBER_WINDOW; window.cut_short(end); want *= 2) {
            pos = window.offset(p);
            window.ensure(pos, want);
            p = window.at(pos);
            end = p;
            ok = parse(end, &values[i]);
        }
        p = end;
    }
    return window.finish(window.offset(p)) && ok ? OK : ERROR;
}

} // namespace

Status input_floats(FILE *file, int n, float values[]) {
    return input_run<float, parse_float, input_float>(file, n, values);
}

Status input_ints(FILE *file, int n, int values[]) {
    return input_run<int, parse_int, input_int>(file, n, values);
}
