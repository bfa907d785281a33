// Bad input and limits of version 2 files: damaged or foreign files, full
// registries, names that do not fit, calls on unknown or read-only files.
// Every test also checks (in the fixture) that no HDF5 handle is left open.

#include <gtest/gtest.h>

#include <string>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

class HdfLimitsTest : public VornFileTest {
  public:
    std::string path(const std::string &name) const { return dir.file(name); }
    // A valid version 2 file with one image; answers its bytes.
    std::string make_valid(const std::string &name) {
        int fd = create(2, name);
        int dims[] = {VR2dimdef(fd, "xspace", 64)};
        int image = VR2vardef(fd, "image", NC_DOUBLE, 1, dims);
        double values[64] = {};
        long start = 0, count = 64;
        EXPECT_EQ(VR2varput(fd, image, &start, &count, values), 0);
        EXPECT_EQ(vrclose(fd), 0);
        return read_file(dir.file(name));
    }
};

// A file that is no VORN file is refused with the numbered message and the
// entry point line, and leaves nothing open.
struct bad_file_case {
    const char *label;
    std::string (*make)(HdfLimitsTest *test, const std::string &path);
};

std::string garbage(HdfLimitsTest *, const std::string &) {
    return "this is not a volume\n";
}

std::string empty(HdfLimitsTest *, const std::string &) {
    return "";
}

std::string truncated_hdf5(HdfLimitsTest *test, const std::string &) {
    return test->make_valid("whole.h5").substr(0, 900);
}

std::string truncated_netcdf(HdfLimitsTest *test, const std::string &) {
    int fd = vrcreate(test->path("whole.nc").c_str(), VR_CREATE_V1);
    VR2dimdef(fd, "xspace", 4);
    vrclose(fd);
    return read_file(test->path("whole.nc")).substr(0, 20);
}

std::string hdf5_without_group(HdfLimitsTest *test, const std::string &) {
    std::string path = test->path("foreign.h5");
    hid_t file = H5Fcreate(path.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
    H5Gclose(H5Gcreate2(file, "/other", H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT));
    H5Fclose(file);
    return read_file(path);
}

std::string dimension_without_length(HdfLimitsTest *test, const std::string &) {
    std::string path = test->path("nolength.h5");
    int fd = vrcreate(path.c_str(), VR_CREATE_V2);
    vrclose(fd);
    hid_t file = H5Fopen(path.c_str(), H5F_ACC_RDWR, H5P_DEFAULT);
    hid_t space = H5Screate(H5S_SCALAR);
    H5Dclose(H5Dcreate2(file, "/vorn-2.0/dimensions/xspace", H5T_STD_I32LE, space, H5P_DEFAULT,
                        H5P_DEFAULT, H5P_DEFAULT));
    H5Sclose(space);
    H5Fclose(file);
    return read_file(path);
}

std::string unusable_type(HdfLimitsTest *test, const std::string &) {
    std::string path = test->path("int64.h5");
    int fd = vrcreate(path.c_str(), VR_CREATE_V2);
    vrclose(fd);
    hid_t file = H5Fopen(path.c_str(), H5F_ACC_RDWR, H5P_DEFAULT);
    hid_t space = H5Screate(H5S_SCALAR);
    H5Dclose(H5Dcreate2(file, "/vorn-2.0/info/counter", H5T_STD_I64LE, space, H5P_DEFAULT,
                        H5P_DEFAULT, H5P_DEFAULT));
    H5Sclose(space);
    H5Fclose(file);
    return read_file(path);
}

// netCDF-4 files are HDF5 files without the VORN layout: neither version.
std::string netcdf4(HdfLimitsTest *test, const std::string &) {
    std::string path = test->path("netcdf4.nc");
    int ncid, dimid, varid;
    nc_create(path.c_str(), NC_NETCDF4 | NC_CLOBBER, &ncid);
    nc_def_dim(ncid, "xspace", 4, &dimid);
    nc_def_var(ncid, "image", NC_SHORT, 1, &dimid, &varid);
    nc_close(ncid);
    return read_file(path);
}

} // namespace

// The case makers reach the fixture's files through these.
class HdfBadFileTest : public HdfLimitsTest, public ::testing::WithParamInterface<bad_file_case> {};

namespace {

TEST_P(HdfBadFileTest, IsRefusedWithAMessage) {
    std::string path = dir.file(std::string(GetParam().label) + ".vorn");
    write_file(path, GetParam().make(this, path));
    for (int mode : {NC_NOWRITE, NC_WRITE}) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vropen(path.c_str(), mode), -1);
        std::string text = err.finish();
        std::string expected = mode == NC_WRITE
                                   ? "(from vropen): Can't write compressed file\n"
                                   : "(from vropen): Unable to open file '" + path + "'\n";
        EXPECT_NE(text.find(expected), std::string::npos) << text;
        EXPECT_NE(text.find("vropen: VORN package entry point\n"), std::string::npos) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HdfBadFileTest,
    ::testing::Values(bad_file_case{"garbage", garbage}, bad_file_case{"empty", empty},
                      bad_file_case{"truncated_hdf5", truncated_hdf5},
                      bad_file_case{"truncated_netcdf", truncated_netcdf},
                      bad_file_case{"hdf5_without_group", hdf5_without_group},
                      bad_file_case{"dimension_without_length", dimension_without_length},
                      bad_file_case{"unusable_type", unusable_type},
                      bad_file_case{"netcdf4", netcdf4}),
    [](const ::testing::TestParamInfo<bad_file_case> &info) { return info.param.label; });

TEST_F(HdfLimitsTest, RegistryLimitsFailWithAMessage) {
    int fd = create(2, "full.h5");
    ASSERT_GE(fd, 0);
    char name[32];
    for (int i = 0; i < 100; i++) {
        snprintf(name, sizeof(name), "d%d", i);
        ASSERT_EQ(VR2dimdef(fd, name, 2), i);
    }
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(VR2dimdef(fd, "one_too_many", 2), -1);
        EXPECT_TRUE(has_message(err.finish(), "Can't use more than 100 dimensions"));
    }
    int dims[101];
    for (int i = 0; i < 101; i++)
        dims[i] = i % 100;
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(VR2vardef(fd, "wide", NC_BYTE, 101, dims), -1);
        EXPECT_NE(err.finish().find("Can't use more than 100 dimensions"), std::string::npos);
    }
    // The 100 dimensions became 100 variables at the first commit.
    ASSERT_EQ(hdf_enddef(fd), 0);
    for (int i = 100; i < 2000; i++) {
        snprintf(name, sizeof(name), "v%d", i);
        ASSERT_EQ(VR2vardef(fd, name, NC_BYTE, 0, nullptr), i);
    }
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(VR2vardef(fd, "v2000", NC_BYTE, 0, nullptr), -1);
    EXPECT_TRUE(has_message(err.finish(), "Can't define variable 'v2000'"));
    EXPECT_EQ(vrclose(fd), 0);
    // Nothing was created for the refused variable.
    EXPECT_EQ(h5dump("full.h5", {"-A"}).find("\"v2000\""), std::string::npos);
}

TEST_F(HdfLimitsTest, NamesThatDoNotFitAreRefused) {
    int fd = create(2, "names.h5");
    std::string longest(127, 'n');
    EXPECT_GE(VR2vardef(fd, longest.c_str(), NC_INT, 0, nullptr), 0);
    for (const std::string &bad : {std::string(128, 'n'), std::string("a/b")}) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(VR2vardef(fd, bad.c_str(), NC_INT, 0, nullptr), -1);
        EXPECT_TRUE(has_message(err.finish(), "Can't define variable '" + bad + "'"));
    }
    for (const char *bad : {"x,y", "a/b", ""}) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(VR2dimdef(fd, bad, 3), -1);
        EXPECT_TRUE(has_message(err.finish(), std::string("Can't define dimension '") + bad + "'"));
    }
    EXPECT_EQ(VR2dimdef(fd, "xspace", 0), -1); // no unlimited dimension
    EXPECT_EQ(VR2dimdef(fd, "xspace", -4), -1);
    EXPECT_EQ(VR2dimdef(fd, "xspace", 4), 0);
    EXPECT_EQ(VR2dimdef(fd, "xspace", 5), -1); // defined already
    EXPECT_EQ(VR2attput(fd, NC_GLOBAL, std::string(128, 'a').c_str(), NC_CHAR, 2, "x"), -1);
    EXPECT_EQ(vrclose(fd), 0);

    fd = vropen(dir.file("names.h5").c_str(), NC_NOWRITE);
    char name[NC_MAX_NAME + 1];
    ASSERT_EQ(VR2varname(fd, VR2varid(fd, longest.c_str()), name), 0);
    EXPECT_EQ(name, longest);
    EXPECT_EQ(vrclose(fd), 0);
}

TEST_F(HdfLimitsTest, UnknownFilesAndVariablesAnswerMinusOne) {
    int fd = create(2, "ids.h5");
    int var = VR2vardef(fd, "acquisition", NC_INT, 0, nullptr);
    ASSERT_GE(var, 0);
    char name[NC_MAX_NAME + 1];
    long length;
    int value = 0;
    EXPECT_EQ(VR2varid(fd, "missing"), -1);
    EXPECT_EQ(VR2dimid(fd, "missing"), -1);
    EXPECT_EQ(VR2varinq(fd, var + 1, name, nullptr, nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(VR2varname(fd, -5, name), -1);
    EXPECT_EQ(VR2diminq(fd, 3, name, &length), -1);
    EXPECT_EQ(VR2attinq(fd, var, "missing", nullptr, nullptr), -1);
    EXPECT_EQ(VR2attget(fd, var, "missing", &value), -1);
    EXPECT_EQ(VR2attname(fd, var, 0, name), -1);
    EXPECT_EQ(VR2attput(fd, var + 7, "units", NC_CHAR, 2, "m"), -1);
    EXPECT_EQ(VR2varget(fd, var + 7, nullptr, nullptr, &value), -1);
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(VR2dimrename(fd, 0, "other"), -1);
        EXPECT_TRUE(has_message(err.finish(), "Function 'dimrename' not implemented"));
    }
    ASSERT_EQ(vrclose(fd), 0);

    // The closed identifier is not a file any more (netCDF's own complaint
    // about it is switched off).
    int saved = ncopts;
    ncopts = 0;
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_LT(vrclose(fd), 0);
        // vrclose reports the failure by message and status only.
        EXPECT_EQ(err.finish(), "(from vrclose): Error closing file\n");
    }
    EXPECT_EQ(VR2varid(fd, "acquisition"), -1);
    EXPECT_EQ(VR2inquire(fd, nullptr, nullptr, nullptr, nullptr), -1);
    ncopts = saved;
}

TEST_F(HdfLimitsTest, ReadOnlyFilesAndBadHyperslabsAreRefused) {
    make_valid("ro.h5");
    int fd = vropen(dir.file("ro.h5").c_str(), NC_NOWRITE);
    ASSERT_GE(fd, 0);
    int image = VR2varid(fd, "image");
    double values[64];
    long start = 0, count = 64;
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_LT(VR2varput(fd, image, &start, &count, values), 0);
        EXPECT_TRUE(has_message(err.finish(), "Can't write dataset /vorn-2.0/image/0/image"));
    }
    EXPECT_EQ(VR2vardef(fd, "other", NC_INT, 0, nullptr), -1);
    EXPECT_EQ(VR2dimdef(fd, "yspace", 3), -1);
    EXPECT_EQ(VR2attput(fd, image, "units", NC_CHAR, 2, "m"), -1);
    EXPECT_EQ(VR2attput(fd, image, "signtype", NC_CHAR, 9, "unsigned"), -1);

    for (auto slab : {std::make_pair(60L, 5L), std::make_pair(-1L, 2L), std::make_pair(0L, -1L)}) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_LT(VR2varget(fd, image, &slab.first, &slab.second, values), 0);
        EXPECT_TRUE(has_message(err.finish(), "Can't read dataset /vorn-2.0/image/0/image"));
    }
    long none = 0;
    EXPECT_EQ(VR2varget(fd, image, &start, &none, values), 0);
    EXPECT_EQ(vrclose(fd), 0);
}

} // namespace

namespace {

TEST_F(HdfLimitsTest, DeclaringAnExistingDatasetChecksItsShape) {
    make_valid("declare.h5");
    int fd = vropen(dir.file("declare.h5").c_str(), NC_WRITE);
    ASSERT_GE(fd, 0);
    hsize_t right[] = {64}, wrong[] = {63}, two[] = {64, 1};
    EXPECT_EQ(hdf_var_declare(fd, "alias", "/vorn-2.0/image/0/image", 1, right), 0);
    int alias = VR2varid(fd, "alias");
    ASSERT_GE(alias, 0);
    double value = -1;
    long at = 5, one = 1;
    ASSERT_EQ(VR2varget(fd, alias, &at, &one, &value), 0);
    EXPECT_EQ(value, 0.0);
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(hdf_var_declare(fd, "bad", "/vorn-2.0/image/0/image", 1, wrong), -1);
    EXPECT_EQ(hdf_var_declare(fd, "bad", "/vorn-2.0/image/0/image", 2, two), -1);
    EXPECT_EQ(hdf_var_declare(fd, "bad", "/vorn-2.0/nowhere", 0, nullptr), -1);
    std::string text = err.finish();
    EXPECT_TRUE(has_message(text, "Can't open dataset /vorn-2.0/nowhere")) << text;
    EXPECT_EQ(VR2varid(fd, "bad"), -1);
    EXPECT_EQ(vrclose(fd), 0);
}

} // namespace

namespace {

// Strings written by another program: a 40-character dataset and an array
// of strings as an attribute. They are reported as text but never moved
// into a buffer sized by that report.
TEST_F(HdfLimitsTest, ForeignStringsNeverOverrunTheCaller) {
    std::string path = dir.file("strings.h5");
    vrclose(vrcreate(path.c_str(), VR_CREATE_V2));
    hid_t file = H5Fopen(path.c_str(), H5F_ACC_RDWR, H5P_DEFAULT);
    hid_t text = H5Tcopy(H5T_C_S1);
    H5Tset_size(text, 40);
    hid_t scalar = H5Screate(H5S_SCALAR);
    hid_t dset = H5Dcreate2(file, "/vorn-2.0/info/note", text, scalar, H5P_DEFAULT, H5P_DEFAULT,
                            H5P_DEFAULT);
    hsize_t two = 2;
    hid_t pair = H5Screate_simple(1, &two, nullptr);
    hid_t attr = H5Acreate2(dset, "names", text, pair, H5P_DEFAULT, H5P_DEFAULT);
    char names[80] = "first";
    H5Awrite(attr, text, names);
    H5Aclose(attr);
    H5Sclose(pair);
    H5Dclose(dset);
    H5Sclose(scalar);
    H5Tclose(text);
    H5Fclose(file);

    int fd = vropen(path.c_str(), NC_NOWRITE);
    ASSERT_GE(fd, 0);
    int note = VR2varid(fd, "note");
    nc_type type;
    int ndims = -1;
    ASSERT_EQ(VR2varinq(fd, note, nullptr, &type, &ndims, nullptr, nullptr), 0);
    EXPECT_EQ(type, NC_CHAR);
    EXPECT_EQ(ndims, 0);
    char one[2] = "#";
    StreamCapture err(STDERR_FILENO);
    EXPECT_LT(VR2varget(fd, note, nullptr, nullptr, one), 0);
    EXPECT_LT(VR2attinq(fd, note, "names", nullptr, nullptr), 0);
    EXPECT_LT(VR2attget(fd, note, "names", one), 0);
    std::string text_out = err.finish();
    EXPECT_TRUE(has_message(text_out, "Can't read dataset /vorn-2.0/info/note")) << text_out;
    EXPECT_TRUE(has_message(text_out, "Can't read attribute 'names'")) << text_out;
    EXPECT_EQ(one[0], '#');
    EXPECT_EQ(vrclose(fd), 0);
}

} // namespace
