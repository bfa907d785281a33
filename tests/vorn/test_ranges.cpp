// Stored type and sign of variables, their valid ranges (attributes and
// type defaults), and the real range of an image, in files of both versions.

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

TEST(VornDefaultRange, EachTypeAndSignHasItsWholeRange) {
    struct {
        nc_type type;
        int is_signed;
        double low, high;
    } cases[] = {{NC_BYTE, TRUE, -128, 127},
                 {NC_BYTE, FALSE, 0, 255},
                 {NC_SHORT, TRUE, -32768, 32767},
                 {NC_SHORT, FALSE, 0, 65535},
                 {NC_INT, TRUE, -2147483648.0, 2147483647.0},
                 {NC_INT, FALSE, 0, 4294967295.0},
                 {NC_FLOAT, TRUE, -3.4028234663852886e+38, 3.4028234663852886e+38},
                 {NC_FLOAT, FALSE, -3.4028234663852886e+38, 3.4028234663852886e+38},
                 {NC_DOUBLE, FALSE, -1.7976931348623157e+308, 1.7976931348623157e+308},
                 {NC_CHAR, TRUE, 0, 1},
                 {static_cast<nc_type>(42), FALSE, 0, 1}};
    for (const auto &c : cases) {
        double range[2] = {-1, -1};
        EXPECT_EQ(vrget_default_range(c.type, c.is_signed, range), 0);
        EXPECT_EQ(range[0], c.low) << c.type << " " << c.is_signed;
        EXPECT_EQ(range[1], c.high) << c.type << " " << c.is_signed;
        int sign = c.is_signed ? VR_PRIV_SIGNED : VR_PRIV_UNSIGNED;
        EXPECT_EQ(VR_get_default_range("valid_min", c.type, sign), c.low);
        EXPECT_EQ(VR_get_default_range("valid_max", c.type, sign), c.high);
    }
    // The default sign is the type's.
    EXPECT_EQ(VR_get_default_range("valid_min", NC_SHORT, VR_PRIV_DEFSIGN), -32768);
    EXPECT_EQ(VR_get_default_range("valid_max", NC_BYTE, VR_PRIV_DEFSIGN), 255);
    StreamCapture err(STDERR_FILENO);
    VR_get_default_range("valid_middle", NC_SHORT, VR_PRIV_SIGNED);
    EXPECT_NE(err.finish().find("VORN bug - this line should never be printed"), std::string::npos);
}

class RangeTest : public VornBothVersions {
  protected:
    void SetUp() override {
        VornBothVersions::SetUp();
        fd_ = create(version(), "ranges.vr");
        ASSERT_GE(fd_, 0);
        dims_[0] = VR2dimdef(fd_, "zspace", 2);
        dims_[1] = VR2dimdef(fd_, "xspace", 3);
    }
    void TearDown() override {
        EXPECT_EQ(vrclose(fd_), 0);
        VornBothVersions::TearDown();
    }
    // A variable of the type with, when given, "signtype" and numeric
    // attributes of doubles.
    int define(const char *name, nc_type type, const char *sign,
               std::vector<std::pair<const char *, std::vector<double>>> atts = {}) {
        int var = VR2vardef(fd_, name, type, 2, dims_);
        EXPECT_GE(var, 0);
        if (sign != nullptr) {
            EXPECT_EQ(vrattputstr(fd_, var, "signtype", sign), 0);
        }
        for (const auto &att : atts)
            EXPECT_GE(VR2attput(fd_, var, att.first, NC_DOUBLE, static_cast<int>(att.second.size()),
                                att.second.data()),
                      0);
        return var;
    }
    std::vector<double> valid_range(int var) {
        double range[2] = {-1, -1};
        EXPECT_EQ(vrget_valid_range(fd_, var, range), 0);
        return {range[0], range[1]};
    }
    int fd_ = -1;
    int dims_[2] = {-1, -1};
};

TEST_P(RangeTest, SignComesFromSigntype) {
    struct {
        nc_type type;
        const char *sign;
        int is_signed;
    } cases[] = {{NC_SHORT, nullptr, TRUE},
                 {NC_INT, "unsigned", FALSE},
                 {NC_BYTE, "signed__", TRUE},
                 {NC_SHORT, "unsigned", FALSE},
                 {NC_DOUBLE, nullptr, TRUE}};
    int number = 0;
    for (const auto &c : cases) {
        int var = define(("v" + std::to_string(number++)).c_str(), c.type, c.sign);
        nc_type type;
        int is_signed = -1;
        ASSERT_EQ(vrget_datatype(fd_, var, &type, &is_signed), 0);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(is_signed, c.is_signed) << c.type << " " << (c.sign ? c.sign : "none");
    }
    // Bytes without a sign are unsigned (version 2 datasets always carry one).
    if (version() == 1) {
        int var = define("plain_byte", NC_BYTE, nullptr);
        int is_signed = -1;
        ASSERT_EQ(vrget_datatype(fd_, var, nullptr, &is_signed), 0);
        EXPECT_FALSE(is_signed);
    }
}

TEST_P(RangeTest, ValidRangeFromAttributesOrTheType) {
    struct {
        const char *name;
        nc_type type;
        const char *sign;
        std::vector<std::pair<const char *, std::vector<double>>> atts;
        std::vector<double> expected;
    } cases[] = {
        {"reversed", NC_BYTE, "unsigned", {{"valid_range", {255, 0}}}, {0, 255}},
        {"truncated", NC_SHORT, "signed__", {{"valid_range", {10.7, -3.2}}}, {-3, 10}},
        {"only_max", NC_SHORT, nullptr, {{"valid_max", {100}}}, {-32768, 100}},
        {"max_and_min", NC_INT, "unsigned", {{"valid_max", {7}}, {"valid_min", {3}}}, {3, 7}},
        // A "valid_range" of three values is not one.
        {"three", NC_SHORT, nullptr, {{"valid_range", {1, 2, 3}}}, {-32768, 32767}},
        {"none", NC_SHORT, "unsigned", {}, {0, 65535}},
        {"single", NC_FLOAT, nullptr, {{"valid_range", {0.1, 1e39}}}, {0.1f, FLT_MAX}},
        {"dbl", NC_DOUBLE, nullptr, {{"valid_range", {0.1, 1e39}}}, {0.1, 1e39}},
    };
    for (const auto &c : cases) {
        int var = define(c.name, c.type, c.sign, c.atts);
        EXPECT_EQ(valid_range(var), c.expected) << c.name;
    }
}

TEST_P(RangeTest, SettingTheValidRangeUsesTheVariablesPrecision) {
    int single = define("single", NC_FLOAT, nullptr);
    int shrt = define("short", NC_SHORT, nullptr);
    const double range[2] = {-1.5, 2.25};
    ASSERT_EQ(vrset_valid_range(fd_, single, range), 0);
    ASSERT_EQ(vrset_valid_range(fd_, shrt, range), 0);
    nc_type type;
    int length;
    ASSERT_GE(VR2attinq(fd_, single, "valid_range", &type, &length), 0);
    EXPECT_EQ(type, NC_FLOAT);
    EXPECT_EQ(length, 2);
    ASSERT_GE(VR2attinq(fd_, shrt, "valid_range", &type, &length), 0);
    EXPECT_EQ(type, NC_DOUBLE);
    EXPECT_EQ(valid_range(single), (std::vector<double>{-1.5, 2.25}));
    EXPECT_EQ(valid_range(shrt), (std::vector<double>{-1, 2}));
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(vrset_valid_range(fd_, 4321, range), -1);
    err.finish();
}

// An image with or without slice ranges.
class ImageRangeTest : public VornBothVersions {
  protected:
    int make(const std::string &name, nc_type type, bool slice_ranges,
             const double *valid_range = nullptr) {
        int fd = create(version(), name);
        int z = VR2dimdef(fd, "zspace", 2);
        int dims[3] = {z, VR2dimdef(fd, "yspace", 2), VR2dimdef(fd, "xspace", 3)};
        int image = vrcreate_std_variable(fd, "image", type, 3, dims);
        EXPECT_GE(image, 0);
        if (valid_range != nullptr) {
            EXPECT_EQ(vrset_valid_range(fd, image, valid_range), 0);
        }
        if (slice_ranges) {
            EXPECT_GE(vrcreate_std_variable(fd, "image-min", NC_DOUBLE, 1, &z), 0);
            EXPECT_GE(vrcreate_std_variable(fd, "image-max", NC_DOUBLE, 1, &z), 0);
        }
        EXPECT_GE(VR2endef(fd), 0);
        return fd;
    }
    std::vector<double> range_of(int fd) {
        double range[2] = {-1, -1};
        EXPECT_EQ(vrget_image_range(fd, range), 0);
        return {range[0], range[1]};
    }
};

TEST_P(ImageRangeTest, RangeOfTheSliceRangesOrOfTheType) {
    int fd = make("short.vr", NC_SHORT, false);
    EXPECT_EQ(range_of(fd), (std::vector<double>{0, 1}));
    EXPECT_EQ(vrclose(fd), 0);

    fd = make("float.vr", NC_FLOAT, false);
    EXPECT_EQ(range_of(fd), (std::vector<double>{0, 1}));
    EXPECT_EQ(vrclose(fd), 0);

    const double valid[2] = {-5, 5};
    fd = make("float_valid.vr", NC_FLOAT, false, valid);
    EXPECT_EQ(range_of(fd), (std::vector<double>{-5, 5}));
    EXPECT_EQ(vrclose(fd), 0);

    for (nc_type type : {NC_SHORT, NC_FLOAT}) {
        fd = make("slices" + std::to_string(type) + ".vr", type, true);
        long start = 0, count = 2;
        const double mins[2] = {1, 2}, maxs[2] = {10, 20.1};
        ASSERT_EQ(vrvarput(fd, VR2varid(fd, "image-min"), &start, &count, NC_DOUBLE, nullptr, mins),
                  0);
        ASSERT_EQ(vrvarput(fd, VR2varid(fd, "image-max"), &start, &count, NC_DOUBLE, nullptr, maxs),
                  0);
        // A float image has single-precision ends.
        double high = type == NC_FLOAT ? static_cast<float>(20.1) : 20.1;
        EXPECT_EQ(range_of(fd), (std::vector<double>{1, high})) << type;
        EXPECT_EQ(vrclose(fd), 0);
    }

    fd = create(version(), "no_image.vr");
    double range[2];
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(vrget_image_range(fd, range), -1);
    err.finish();
    EXPECT_EQ(vrclose(fd), 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, RangeTest, ::testing::Values(1, 2), version_name);
INSTANTIATE_TEST_SUITE_P(Versions, ImageRangeTest, ::testing::Values(1, 2), version_name);

} // namespace
