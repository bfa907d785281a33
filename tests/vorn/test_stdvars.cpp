// Standard variables of both versions with their identifying attributes,
// the parent, child and pointer links between them, and the history text.
// Version 2 files keep no "parent", "children", pointer or "_FillValue"
// attributes, so those are checked in version 1 files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

// A fresh file of the fixture's version, with helpers to read it.
template <typename Base> class StdVarFile : public Base {
  protected:
    void SetUp() override {
        Base::SetUp();
        fd_ = this->create(file_version(), "std.vr");
        ASSERT_GE(fd_, 0);
    }
    void TearDown() override {
        EXPECT_EQ(vrclose(fd_), 0);
        Base::TearDown();
    }
    virtual int file_version() const = 0;
    int dim(const char *name, long length = 4) { return VR2dimdef(fd_, name, length); }

    // A text attribute, or "<none>".
    std::string text(int varid, const char *name) {
        char value[1024];
        return vrattgetstr(fd_, varid, name, sizeof(value), value) != nullptr ? value : "<none>";
    }
    // Runs a creation that must fail and answers what it wrote.
    template <typename F> std::string failure(F create_call) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(create_call(), -1);
        return err.finish();
    }
    int fd_ = -1;
};

class StdVarTest : public StdVarFile<VornBothVersions> {
  protected:
    int file_version() const override { return version(); }
};

// Version 2 files keep no "children" and keep fill values in the datasets.
class StdVarVersion1Test : public StdVarFile<VornFileTest> {
  protected:
    int file_version() const override { return 1; }
};

TEST_P(StdVarTest, DimensionVariablesDescribeTheirAxis) {
    struct {
        const char *name;
        int ndims;
        const char *comments, *spacing, *alignment;
    } cases[] = {
        {"xspace", 0, "X increases from patient left to right", "regular__", "centre"},
        {"yspace", 1, "Y increases from patient posterior to anterior", "irregular", "centre"},
        {"zspace", 0, "Z increases from patient inferior to superior", "regular__", "centre"},
        {"time", 1, "<none>", "irregular", "start_"},
        {"zfrequency", 0, "<none>", "regular__", "centre"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int own = dim(c.name);
        int var = vrcreate_std_variable(fd_, c.name, NC_DOUBLE, c.ndims, &own);
        ASSERT_GE(var, 0);
        EXPECT_EQ(text(var, "varid"), "VORN standard variable");
        EXPECT_EQ(text(var, "version"), "VORN Version    1.0");
        EXPECT_EQ(text(var, "vartype"), "dimension____");
        EXPECT_EQ(text(var, "comments"), c.comments);
        EXPECT_EQ(text(var, "spacing"), c.spacing);
        EXPECT_EQ(text(var, "alignment"), c.alignment);
    }
    int width_dim = dim("tfrequency");
    int width = vrcreate_std_variable(fd_, "tfrequency-width", NC_DOUBLE, 1, &width_dim);
    ASSERT_GE(width, 0);
    EXPECT_EQ(text(width, "vartype"), "dim-width____");
    EXPECT_EQ(text(width, "filtertype"), "square____");
    EXPECT_EQ(text(width, "spacing"), "irregular");

    int two[2] = {width_dim, width_dim};
    EXPECT_NE(failure([&] {
                  return vrcreate_std_variable(fd_, "tfrequency", NC_DOUBLE, 2, two);
              }).find("Can't use more than 1 dimensions"),
              std::string::npos);
    EXPECT_NE(failure([&] {
                  return vrcreate_std_variable(fd_, "xspace-width", NC_DOUBLE, 2, two);
              }).find("Can't use more than 1 dimensions"),
              std::string::npos);
    // Without a dimension of its name.
    failure([&] { return vrcreate_std_variable(fd_, "xfrequency", NC_DOUBLE, 0, nullptr); });
    failure([&] { return vrcreate_std_variable(fd_, "yfrequency-width", NC_DOUBLE, 0, nullptr); });
    EXPECT_NE(failure([&] {
                  return vrcreate_std_variable(fd_, "brain", NC_DOUBLE, 0, nullptr);
              }).find("Variable 'brain' is not a standard VORN variable"),
              std::string::npos);
}

TEST_P(StdVarTest, GroupVariablesAreIntegerScalarsUnderTheRoot) {
    // Version 2 files always have their root variable.
    EXPECT_EQ(vrvar_exists(fd_, "rootvariable"), version() == 2);
    int dims[2] = {dim("xspace"), dim("yspace")};
    int patient = vrcreate_std_variable(fd_, "patient", NC_DOUBLE, 2, dims);
    int study = vrcreate_group_variable(fd_, "study");
    int acquisition = vrcreate_group_variable(fd_, "acquisition");
    ASSERT_GE(patient, 0);
    ASSERT_GE(study, 0);
    ASSERT_GE(acquisition, 0);
    EXPECT_TRUE(vrvar_exists(fd_, "rootvariable"));
    EXPECT_FALSE(vrvar_exists(fd_, "image"));

    nc_type type;
    int ndims = -1;
    ASSERT_GE(VR2varinq(fd_, patient, nullptr, &type, &ndims, nullptr, nullptr), 0);
    EXPECT_EQ(type, NC_INT);
    EXPECT_EQ(ndims, 0);
    EXPECT_EQ(text(patient, "vartype"), "group________");
    if (version() == 1) {
        int root = VR2varid(fd_, "rootvariable");
        EXPECT_EQ(text(root, "children"), "patient\nstudy\nacquisition");
        EXPECT_EQ(text(root, "parent"), "");
        EXPECT_EQ(text(root, "vartype"), "group________");
        EXPECT_EQ(text(study, "parent"), "rootvariable");
    }
}

TEST_P(StdVarTest, ImageAndItsSliceRangesPointAtEachOther) {
    int dims[3] = {dim("zspace"), dim("yspace"), dim("xspace")};
    int image = vrcreate_std_variable(fd_, "image", NC_SHORT, 3, dims);
    ASSERT_GE(image, 0);
    EXPECT_EQ(text(image, "vartype"), "group________");
    int imax = vrcreate_std_variable(fd_, "image-max", NC_DOUBLE, 1, dims);
    ASSERT_GE(imax, 0);
    EXPECT_EQ(text(imax, "vartype"), "var_attribute");
    EXPECT_NE(failure([&] {
                  return vrcreate_std_variable(fd_, "image-min", NC_DOUBLE, 1, &dims[1]);
              }).find("Imagemax/min dimensions vary over image dimensions"),
              std::string::npos);
    int imin = vrcreate_std_variable(fd_, "image-min", NC_DOUBLE, 1, dims);
    ASSERT_GE(imin, 0);
    if (version() == 1) {
        EXPECT_EQ(text(image, "image-max"), "--->image-max");
        EXPECT_EQ(text(image, "image-min"), "--->image-min");
        EXPECT_EQ(vrattget_pointer(fd_, image, "image-max"), imax);
        EXPECT_EQ(vrattget_pointer(fd_, image, "image-min"), imin);
        EXPECT_EQ(text(imax, "parent"), "image");
        double fill = -1;
        ASSERT_EQ(vrattget1(fd_, imax, "_FillValue", NC_DOUBLE, &fill), 0);
        EXPECT_EQ(fill, 1.0);
        EXPECT_NE(failure([&] {
                      return vrattget_pointer(fd_, image, "vartype");
                  }).find("Attribute 'vartype' is not a pointer"),
                  std::string::npos);
    }
}

TEST_P(StdVarTest, ImageMadeAfterItsRangesGetsThePointers) {
    int dims[3] = {dim("zspace"), dim("yspace"), dim("xspace")};
    int imax = vrcreate_std_variable(fd_, "image-max", NC_FLOAT, 1, dims);
    int imin = vrcreate_std_variable(fd_, "image-min", NC_FLOAT, 1, dims);
    int image = vrcreate_std_variable(fd_, "image", NC_BYTE, 3, dims);
    ASSERT_GE(imax, 0);
    ASSERT_GE(imin, 0);
    ASSERT_GE(image, 0);
    if (version() == 1) {
        EXPECT_EQ(vrattget_pointer(fd_, image, "image-max"), imax);
        EXPECT_EQ(vrattget_pointer(fd_, image, "image-min"), imin);
        EXPECT_EQ(text(imin, "parent"), "image");
    }
}

TEST_P(StdVarTest, VectorImagesHaveThreeImageDimensions) {
    int dims[4] = {dim("zspace"), dim("yspace"), dim("xspace"), dim("vector_dimension", 3)};
    int image = vrcreate_std_variable(fd_, "image", NC_BYTE, 4, dims);
    ASSERT_GE(image, 0);
    EXPECT_NE(failure([&] {
                  return vrcreate_std_variable(fd_, "image-min", NC_FLOAT, 1, &dims[1]);
              }).find("Imagemax/min dimensions vary over image dimensions"),
              std::string::npos);
    EXPECT_GE(vrcreate_std_variable(fd_, "image-min", NC_FLOAT, 1, dims), 0);
}

TEST_F(StdVarVersion1Test, RangeFillValuesTakeTheVariablesType) {
    struct {
        nc_type type;
        const char *name;
        double fill;
    } cases[] = {{NC_BYTE, "image-min", 0},
                 {NC_SHORT, "image-max", 1},
                 {NC_INT, "image-min", 0},
                 {NC_FLOAT, "image-max", 1},
                 {NC_DOUBLE, "image-max", 1}};
    int file_number = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.name);
        int fd = create(1, "fill" + std::to_string(file_number++) + ".vr");
        int var = vrcreate_std_variable(fd, c.name, c.type, 0, nullptr);
        ASSERT_GE(var, 0);
        nc_type type;
        int length = 0;
        ASSERT_GE(VR2attinq(fd, var, "_FillValue", &type, &length), 0);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(length, 1);
        double fill = -1;
        ASSERT_EQ(vrattget1(fd, var, "_FillValue", NC_DOUBLE, &fill), 0);
        EXPECT_EQ(fill, c.fill);
        EXPECT_EQ(vrclose(fd), 0);
    }
}

TEST_F(StdVarVersion1Test, ChildrenAreWholeNamesOnceEach) {
    int x = dim("xspace");
    int parent = VR2vardef(fd_, "parent", NC_INT, 0, nullptr);
    std::string long_name(200, 'n');
    int image = VR2vardef(fd_, "image", NC_INT, 1, &x);
    int age = VR2vardef(fd_, "age", NC_INT, 0, nullptr);
    int longer = VR2vardef(fd_, long_name.c_str(), NC_INT, 0, nullptr);
    ASSERT_GE(longer, 0);
    ASSERT_EQ(vradd_child(fd_, parent, image), 0);
    ASSERT_EQ(vradd_child(fd_, parent, age), 0); // a part of "image", still a new child
    ASSERT_EQ(vradd_child(fd_, parent, image), 0);
    ASSERT_EQ(vradd_child(fd_, parent, longer), 0);
    ASSERT_EQ(vradd_child(fd_, parent, longer), 0);
    EXPECT_EQ(text(parent, "children"), "image\nage\n" + long_name);
    EXPECT_EQ(text(longer, "parent"), "parent");
}

TEST_P(StdVarTest, HistoryGrowsByLines) {
    ASSERT_EQ(vrappend_history(fd_, "first"), 0);
    EXPECT_EQ(text(NC_GLOBAL, "history"), "first");
    ASSERT_EQ(vrappend_history(fd_, "second\n"), 0);
    EXPECT_EQ(text(NC_GLOBAL, "history"), "first\nsecond\n");
    ASSERT_EQ(vrappend_history(fd_, "third"), 0);
    EXPECT_EQ(text(NC_GLOBAL, "history"), "first\nsecond\nthird");
    EXPECT_STREQ(vrget_version(), "2.0.09");
}

INSTANTIATE_TEST_SUITE_P(Versions, StdVarTest, ::testing::Values(1, 2), version_name);

} // namespace
