// Variables of both versions read and written with conversion between the
// stored type and sign and the caller's, and coordinates between variables.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

class VornVarTest : public VornBothVersions {
  protected:
    void SetUp() override {
        VornBothVersions::SetUp();
        fd_ = create(version(), "variables");
        ASSERT_GE(fd_, 0);
        dims_[0] = VR2dimdef(fd_, "zspace", 20);
        dims_[1] = VR2dimdef(fd_, "yspace", 30);
        dims_[2] = VR2dimdef(fd_, "xspace", 40);
    }
    void TearDown() override {
        EXPECT_EQ(vrclose(fd_), 0);
        VornBothVersions::TearDown();
    }
    // A variable over the given dimensions with an explicit sign.
    int define(const char *name, nc_type type, const char *sign, std::vector<int> dims) {
        int var = VR2vardef(fd_, name, type, static_cast<int>(dims.size()), dims.data());
        EXPECT_GE(var, 0);
        if (sign != nullptr) {
            EXPECT_EQ(vrattputstr(fd_, var, "signtype", sign), 0);
        }
        return var;
    }
    int fd_ = -1;
    int dims_[3] = {-1, -1, -1};
};

TEST_P(VornVarTest, ValuesConvertToAndFromTheStoredTypeAndSign) {
    int ubyte = define("ubyte", NC_BYTE, "unsigned", {dims_[2]});
    int sbyte = define("sbyte", NC_BYTE, "signed__", {dims_[2]});
    ASSERT_GE(VR2endef(fd_), 0);
    const double in[5] = {-5.0, 0.4, 127.5, 255.0, 300.0};
    long start = 0, count = 5;
    ASSERT_EQ(vrvarput(fd_, ubyte, &start, &count, NC_DOUBLE, nullptr, in), 0);
    ASSERT_EQ(vrvarput(fd_, sbyte, &start, &count, NC_DOUBLE, nullptr, in), 0);

    double out[5];
    ASSERT_EQ(vrvarget(fd_, ubyte, &start, &count, NC_DOUBLE, nullptr, out), 0);
    EXPECT_EQ(std::vector<double>(out, out + 5), (std::vector<double>{0, 0, 128, 255, 255}));
    ASSERT_EQ(vrvarget(fd_, sbyte, &start, &count, NC_DOUBLE, nullptr, out), 0);
    EXPECT_EQ(std::vector<double>(out, out + 5), (std::vector<double>{-5, 0, 127, 127, 127}));
    // Asked as unsigned shorts, the signed -5 is clamped to 0.
    unsigned short as_ushort[5];
    ASSERT_EQ(vrvarget(fd_, sbyte, &start, &count, NC_SHORT, "unsigned", as_ushort), 0);
    EXPECT_EQ(as_ushort[0], 0);
    EXPECT_EQ(as_ushort[2], 127);

    long at = 3;
    double one = 17.6;
    ASSERT_EQ(vrvarput1(fd_, ubyte, &at, NC_DOUBLE, nullptr, &one), 0);
    int back = 0;
    ASSERT_EQ(vrvarget1(fd_, ubyte, &at, NC_INT, nullptr, &back), 0);
    EXPECT_EQ(back, 18);
}

TEST_P(VornVarTest, LargeHyperslabsConvertPieceByPiece) {
    int image = define("image", NC_SHORT, "signed__", {dims_[0], dims_[1], dims_[2]});
    ASSERT_GE(VR2endef(fd_), 0);
    std::vector<double> in(20 * 30 * 40);
    for (size_t i = 0; i < in.size(); i++)
        in[i] = static_cast<double>(i) - 12000.0;
    long start[3] = {0, 0, 0}, count[3] = {20, 30, 40};
    ASSERT_EQ(vrvarput(fd_, image, start, count, NC_DOUBLE, nullptr, in.data()), 0);

    std::vector<int> out(in.size());
    ASSERT_EQ(vrvarget(fd_, image, start, count, NC_INT, nullptr, out.data()), 0);
    for (size_t i = 0; i < in.size(); i++)
        ASSERT_EQ(out[i], static_cast<int>(in[i])) << i;
    // A sub-block lands where it belongs.
    long sub_start[3] = {19, 29, 38}, sub_count[3] = {1, 1, 2};
    double last[2];
    ASSERT_EQ(vrvarget(fd_, image, sub_start, sub_count, NC_DOUBLE, nullptr, last), 0);
    EXPECT_EQ(last[1], in.back());
}

TEST_P(VornVarTest, SizesAndCoordinatesBetweenVariables) {
    int image = define("image", NC_SHORT, nullptr, {dims_[0], dims_[1], dims_[2]});
    int image_max = define("image-max", NC_DOUBLE, nullptr, {dims_[0]});
    long sizes[3] = {};
    ASSERT_EQ(vrvarsize(fd_, image, sizes), 0);
    EXPECT_EQ(std::vector<long>(sizes, sizes + 3), (std::vector<long>{20, 30, 40}));

    long image_coords[3] = {7, 8, 9};
    long max_coords[1] = {-1};
    EXPECT_EQ(vrtranslate_coords(fd_, image, image_coords, image_max, max_coords), max_coords);
    EXPECT_EQ(max_coords[0], 7);
    long back[3];
    vrset_coords(3, 5, back);
    EXPECT_EQ(vrtranslate_coords(fd_, image_max, max_coords, image, back), back);
    EXPECT_EQ(std::vector<long>(back, back + 3), (std::vector<long>{7, 5, 5}));

    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(vrtranslate_coords(fd_, 77, image_coords, image, back), nullptr);
    EXPECT_EQ(vrvarsize(fd_, 77, sizes), -1);
    double value = 0;
    long zero[3] = {0, 0, 0}, one[3] = {1, 1, 1};
    EXPECT_EQ(vrvarget(fd_, 77, zero, one, NC_DOUBLE, nullptr, &value), -1);
    std::string text = err.finish();
    EXPECT_TRUE(has_message(text, "Can't find variable ID# 77")) << text;
    EXPECT_TRUE(has_message(text, "Can't read variable ID# 77")) << text;
}

TEST_P(VornVarTest, TextVariablesAreNotNumbers) {
    int text = VR2vardef(fd_, "comment", NC_CHAR, 1, &dims_[2]);
    ASSERT_GE(text, 0);
    ASSERT_GE(VR2endef(fd_), 0);
    double value[40];
    long start = 0, count = 4;
    StreamCapture err(STDERR_FILENO);
    // Asked for as text (version 2 stores text variables as bytes).
    int status = vrvarget(fd_, text, &start, &count, NC_CHAR, nullptr, value);
    EXPECT_EQ(status, -1);
    EXPECT_TRUE(has_message(err.finish(), "Non-numeric datatype"));
}

INSTANTIATE_TEST_SUITE_P(Variables, VornVarTest, ::testing::Values(1, 2), version_name);

} // namespace
