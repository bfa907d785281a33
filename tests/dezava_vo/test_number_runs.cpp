// Runs of ASCII numbers read at once must give what reading them one by one
// gives, value for value and bit for bit, and leave the stream at the same
// place.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include <dezava_vo.h>

#include "test_helpers.h"

using tarvex_test::TempDirTest;
using tarvex_test::write_file;

namespace {

// Enough numbers for the block reader, not just the one-by-one fallback.
const int RUN = 20000;

class NumberRuns : public TempDirTest {
  protected:
    struct Result {
        Status status;
        std::vector<uint32_t> bits; // floats compared as bit patterns
        int next_char;
    };

    // Reads n floats from text both ways.
    std::pair<Result, Result> read_floats(const std::string &text, int n) {
        std::string name = dir.file("numbers");
        write_file(name, text);
        Result one_by_one = read_with(name, n, [](FILE *f, int count, float *v) {
            for (int i = 0; i < count; ++i)
                if (input_float(f, &v[i]) != OK) return ERROR;
            return OK;
        });
        Result run = read_with(name, n, input_floats);
        return {one_by_one, run};
    }

    template <typename Reader> Result read_with(const std::string &name, int n, Reader reader) {
        FILE *file = fopen(name.c_str(), "rb");
        std::vector<float> values((size_t)n, 0.0f);
        Result result;
        result.status = reader(file, n, values.data());
        for (float v : values) {
            uint32_t bits;
            memcpy(&bits, &v, sizeof bits);
            result.bits.push_back(bits);
        }
        result.next_char = getc(file);
        fclose(file);
        return result;
    }

    void expect_same(const std::string &text, int n) {
        auto [one_by_one, run] = read_floats(text, n);
        ASSERT_EQ(one_by_one.status, OK);
        EXPECT_EQ(run.status, OK);
        EXPECT_EQ(run.bits, one_by_one.bits);
        EXPECT_EQ(run.next_char, one_by_one.next_char);
    }
};

// Each form repeated over a run, between varied blanks.
TEST_F(NumberRuns, EveryFloatFormReadsAsOneByOne) {
    const char *forms[] = {
        "0",
        "-0",
        "+7",
        "0.5",
        "-12.25",
        ".5",
        "5.",
        "-.125",
        "000.0001",
        "1e3",
        "1.5E-3",
        "-2e+05",
        "1.17549e-38",
        "3.40282e+38",
        "1e39",
        "1e-46",
        "0.1",
        "16777217",
        "16777216",
        "0.3333333",
        "12345678.9",
        "1234567.125",
        "nan",
        "-inf",
        "Infinity",
        "NaN",
        "123456789012345678901234567890",
        "0.000000000000000000000000000000000000000000001",
        "0.16777217",
        "9999999.5",
        "1.9999999",
        "0.00000001",
        "8388608.5",
    };
    const char *blanks[] = {" ", "\n", "\t", " \n ", "\r\n", "  \f\v"};
    for (const char *form : forms) {
        SCOPED_TRACE(form);
        std::string text;
        for (int i = 0; i < RUN; ++i)
            text += std::string(blanks[i % 6]) + form;
        text += " x";
        expect_same(text, RUN);
    }
}

TEST_F(NumberRuns, RandomFloatsInEveryPrintedFormReadAsOneByOne) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> uniform(-1000.0f, 1000.0f);
    std::uniform_int_distribution<int> exponent(-44, 38);
    const char *formats[] = {" %g", " %.9g", " %.3f", " %e", "\n%.12g"};
    std::string text;
    char number[64];
    for (int i = 0; i < RUN; ++i) {
        float value = uniform(random);
        if (i % 3 == 0) value = std::ldexp(value, exponent(random) * 3 / 4);
        snprintf(number, sizeof number, formats[i % 5], (double)value);
        text += number;
    }
    expect_same(text, RUN);
}

// Numbers and blanks longer than the reader's window, and runs that cross
// its refills at every offset.
TEST_F(NumberRuns, LongNumbersAndBlanksCrossTheWindow) {
    std::string text;
    for (int i = 0; i < RUN; ++i) {
        if (i % 997 == 0) text += std::string(3000, i % 2 ? ' ' : '\n');
        if (i % 1999 == 0)
            text += " 1." + std::string(400, '3');
        else if (i % 2999 == 0)
            text += " " + std::string(300, '0') + "25e-3";
        else
            text += " " + std::to_string(i % 1000) + "." + std::to_string(i % 77);
    }
    expect_same(text, RUN);
}

TEST_F(NumberRuns, BadTextFailsBothWays) {
    const char *bad[] = {"x", "1e", "1e+", ".", "-", "+-5", "infinit", "na"};
    for (const char *form : bad) {
        SCOPED_TRACE(form);
        std::string text;
        for (int i = 0; i < RUN; ++i)
            text += " 1.5";
        text += std::string(" ") + form + " 2";
        auto [one_by_one, run] = read_floats(text, RUN + 2);
        EXPECT_EQ(one_by_one.status, ERROR);
        EXPECT_EQ(run.status, ERROR);
    }
    // A run that the file ends before.
    std::string text;
    for (int i = 0; i < RUN; ++i)
        text += " 2.5";
    auto [one_by_one, run] = read_floats(text, RUN + 1);
    EXPECT_EQ(run.status, ERROR);
    EXPECT_EQ(one_by_one.status, ERROR);
}

TEST_F(NumberRuns, IntsReadAsOneByOneAndRefuseWhatAnIntCannotHold) {
    std::string text = " -2147483648 2147483647 +12 00000000000000000012 -0";
    std::mt19937 random(3);
    std::uniform_int_distribution<int> any_int(INT32_MIN, INT32_MAX);
    for (int i = 0; i < RUN; ++i)
        text += (i % 7 ? " " : "\n") + std::to_string(i % 3 ? any_int(random) : i % 1000);
    text += "\n";
    int n = RUN + 5;
    std::string name = dir.file("ints");
    write_file(name, text);

    FILE *file = fopen(name.c_str(), "rb");
    std::vector<int> run((size_t)n), one_by_one((size_t)n);
    ASSERT_EQ(input_ints(file, n, run.data()), OK);
    EXPECT_EQ(getc(file), '\n');
    rewind(file);
    for (int &value : one_by_one)
        ASSERT_EQ(input_int(file, &value), OK);
    fclose(file);
    EXPECT_EQ(run, one_by_one);
    EXPECT_EQ(run[0], INT32_MIN);
    EXPECT_EQ(run[3], 12);

    for (const char *too_large : {" 2147483648", " -2147483649", " 99999999999999999999"}) {
        write_file(name, text + too_large);
        file = fopen(name.c_str(), "rb");
        std::vector<int> values((size_t)n + 1);
        EXPECT_EQ(input_ints(file, n + 1, values.data()), ERROR) << too_large;
        fclose(file);
    }
}

// A character pushed back before the run is its first; what follows the run
// is read next by the one-by-one readers.
TEST_F(NumberRuns, StreamPositionIsSharedWithTheOtherReaders) {
    std::string text = "41";
    for (int i = 0; i < RUN; ++i)
        text += " " + std::to_string(i);
    text += " 7 tail";
    std::string name = dir.file("shared");
    write_file(name, text);
    FILE *file = fopen(name.c_str(), "rb");
    ASSERT_EQ(getc(file), '4');
    ASSERT_EQ(ungetc('4', file), '4');
    std::vector<int> values(RUN + 1);
    ASSERT_EQ(input_ints(file, RUN + 1, values.data()), OK);
    EXPECT_EQ(values[0], 41);
    EXPECT_EQ(values[RUN], RUN - 1);
    int seven;
    ASSERT_EQ(input_int(file, &seven), OK);
    EXPECT_EQ(seven, 7);
    char rest[8] = {};
    EXPECT_EQ(fread(rest, 1, sizeof rest - 1, file), 5u);
    EXPECT_STREQ(rest, " tail");
    fclose(file);
}

// Streams that cannot seek are read one by one.
TEST_F(NumberRuns, PipeIsReadToo) {
    std::string text;
    for (int i = 0; i < RUN; ++i)
        text += " " + std::to_string(i) + ".5";
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::thread writer([&] {
        size_t done = 0;
        while (done < text.size()) {
            ssize_t n = write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += (size_t)n;
        }
        close(fds[1]);
    });
    FILE *file = fdopen(fds[0], "r");
    std::vector<float> values(RUN);
    EXPECT_EQ(input_floats(file, RUN, values.data()), OK);
    fclose(file);
    writer.join();
    EXPECT_EQ(values[0], 0.5f);
    EXPECT_EQ(values[RUN - 1], (float)(RUN - 1) + 0.5f);
}

} // namespace
