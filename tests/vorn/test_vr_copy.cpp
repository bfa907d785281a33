// Copying attributes, definitions and values between files, in every pairing
// of the two versions.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

class VornCopyTest : public VornFileTest,
                     public ::testing::WithParamInterface<std::tuple<int, int>> {
  protected:
    int from_version() const { return std::get<0>(GetParam()); }
    int to_version() const { return std::get<1>(GetParam()); }

    // The input: an unsigned image over three dimensions with attributes,
    // a scalar group variable and global attributes.
    int make_input() {
        int fd = create(from_version(), "in");
        int dims[] = {VR2dimdef(fd, "zspace", 3), VR2dimdef(fd, "yspace", 40),
                      VR2dimdef(fd, "xspace", 50)};
        int image = VR2vardef(fd, "image", NC_SHORT, 3, dims);
        EXPECT_EQ(vrattputstr(fd, image, "signtype", "unsigned"), 0);
        EXPECT_EQ(vrattputstr(fd, image, "units", "counts"), 0);
        double range[2] = {0, 65535};
        EXPECT_GE(VR2attput(fd, image, "valid_range", NC_DOUBLE, 2, range), 0);
        int group = VR2vardef(fd, "acquisition", NC_INT, 0, nullptr);
        EXPECT_EQ(vrattputdbl(fd, group, "repetition_time", 2.5), 0);
        EXPECT_EQ(vrattputstr(fd, NC_GLOBAL, "history", "first"), 0);
        EXPECT_GE(VR2endef(fd), 0);
        values_.resize(3 * 40 * 50);
        for (size_t i = 0; i < values_.size(); i++)
            values_[i] = static_cast<unsigned short>(i * 7);
        long start[3] = {0, 0, 0}, count[3] = {3, 40, 50};
        EXPECT_EQ(VR2varput(fd, image, start, count, values_.data()), 0);
        int one = 1;
        EXPECT_EQ(VR2varput(fd, group, nullptr, nullptr, &one), 0);
        return fd;
    }
    std::vector<unsigned short> values_;
};

TEST_P(VornCopyTest, DefinitionsAttributesAndValuesArriveWhole) {
    int in = make_input();
    int out = create(to_version(), "out");
    ASSERT_GE(out, 0);
    ASSERT_EQ(vrcopy_all_var_defs(in, out, 0, nullptr), 0);
    ASSERT_GE(VR2endef(out), 0);
    ASSERT_EQ(vrcopy_all_var_values(in, out, 0, nullptr), 0);
    ASSERT_EQ(vrclose(out), 0);
    ASSERT_EQ(vrclose(in), 0);

    out = vropen(dir.file("out").c_str(), NC_NOWRITE);
    ASSERT_GE(out, 0);
    int image = VR2varid(out, "image");
    ASSERT_GE(image, 0);
    long sizes[3];
    ASSERT_EQ(vrvarsize(out, image, sizes), 0);
    EXPECT_EQ(std::vector<long>(sizes, sizes + 3), (std::vector<long>{3, 40, 50}));
    std::vector<unsigned short> copied(values_.size());
    long start[3] = {0, 0, 0}, count[3] = {3, 40, 50};
    ASSERT_EQ(vrvarget(out, image, start, count, NC_SHORT, "unsigned", copied.data()), 0);
    EXPECT_EQ(copied, values_);
    char text[32];
    EXPECT_STREQ(vrattgetstr(out, image, "signtype", sizeof(text), text), "unsigned");
    EXPECT_STREQ(vrattgetstr(out, image, "units", sizeof(text), text), "counts");
    EXPECT_STREQ(vrattgetstr(out, NC_GLOBAL, "history", sizeof(text), text), "first");
    double tr = 0;
    ASSERT_EQ(vrattget1(out, VR2varid(out, "acquisition"), "repetition_time", NC_DOUBLE, &tr), 0);
    EXPECT_EQ(tr, 2.5);
    EXPECT_EQ(vrclose(out), 0);

    if (to_version() == 1) {
        std::string cdl = ncdump("out", "-h");
        EXPECT_NE(cdl.find("short image(zspace, yspace, xspace)"), std::string::npos) << cdl;
    } else {
        std::string dump = h5dump("out", {"-A"});
        EXPECT_NE(dump.find("H5T_STD_U16LE"), std::string::npos) << dump;
        EXPECT_NE(dump.find("\"zspace,yspace,xspace\""), std::string::npos) << dump;
    }
}

TEST_P(VornCopyTest, ExcludedVariablesAndGlobalsStayBehind) {
    int in = make_input();
    int out = create(to_version(), "out");
    int excluded[] = {VR2varid(in, "acquisition"), NC_GLOBAL};
    ASSERT_EQ(vrcopy_all_var_defs(in, out, 2, excluded), 0);
    ASSERT_GE(VR2endef(out), 0);
    ASSERT_EQ(vrcopy_all_var_values(in, out, 2, excluded), 0);
    int saved = ncopts;
    ncopts = 0;
    EXPECT_LT(VR2varid(out, "acquisition"), 0);
    EXPECT_LT(VR2attinq(out, NC_GLOBAL, "history", nullptr, nullptr), 0);
    ncopts = saved;
    EXPECT_GE(VR2varid(out, "image"), 0);
    EXPECT_EQ(vrclose(out), 0);
    EXPECT_EQ(vrclose(in), 0);
}

TEST_P(VornCopyTest, ExistingAttributesAreKeptButSigntypeIsReplaced) {
    int in = make_input();
    int out = create(to_version(), "out");
    int dims[] = {VR2dimdef(out, "xspace", 50)};
    int target = VR2vardef(out, "image", NC_SHORT, 1, dims);
    ASSERT_EQ(vrattputstr(out, target, "units", "mm"), 0);
    ASSERT_EQ(vrattputstr(out, target, "signtype", "signed__"), 0);
    int source = VR2varid(in, "image");
    ASSERT_EQ(vrcopy_all_atts(in, source, out, target), 0);
    char text[32];
    EXPECT_STREQ(vrattgetstr(out, target, "units", sizeof(text), text), "mm");
    EXPECT_STREQ(vrattgetstr(out, target, "signtype", sizeof(text), text), "unsigned");

    // Between a variable and the global attributes nothing moves.
    ASSERT_EQ(vrcopy_all_atts(in, source, out, NC_GLOBAL), 0);
    ASSERT_EQ(vrcopy_all_atts(in, NC_GLOBAL, out, target), 0);
    int saved = ncopts;
    ncopts = 0;
    EXPECT_LT(VR2attinq(out, NC_GLOBAL, "valid_range", nullptr, nullptr), 0);
    EXPECT_LT(VR2attinq(out, target, "history", nullptr, nullptr), 0);
    ncopts = saved;
    EXPECT_EQ(vrclose(out), 0);
    EXPECT_EQ(vrclose(in), 0);
}

TEST_P(VornCopyTest, ConflictsAreNumberedMessages) {
    int in = make_input();
    int out = create(to_version(), "out");
    VR2dimdef(out, "xspace", 51);
    int other = VR2vardef(out, "other", NC_DOUBLE, 0, nullptr);
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vrcopy_var_def(in, VR2varid(in, "image"), out), -1);
        EXPECT_TRUE(has_message(err.finish(), "Variable already defined with different size"));
    }
    ASSERT_GE(VR2endef(out), 0);
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vrcopy_var_values(in, VR2varid(in, "acquisition"), out, other), -1);
        EXPECT_TRUE(has_message(err.finish(), "Variables do not match for value copy"));
    }
    {
        int saved = ncopts;
        ncopts = 0;
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vrcopy_all_var_values(in, out, 0, nullptr), -1);
        EXPECT_TRUE(has_message(err.finish(), "Variable 'image' not copied"));
        ncopts = saved;
    }
    EXPECT_EQ(vrclose(out), 0);
    EXPECT_EQ(vrclose(in), 0);
}

INSTANTIATE_TEST_SUITE_P(Copies, VornCopyTest,
                         ::testing::Values(std::make_tuple(1, 2), std::make_tuple(2, 1),
                                           std::make_tuple(1, 1), std::make_tuple(2, 2)),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>> &info) {
                             return "From" + std::to_string(std::get<0>(info.param)) + "To" +
                                    std::to_string(std::get<1>(info.param));
                         });

} // namespace
