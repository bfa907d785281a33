// Attributes of both versions: values of every type come back bit for bit,
// text is cut and terminated within the caller's buffer, numbers convert
// between types and signs, and failures are numbered messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

class VornAttrTest : public VornBothVersions {
  protected:
    void SetUp() override {
        VornBothVersions::SetUp();
        fd_ = create(version(), "attributes");
        ASSERT_GE(fd_, 0);
        var_ = VR2vardef(fd_, "acquisition", NC_INT, 0, nullptr);
        ASSERT_GE(var_, 0);
    }
    void TearDown() override {
        EXPECT_EQ(vrclose(fd_), 0);
        VornBothVersions::TearDown();
    }
    int fd_ = -1, var_ = -1;
};

TEST_P(VornAttrTest, ValuesOfEveryTypeComeBackUnchanged) {
    const signed char bytes[] = {-5, 0, 127};
    const short shorts[] = {-300, 7};
    const int ints[] = {-70000, 2147483647};
    const float floats[] = {1.5f, -0.25f};
    const double doubles[] = {-1e300, 3.25, 0.0};
    ASSERT_GE(VR2attput(fd_, var_, "b", NC_BYTE, 3, bytes), 0);
    ASSERT_GE(VR2attput(fd_, var_, "s", NC_SHORT, 2, shorts), 0);
    ASSERT_GE(VR2attput(fd_, NC_GLOBAL, "i", NC_INT, 2, ints), 0);
    ASSERT_GE(VR2attput(fd_, var_, "f", NC_FLOAT, 2, floats), 0);
    ASSERT_GE(VR2attput(fd_, var_, "d", NC_DOUBLE, 3, doubles), 0);

    struct {
        int varid;
        const char *name;
        nc_type type;
        int length;
        const void *values;
        size_t size;
    } expected[] = {{var_, "b", NC_BYTE, 3, bytes, sizeof(bytes)},
                    {var_, "s", NC_SHORT, 2, shorts, sizeof(shorts)},
                    {NC_GLOBAL, "i", NC_INT, 2, ints, sizeof(ints)},
                    {var_, "f", NC_FLOAT, 2, floats, sizeof(floats)},
                    {var_, "d", NC_DOUBLE, 3, doubles, sizeof(doubles)}};
    for (const auto &e : expected) {
        nc_type type;
        int length;
        ASSERT_GE(VR2attinq(fd_, e.varid, e.name, &type, &length), 0) << e.name;
        EXPECT_EQ(type, e.type) << e.name;
        EXPECT_EQ(length, e.length) << e.name;
        unsigned char buffer[64] = {};
        ASSERT_GE(VR2attget(fd_, e.varid, e.name, buffer), 0) << e.name;
        EXPECT_EQ(memcmp(buffer, e.values, e.size), 0) << e.name;
    }
    // Attribute names are found again by number.
    int natts = 0;
    ASSERT_EQ(VR2varinq(fd_, var_, nullptr, nullptr, nullptr, nullptr, &natts), 0);
    EXPECT_EQ(natts, 4);
    char name[NC_MAX_NAME + 1];
    std::string names;
    for (int i = 0; i < natts; i++) {
        ASSERT_GE(VR2attname(fd_, var_, i, name), 0);
        names += name;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, "bdfs");
}

TEST_P(VornAttrTest, TextIsCutAndTerminatedInsideTheBuffer) {
    ASSERT_EQ(vrattputstr(fd_, var_, "text", "abc"), 0);
    nc_type type;
    int length;
    ASSERT_GE(VR2attinq(fd_, var_, "text", &type, &length), 0);
    EXPECT_EQ(type, NC_CHAR);
    EXPECT_EQ(length, 4); // the NUL is stored

    struct {
        int maxlen;
        const char *expected;
    } cases[] = {{1, ""}, {3, "ab"}, {4, "abc"}, {5, "abc"}, {40, "abc"}};
    for (const auto &c : cases) {
        char buffer[48];
        memset(buffer, '#', sizeof(buffer));
        ASSERT_EQ(vrattgetstr(fd_, var_, "text", c.maxlen, buffer + 1), buffer + 1) << c.maxlen;
        EXPECT_STREQ(buffer + 1, c.expected) << c.maxlen;
        EXPECT_EQ(buffer[0], '#') << "byte before the buffer touched";
        EXPECT_EQ(buffer[1 + c.maxlen], '#') << "byte after the buffer touched";
    }

    // Text stored without its NUL, and empty text.
    ASSERT_GE(VR2attput(fd_, var_, "bare", NC_CHAR, 3, "xyz"), 0);
    ASSERT_GE(VR2attput(fd_, var_, "empty", NC_CHAR, 0, ""), 0);
    char buffer[8];
    memset(buffer, '#', sizeof(buffer));
    EXPECT_STREQ(vrattgetstr(fd_, var_, "bare", 3, buffer + 1), "xy");
    EXPECT_STREQ(vrattgetstr(fd_, var_, "bare", 6, buffer + 1), "xyz");
    EXPECT_STREQ(vrattgetstr(fd_, var_, "empty", 6, buffer + 1), "");
    EXPECT_EQ(buffer[0], '#');

    // No room at all: refused, and the buffer is left alone.
    memset(buffer, '#', sizeof(buffer));
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(vrattgetstr(fd_, var_, "text", 0, buffer + 1), nullptr);
    EXPECT_TRUE(has_message(err.finish(), "Can't read attribute 'text'"));
    EXPECT_EQ(std::string(buffer, sizeof(buffer)), std::string(sizeof(buffer), '#'));
}

TEST_P(VornAttrTest, NumbersConvertBetweenTypesAndSigns) {
    const short three[] = {-2, 10, 400};
    ASSERT_GE(VR2attput(fd_, var_, "three", NC_SHORT, 3, three), 0);
    double first_two[3] = {0, 0, -99};
    int length = 0;
    ASSERT_EQ(vrattget(fd_, var_, "three", NC_DOUBLE, 2, first_two, &length), 0);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(first_two[0], -2.0);
    EXPECT_EQ(first_two[1], 10.0);
    EXPECT_EQ(first_two[2], -99.0) << "only max_length values are written";

    const unsigned char byte = 200;
    ASSERT_GE(VR2attput(fd_, var_, "byte", NC_BYTE, 1, &byte), 0);
    struct {
        const char *insign;
        nc_type type;
        const char *outsign;
        double expected;
    } cases[] = {{nullptr, NC_DOUBLE, nullptr, 200.0}, // bytes default to unsigned
                 {"signed__", NC_DOUBLE, nullptr, -56.0},
                 {"signed", NC_DOUBLE, nullptr, 200.0}, // not a sign name: default
                 {nullptr, NC_SHORT, nullptr, 200.0},
                 {nullptr, NC_BYTE, "signed__", -56.0}}; // same type: the stored bits
    for (const auto &c : cases) {
        double value = 0;
        unsigned char raw[8] = {};
        ASSERT_EQ(
            vrattget_with_sign(fd_, var_, "byte", c.insign, c.type, c.outsign, 1, raw, nullptr), 0);
        if (c.type == NC_DOUBLE) memcpy(&value, raw, sizeof(value));
        if (c.type == NC_SHORT) value = *reinterpret_cast<short *>(raw);
        if (c.type == NC_BYTE) value = static_cast<signed char>(raw[0]);
        EXPECT_EQ(value, c.expected) << (c.insign ? c.insign : "default");
    }

    ASSERT_EQ(vrattputdbl(fd_, NC_GLOBAL, "scale", 2.5), 0);
    int rounded = 0;
    ASSERT_EQ(vrattget1(fd_, NC_GLOBAL, "scale", NC_INT, &rounded), 0);
    EXPECT_EQ(rounded, 3);
}

TEST_P(VornAttrTest, FailuresAreNumberedMessages) {
    ASSERT_EQ(vrattputstr(fd_, var_, "name", "value"), 0);
    ASSERT_EQ(vrattputint(fd_, var_, "pair", 1), 0);
    const short two[] = {1, 2};
    ASSERT_GE(VR2attput(fd_, var_, "two", NC_SHORT, 2, two), 0);
    double value;
    char text[16];
    struct {
        const char *label;
        std::function<bool()> call;
        std::string message;
    } cases[] = {
        {"not numeric",
         [&] { return vrattget(fd_, var_, "name", NC_DOUBLE, 1, &value, nullptr) < 0; },
         "Attribute 'name' is non-numeric"},
        {"asked as text",
         [&] { return vrattget(fd_, var_, "pair", NC_CHAR, 1, text, nullptr) < 0; },
         "Attribute 'pair' is non-numeric"},
        {"not scalar", [&] { return vrattget1(fd_, var_, "two", NC_DOUBLE, &value) < 0; },
         "Attribute 'two' is not a scalar"},
        {"not text", [&] { return vrattgetstr(fd_, var_, "pair", sizeof(text), text) == nullptr; },
         "Attribute 'pair' is not a string"},
    };
    for (const auto &c : cases) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_TRUE(c.call()) << c.label;
        std::string output = err.finish();
        EXPECT_TRUE(has_message(output, c.message)) << c.label << ": " << output;
        EXPECT_NE(output.find("VORN package entry point"), std::string::npos) << c.label;
    }
    // A missing attribute is only a warning, shown from verbosity 2 up.
    int saved_options = ncopts;
    ncopts = 0;
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vrattget1(fd_, var_, "missing", NC_DOUBLE, &value), -1);
        EXPECT_FALSE(has_message(err.finish(), "Attribute 'missing' not found"));
    }
    int saved_level = vrlog_set_verbosity(2);
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vrattgetstr(fd_, var_, "missing", sizeof(text), text), nullptr);
        EXPECT_TRUE(has_message(err.finish(), "Attribute 'missing' not found"));
    }
    vrlog_set_verbosity(saved_level);
    ncopts = saved_options;
}

INSTANTIATE_TEST_SUITE_P(Attributes, VornAttrTest, ::testing::Values(1, 2), version_name);

} // namespace
