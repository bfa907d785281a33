#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <dezava_vo.h>

#include "print_capture.h"
#include "test_helpers.h"

using tarvex_test::CapturePrint;
using tarvex_test::read_file;
using tarvex_test::TempDir;
using tarvex_test::write_file;

namespace {

// Every value type once, in the order a format would lay them out.
struct AllValues {
    int i = 0;
    short s = 0;
    unsigned short us = 0;
    unsigned char uc = 0;
    BOOLEAN b = FALSE;
    float f = 0;
    double d = 0;
    Real r = 0;
    STRING quoted[4] = {};
    int n_ints = 0;
    int *ints = nullptr;
    int n_bytes = 0;
    unsigned char *bytes = nullptr;
};

// One layout for both directions, as the format readers use it.
Status io_all_values(FILE *file, IO_types io, File_formats format, AllValues &v) {
    Status status = OK;
    auto step = [&](Status s) {
        if (status == OK) status = s;
    };
    step(io_int(file, io, format, &v.i));
    step(io_short(file, io, format, &v.s));
    step(io_newline(file, io, format));
    step(io_unsigned_short(file, io, format, &v.us));
    step(io_unsigned_char(file, io, format, &v.uc));
    step(io_boolean(file, io, format, &v.b));
    step(io_float(file, io, format, &v.f));
    step(io_double(file, io, format, &v.d));
    step(io_real(file, io, format, &v.r));
    for (STRING &text : v.quoted)
        step(io_quoted_string(file, io, format, &text));
    step(io_newline(file, io, format));
    step(io_ints(file, io, format, v.n_ints, &v.ints));
    step(io_unsigned_chars(file, io, format, v.n_bytes, &v.bytes));
    return status;
}

class ValueIo : public ::testing::TestWithParam<File_formats> {
  protected:
    std::string path() const { return dir.file("values"); }

    // Opens the test file, runs body and closes it; the statuses must be OK.
    void with_file(IO_types io, const std::function<void(FILE *)> &body) {
        FILE *file = nullptr;
        ASSERT_EQ(open_file(path().c_str(), io, GetParam(), &file), OK);
        body(file);
        EXPECT_EQ(close_file(file), OK);
    }

    TempDir dir;
};

void free_values(AllValues &v) {
    for (STRING &text : v.quoted)
        delete_string(text);
    if (v.ints != nullptr) FREE(v.ints);
    if (v.bytes != nullptr) FREE(v.bytes);
}

} // namespace

TEST_P(ValueIo, EveryValueTypeRoundTrips) {
    File_formats format = GetParam();
    int ints[10] = {INT_MIN, -1, 0, 1, 2, 3, 4, 5, 6, INT_MAX};
    unsigned char bytes[3] = {0, 200, 255};
    char plain[] = "plain text", empty[] = "", double_quote[] = "a\"b",
         two_quotes[] = "say \"it's\"";

    AllValues out;
    out.i = -123456;
    out.s = -32768;
    out.us = 65535;
    out.uc = 255;
    out.b = TRUE;
    out.f = -0.15625f;
    out.d = 1.0 / 3.0;
    out.r = -2.5e-300;
    out.quoted[0] = plain;
    out.quoted[1] = empty;
    out.quoted[2] = double_quote;
    out.quoted[3] = two_quotes;
    out.n_ints = 10;
    out.ints = ints;
    out.n_bytes = 3;
    out.bytes = bytes;
    with_file(WRITE_FILE,
              [&](FILE *file) { EXPECT_EQ(io_all_values(file, WRITE_FILE, format, out), OK); });
    EXPECT_EQ(out.quoted[2], double_quote) << "writing must leave the caller's strings";

    AllValues in;
    in.n_ints = 10;
    in.n_bytes = 3;
    with_file(READ_FILE,
              [&](FILE *file) { EXPECT_EQ(io_all_values(file, READ_FILE, format, in), OK); });

    EXPECT_EQ(in.i, out.i);
    EXPECT_EQ(in.s, out.s);
    EXPECT_EQ(in.us, out.us);
    EXPECT_EQ(in.uc, out.uc);
    EXPECT_EQ(in.b, out.b);
    EXPECT_EQ(in.f, out.f);
    if (format == BINARY_FORMAT) {
        EXPECT_EQ(in.d, out.d);
        EXPECT_EQ(in.r, out.r);
    } else {
        // " %g" keeps six significant digits.
        EXPECT_EQ(in.d, 0.333333);
        EXPECT_EQ(in.r, -2.5e-300);
    }
    for (int k = 0; k < 4; ++k) {
        ASSERT_NE(in.quoted[k], nullptr);
        EXPECT_STREQ(in.quoted[k], out.quoted[k]);
    }
    ASSERT_NE(in.ints, nullptr);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(in.ints[k], ints[k]) << k;
    ASSERT_NE(in.bytes, nullptr);
    EXPECT_EQ(memcmp(in.bytes, bytes, 3), 0);
    free_values(in);
}

TEST_P(ValueIo, ReadingZeroOrFewerValuesAllocatesNothing) {
    write_file(path(), "");
    with_file(READ_FILE, [&](FILE *file) {
        for (int n : {0, -5}) {
            int *ints = reinterpret_cast<int *>(&n); // must be replaced by null
            unsigned char *bytes = reinterpret_cast<unsigned char *>(&n);
            EXPECT_EQ(io_ints(file, READ_FILE, GetParam(), n, &ints), OK);
            EXPECT_EQ(io_unsigned_chars(file, READ_FILE, GetParam(), n, &bytes), OK);
            EXPECT_EQ(ints, nullptr);
            EXPECT_EQ(bytes, nullptr);
        }
    });
}

TEST_P(ValueIo, ArrayEndingEarlyIsAnErrorAndNoArray) {
    // Three values present where five are asked for.
    if (GetParam() == BINARY_FORMAT) {
        int three[3] = {1, 2, 3};
        write_file(path(), std::string(reinterpret_cast<char *>(three), sizeof(three)));
    } else {
        write_file(path(), " 1 2 3\n");
    }
    CapturePrint capture;
    with_file(READ_FILE, [&](FILE *file) {
        int *ints = nullptr;
        EXPECT_EQ(io_ints(file, READ_FILE, GetParam(), 5, &ints), ERROR);
        EXPECT_EQ(ints, nullptr);
    });
    if (GetParam() == BINARY_FORMAT) {
        EXPECT_EQ(capture.err().rfind("Error inputting binary data.\n     (0 out of 5 items of "
                                      "size 4).  \nSystem message: ",
                                      0),
                  0u)
            << capture.err();
    }
}

INSTANTIATE_TEST_SUITE_P(BothEncodings, ValueIo, ::testing::Values(ASCII_FORMAT, BINARY_FORMAT),
                         [](const ::testing::TestParamInfo<File_formats> &info) {
                             return std::string(info.param == ASCII_FORMAT ? "Ascii" : "Binary");
                         });

namespace {

// Writes with body into a fresh file and returns the bytes written.
std::string written_text(const TempDir &dir, File_formats format,
                         const std::function<void(FILE *)> &body) {
    std::string path = dir.file("written");
    FILE *file = nullptr;
    EXPECT_EQ(open_file(path.c_str(), WRITE_FILE, format, &file), OK);
    body(file);
    EXPECT_EQ(close_file(file), OK);
    return read_file(path);
}

// Opens a file holding text for reading.
FILE *file_holding(const TempDir &dir, const std::string &text) {
    std::string path = dir.file("input");
    write_file(path, text);
    FILE *file = nullptr;
    EXPECT_EQ(open_file(path.c_str(), READ_FILE, ASCII_FORMAT, &file), OK);
    return file;
}

std::string take(STRING str) {
    std::string text = str == nullptr ? "(null)" : str;
    delete_string(str);
    return text;
}

} // namespace

class ValueText : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(ValueText, ExactAsciiForms) {
    EXPECT_EQ(written_text(dir, ASCII_FORMAT,
                           [](FILE *file) {
                               int five = 5, seven = 7;
                               EXPECT_EQ(io_int(file, WRITE_FILE, ASCII_FORMAT, &five), OK);
                               EXPECT_EQ(io_int(file, WRITE_FILE, ASCII_FORMAT, &seven), OK);
                           }),
              " 5 7");

    int ten[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    int *ten_ptr = ten;
    EXPECT_EQ(written_text(dir, ASCII_FORMAT,
                           [&](FILE *file) {
                               EXPECT_EQ(io_ints(file, WRITE_FILE, ASCII_FORMAT, 10, &ten_ptr), OK);
                           }),
              " 0 1 2 3 4 5 6 7\n 8 9\n");

    unsigned char two[2] = {200, 3};
    unsigned char *two_ptr = two;
    EXPECT_EQ(written_text(dir, ASCII_FORMAT,
                           [&](FILE *file) {
                               EXPECT_EQ(
                                   io_unsigned_chars(file, APPEND_FILE, ASCII_FORMAT, 2, &two_ptr),
                                   OK);
                           }),
              " 200 3\n");

    EXPECT_EQ(written_text(dir, ASCII_FORMAT,
                           [](FILE *file) {
                               EXPECT_EQ(output_double(file, 1.0 / 3.0), OK);
                               EXPECT_EQ(output_float(file, 2.5f), OK);
                               EXPECT_EQ(output_boolean(file, TRUE), OK);
                               EXPECT_EQ(output_boolean(file, FALSE), OK);
                               EXPECT_EQ(output_short(file, -3), OK);
                               EXPECT_EQ(output_unsigned_short(file, 65535), OK);
                               EXPECT_EQ(output_real(file, 1e10), OK);
                               EXPECT_EQ(output_newline(file), OK);
                               EXPECT_EQ(output_string(file, "as is"), OK);
                           }),
              " 0.333333 2.5 T F -3 65535 1e+10\nas is");
    EXPECT_TRUE(real_is_double());
}

TEST_F(ValueText, QuotedStringsChooseAQuoteTheTextLacks) {
    struct {
        const char *text;
        const char *written;
    } cases[] = {
        {"plain", " \"plain\""},     {"", " \"\""}, {"it's", " \"it's\""}, {"a\"b", " 'a\"b'"},
        {"\"it's\"", " `\"it's\"`"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(
            written_text(dir, ASCII_FORMAT,
                         [&](FILE *file) { EXPECT_EQ(output_quoted_string(file, c.text), OK); }),
            c.written)
            << c.text;
    }

    CapturePrint capture;
    STRING all_three = create_string("\"'`");
    EXPECT_EQ(written_text(dir, ASCII_FORMAT,
                           [&](FILE *file) {
                               EXPECT_EQ(
                                   io_quoted_string(file, WRITE_FILE, ASCII_FORMAT, &all_three),
                                   ERROR);
                           }),
              "");
    EXPECT_NE(capture.err().find("Error in quoted string in file.\n"), std::string::npos);
    delete_string(all_three);
}

TEST_F(ValueText, BinaryQuotedStringLayoutAndDamagedLengths) {
    STRING empty = create_string("");
    EXPECT_EQ(written_text(dir, BINARY_FORMAT,
                           [&](FILE *file) {
                               EXPECT_EQ(io_quoted_string(file, WRITE_FILE, BINARY_FORMAT, &empty),
                                         OK);
                           }),
              std::string(4, '\0'));
    delete_string(empty);

    auto length_bytes = [](int length) {
        return std::string(reinterpret_cast<const char *>(&length), sizeof(length));
    };
    struct {
        std::string contents;
        bool ok;
        const char *expected;
    } cases[] = {
        {length_bytes(0), true, ""},
        {length_bytes(3) + "abcdef", true, "abc"},
        {length_bytes(-1) + "abc", false, nullptr},
        {length_bytes(10) + "abc", false, nullptr},
        {length_bytes(INT_MAX) + "abc", false, nullptr},
        {"ab", false, nullptr},
    };
    for (const auto &c : cases) {
        std::string path = dir.file("binary-string");
        write_file(path, c.contents);
        FILE *file = nullptr;
        ASSERT_EQ(open_file(path.c_str(), READ_FILE, BINARY_FORMAT, &file), OK);
        CapturePrint capture;
        STRING str = create_string("junk");
        STRING previous = str;
        Status status = io_quoted_string(file, READ_FILE, BINARY_FORMAT, &str);
        delete_string(previous);
        EXPECT_EQ(close_file(file), OK);
        if (c.ok) {
            EXPECT_EQ(status, OK);
            EXPECT_EQ(take(str), c.expected);
            EXPECT_EQ(capture.err(), "");
        } else {
            EXPECT_EQ(status, ERROR);
            EXPECT_EQ(str, nullptr);
            EXPECT_NE(capture.err().find("Error in quoted string in file.\n"), std::string::npos);
        }
    }
}

TEST_F(ValueText, StringReaders) {
    FILE *file = file_holding(dir, "  key = value\nnext\n'a \"b\"' word `x'y` \"open");
    STRING str = nullptr;
    ASSERT_EQ(input_string(file, &str, '='), OK);
    EXPECT_EQ(take(str), "key ");
    ASSERT_EQ(input_string(file, &str, ';'), OK);
    EXPECT_EQ(take(str), "value");
    char ch;
    ASSERT_EQ(input_character(file, &ch), OK);
    EXPECT_EQ(ch, '\n') << "the newline that ended the string is pushed back";
    ASSERT_EQ(input_line(file, &str), OK);
    EXPECT_EQ(take(str), "next");
    ASSERT_EQ(input_quoted_string(file, &str), OK);
    EXPECT_EQ(take(str), "a \"b\"");
    ASSERT_EQ(input_possibly_quoted_string(file, &str), OK);
    EXPECT_EQ(take(str), "word");
    ASSERT_EQ(input_possibly_quoted_string(file, &str), OK);
    EXPECT_EQ(take(str), "x'y");
    str = create_string("junk");
    STRING previous = str;
    EXPECT_EQ(input_quoted_string(file, &str), ERROR);
    EXPECT_EQ(str, nullptr);
    delete_string(previous);
    EXPECT_EQ(close_file(file), OK);

    file = file_holding(dir, "abc\n\nlast");
    ASSERT_EQ(input_line(file, &str), OK);
    EXPECT_EQ(take(str), "abc");
    ASSERT_EQ(input_line(file, &str), OK);
    EXPECT_EQ(take(str), "");
    EXPECT_EQ(input_line(file, &str), ERROR);
    EXPECT_EQ(str, nullptr);
    EXPECT_EQ(close_file(file), OK);

    file = file_holding(dir, " nonquote  tail");
    EXPECT_EQ(input_quoted_string(file, &str), ERROR);
    EXPECT_EQ(str, nullptr);
    ASSERT_EQ(input_possibly_quoted_string(file, &str), OK);
    EXPECT_EQ(take(str), "onquote");
    EXPECT_EQ(input_possibly_quoted_string(file, &str), ERROR) << "word runs into the end";
    EXPECT_EQ(str, nullptr);
    EXPECT_EQ(input_string(file, &str, ';'), ERROR);
    EXPECT_EQ(str, nullptr);
    EXPECT_EQ(close_file(file), OK);
}

TEST_F(ValueText, NumberAndBooleanParsing) {
    FILE *file = file_holding(dir, "t TRUE 1 f\n -17 +8 99999999999 70000 -1 300 "
                                   "1.5e3 -.25 7. inf -nan 1e-2 2e abc - 1e+");
    BOOLEAN b = FALSE;
    ASSERT_EQ(input_boolean(file, &b), OK);
    EXPECT_EQ(b, TRUE);
    ASSERT_EQ(input_boolean(file, &b), OK);
    EXPECT_EQ(b, TRUE);
    char ch;
    ASSERT_EQ(input_character(file, &ch), OK);
    EXPECT_EQ(ch, 'R') << "only one character of a word is consumed";
    ASSERT_EQ(skip_input_until(file, ' '), OK);
    b = TRUE;
    EXPECT_EQ(input_boolean(file, &b), ERROR) << "1 is not a boolean";
    EXPECT_EQ(b, TRUE);
    ASSERT_EQ(input_boolean(file, &b), OK);
    EXPECT_EQ(b, FALSE);

    int i = 0;
    ASSERT_EQ(input_int(file, &i), OK);
    EXPECT_EQ(i, -17);
    ASSERT_EQ(input_int(file, &i), OK);
    EXPECT_EQ(i, 8);
    EXPECT_EQ(input_int(file, &i), ERROR) << "does not fit in an int";
    EXPECT_EQ(i, 8);
    short s = 0;
    ASSERT_EQ(input_short(file, &s), OK);
    EXPECT_EQ(s, (short)70000);
    unsigned short us = 0;
    ASSERT_EQ(input_unsigned_short(file, &us), OK);
    EXPECT_EQ(us, 65535) << "low 16 bits of -1";
    unsigned char uc = 0;
    ASSERT_EQ(io_unsigned_char(file, READ_FILE, ASCII_FORMAT, &uc), OK);
    EXPECT_EQ(uc, 44) << "low 8 bits of 300";

    double d = 0;
    float f = 0;
    ASSERT_EQ(input_double(file, &d), OK);
    EXPECT_EQ(d, 1500.0);
    ASSERT_EQ(input_float(file, &f), OK);
    EXPECT_EQ(f, -0.25f);
    ASSERT_EQ(input_real(file, &d), OK);
    EXPECT_EQ(d, 7.0);
    ASSERT_EQ(input_double(file, &d), OK);
    EXPECT_TRUE(std::isinf(d));
    ASSERT_EQ(input_float(file, &f), OK);
    EXPECT_TRUE(std::isnan(f));
    ASSERT_EQ(input_double(file, &d), OK);
    EXPECT_EQ(d, 1e-2);

    for (int bad = 0; bad < 4; ++bad) { // "2e", "abc", "-", "1e+" at the end
        d = 42;
        EXPECT_EQ(input_double(file, &d), ERROR) << bad;
        EXPECT_EQ(d, 42);
        if (bad == 1) {
            ASSERT_EQ(skip_input_until(file, 'c'), OK);
        }
    }
    EXPECT_EQ(input_int(file, &i), ERROR) << "end of file";
    EXPECT_EQ(close_file(file), OK);

    CapturePrint capture;
    file = file_holding(dir, "x");
    EXPECT_EQ(io_unsigned_char(file, READ_FILE, ASCII_FORMAT, &uc), ERROR);
    EXPECT_EQ(capture.err().rfind("Error inputting unsigned char.  \nSystem message: ", 0), 0u);
    EXPECT_EQ(close_file(file), OK);
}

TEST_F(ValueText, BinaryValueCutShortKeepsTheCallersValue) {
    std::string path = dir.file("short");
    write_file(path, "ab");
    FILE *file = nullptr;
    ASSERT_EQ(open_file(path.c_str(), READ_FILE, BINARY_FORMAT, &file), OK);
    CapturePrint capture;
    int i = 77;
    EXPECT_EQ(io_int(file, READ_FILE, BINARY_FORMAT, &i), ERROR);
    EXPECT_EQ(i, 77);
    EXPECT_EQ(capture.err().rfind("Error inputting binary data.\n     (0 out of 1 items of size "
                                  "4).  \nSystem message: ",
                                  0),
              0u)
        << capture.err();
    EXPECT_EQ(close_file(file), OK);
}

TEST_F(ValueText, OutputFailuresReportTheirTexts) {
    FILE *full = fopen("/dev/full", "w");
    if (full == nullptr) GTEST_SKIP() << "no /dev/full";
    setvbuf(full, nullptr, _IONBF, 0); // each write reaches the device at once

    struct {
        std::function<Status()> write;
        const char *text;
    } cases[] = {
        {[&] { return output_int(full, 1); }, "Error outputting int.  "},
        {[&] { return output_short(full, 1); }, "Error outputting short.  "},
        {[&] { return output_unsigned_short(full, 1); }, "Error outputting unsigned short.  "},
        {[&] { return output_float(full, 1); }, "Error outputting float.  "},
        {[&] { return output_double(full, 1); }, "Error outputting double.  "},
        {[&] { return output_real(full, 1); }, "Error outputting double.  "},
        {[&] { return output_boolean(full, TRUE); }, "Error outputting BOOLEAN.  "},
        {[&] { return output_newline(full); }, "Error outputting newline.  "},
        {[&] { return output_string(full, "abc"); }, "Error outputting string.  "},
        {[&] {
             unsigned char c = 1;
             return io_unsigned_char(full, WRITE_FILE, ASCII_FORMAT, &c);
         },
         "Error outputting unsigned char.  "},
        {[&] {
             int values[2] = {1, 2};
             return output_binary_data(full, values, sizeof(int), 2);
         },
         "Error outputting binary data.\n     (0 out of 2 items of size 4).  "},
    };
    for (const auto &c : cases) {
        CapturePrint capture;
        clearerr(full);
        EXPECT_EQ(c.write(), ERROR) << c.text;
        EXPECT_EQ(capture.err(),
                  std::string(c.text) + "\nSystem message: No space left on device\n");
    }
    clearerr(full);
    EXPECT_EQ(output_quoted_string(full, "q"), ERROR);
    (void)fclose(full);
}

TEST_F(ValueText, NumbersConvertExactlyAsTheLibraryDoes) {
    // Values on both sides of the exact fast path, and some that need the
    // full conversion: long mantissas, big exponents, tiny and huge numbers.
    const char *texts[] = {"0",
                           "-0",
                           "0.1",
                           "0.333333",
                           "-123.456",
                           "1e22",
                           "1e23",
                           "16777216",
                           "16777217",
                           "9007199254740992",
                           "9007199254740993",
                           "0.000123457",
                           "1.23457e-05",
                           "1.23457e-15",
                           "3.4028235e38",
                           "3.5e38",
                           "1e-45",
                           "1.17549435e-38",
                           "2.2250738585072014e-308",
                           "4.9e-324",
                           "1.7976931348623157e308",
                           "123456789012345678901234567890",
                           "0.00000000000000000000000000000000000000000001",
                           "7.038531e-26",
                           "1.00000005960464477539062500001",
                           "8.589973e9"};
    std::string joined;
    for (const char *text : texts)
        joined += std::string(text) + "\n";
    for (bool as_float : {true, false}) {
        FILE *file = file_holding(dir, joined);
        for (const char *text : texts) {
            if (as_float) {
                float value = 0;
                ASSERT_EQ(input_float(file, &value), OK) << text;
                float expected = strtof(text, nullptr);
                EXPECT_EQ(memcmp(&value, &expected, sizeof(float)), 0)
                    << text << " read as " << value << ", expected " << expected;
            } else {
                double value = 0;
                ASSERT_EQ(input_double(file, &value), OK) << text;
                double expected = strtod(text, nullptr);
                EXPECT_EQ(memcmp(&value, &expected, sizeof(double)), 0)
                    << text << " read as " << value << ", expected " << expected;
            }
        }
        EXPECT_EQ(close_file(file), OK);
    }
}

TEST_F(ValueText, WrittenFloatsReadBackAsTheLibraryConvertsThem) {
    // Deterministic spread of magnitudes and digit counts, written as the
    // writers do (" %g") and with nine digits.
    std::vector<std::string> texts;
    uint32_t state = 12345;
    char buffer[64];
    for (int i = 0; i < 20000; ++i) {
        state = state * 1664525u + 1013904223u;
        double magnitude = std::ldexp((double)(state >> 8) / (1 << 24), (int)(state % 80) - 40);
        double value = (state & 1) ? -magnitude : magnitude;
        snprintf(buffer, sizeof(buffer), i % 2 ? "%g" : "%.9g", value);
        texts.push_back(buffer);
    }
    std::string joined;
    for (const std::string &text : texts)
        joined += " " + text;
    FILE *file = file_holding(dir, joined);
    int n_mismatches = 0;
    for (const std::string &text : texts) {
        float value = 0;
        ASSERT_EQ(input_float(file, &value), OK) << text;
        float expected = strtof(text.c_str(), nullptr);
        if (memcmp(&value, &expected, sizeof(float)) != 0 && ++n_mismatches < 5)
            ADD_FAILURE() << text << " read as " << value << ", expected " << expected;
    }
    EXPECT_EQ(n_mismatches, 0);
    EXPECT_EQ(close_file(file), OK);
}
