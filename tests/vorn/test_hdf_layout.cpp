// Version 2 files as HDF5 sees them: where datasets go, their dimension
// order, types, signs, compression and chunking, checked with h5dump and the
// HDF5 library directly as well as through the adaptor.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

// Reads a property of a dataset of a closed file with HDF5 itself.
struct dataset_facts {
    bool exists = false;
    H5T_class_t type_class = H5T_NO_CLASS;
    H5T_sign_t sign = H5T_SGN_ERROR;
    size_t type_size = 0;
    std::vector<hsize_t> chunk;
    int deflate_level = -1;
    std::string dimorder;
    long length = -1;
};

dataset_facts inspect(const std::string &file_name, const std::string &path) {
    dataset_facts facts;
    hid_t file = H5Fopen(file_name.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT);
    if (file < 0) return facts;
    H5E_auto2_t func;
    void *data;
    H5Eget_auto2(H5E_DEFAULT, &func, &data);
    H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
    hid_t dset = H5Dopen2(file, path.c_str(), H5P_DEFAULT);
    if (dset >= 0) {
        facts.exists = true;
        hid_t type = H5Dget_type(dset);
        facts.type_class = H5Tget_class(type);
        facts.type_size = H5Tget_size(type);
        if (facts.type_class == H5T_INTEGER) facts.sign = H5Tget_sign(type);
        H5Tclose(type);
        hid_t dcpl = H5Dget_create_plist(dset);
        if (H5Pget_layout(dcpl) == H5D_CHUNKED) {
            facts.chunk.resize(8);
            facts.chunk.resize(static_cast<size_t>(H5Pget_chunk(dcpl, 8, facts.chunk.data())));
        }
        for (int i = 0; i < H5Pget_nfilters(dcpl); i++) {
            unsigned flags, values[4];
            size_t nvalues = 4;
            if (H5Pget_filter2(dcpl, static_cast<unsigned>(i), &flags, &nvalues, values, 0, nullptr,
                               nullptr) == H5Z_FILTER_DEFLATE)
                facts.deflate_level = static_cast<int>(values[0]);
        }
        H5Pclose(dcpl);
        hid_t attr = H5Aopen(dset, "dimorder", H5P_DEFAULT);
        if (attr >= 0) {
            hid_t atype = H5Aget_type(attr);
            std::vector<char> text(H5Tget_size(atype) + 1, '\0');
            H5Aread(attr, atype, text.data());
            facts.dimorder = text.data();
            H5Tclose(atype);
            H5Aclose(attr);
        }
        attr = H5Aopen(dset, "length", H5P_DEFAULT);
        if (attr >= 0) {
            unsigned length = 0;
            H5Aread(attr, H5T_NATIVE_UINT, &length);
            facts.length = length;
            H5Aclose(attr);
        }
        H5Dclose(dset);
    }
    H5Eset_auto2(H5E_DEFAULT, func, data);
    H5Fclose(file);
    return facts;
}

class HdfLayoutTest : public VornFileTest {
  protected:
    // A version 2 file with dimensions xspace 10 and yspace 20.
    int create_with_dimensions(const std::string &name) {
        int fd = create(2, name);
        EXPECT_GE(fd, 0);
        xspace_ = VR2dimdef(fd, "xspace", 10);
        yspace_ = VR2dimdef(fd, "yspace", 20);
        EXPECT_GE(xspace_, 0);
        EXPECT_GE(yspace_, 0);
        return fd;
    }
    int xspace_ = -1, yspace_ = -1;
};

TEST_F(HdfLayoutTest, ImageAndDimensionsGoWhereReadersLookForThem) {
    int fd = create_with_dimensions("layout.h5");
    int dims[] = {xspace_, yspace_};
    int image = VR2vardef(fd, "image", NC_SHORT, 2, dims);
    int acquisition = VR2vardef(fd, "acquisition", NC_INT, 0, nullptr);
    ASSERT_GE(image, 0);
    ASSERT_GE(acquisition, 0);
    ASSERT_EQ(vrclose(fd), 0);

    std::string path = dir.file("layout.h5");
    dataset_facts facts = inspect(path, "/vorn-2.0/image/0/image");
    EXPECT_TRUE(facts.exists);
    EXPECT_EQ(facts.dimorder, "xspace,yspace");
    EXPECT_EQ(facts.type_class, H5T_INTEGER);
    EXPECT_EQ(facts.sign, H5T_SGN_2);
    EXPECT_EQ(facts.type_size, 2u);
    // Dimensions without a variable became scalar datasets at close.
    EXPECT_EQ(inspect(path, "/vorn-2.0/dimensions/xspace").length, 10);
    EXPECT_EQ(inspect(path, "/vorn-2.0/dimensions/yspace").length, 20);
    EXPECT_TRUE(inspect(path, "/vorn-2.0/info/acquisition").exists);

    // The independent reader sees the same.
    std::string dump = h5dump("layout.h5", {"-A"});
    EXPECT_NE(dump.find("GROUP \"vorn-2.0\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"xspace,yspace\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("DATASET \"acquisition\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("H5T_STD_I16LE"), std::string::npos) << dump;

    // Reopened, the registry finds everything again.
    fd = vropen(path.c_str(), NC_NOWRITE);
    ASSERT_GE(fd, 0);
    long length = 0;
    char name[NC_MAX_NAME + 1];
    int x = VR2dimid(fd, "xspace");
    ASSERT_GE(x, 0);
    ASSERT_EQ(VR2diminq(fd, x, name, &length), 0);
    EXPECT_STREQ(name, "xspace");
    EXPECT_EQ(length, 10);
    image = VR2varid(fd, "image");
    nc_type type;
    int ndims, image_dims[4], natts;
    ASSERT_EQ(VR2varinq(fd, image, name, &type, &ndims, image_dims, &natts), 0);
    EXPECT_EQ(type, NC_SHORT);
    ASSERT_EQ(ndims, 2);
    EXPECT_EQ(image_dims[0], x);
    EXPECT_EQ(image_dims[1], VR2dimid(fd, "yspace"));
    EXPECT_GE(VR2varid(fd, "acquisition"), 0);
    EXPECT_EQ(vrclose(fd), 0);
}

TEST_F(HdfLayoutTest, RootVariableIsEmulated) {
    int fd = create(2, "root.h5");
    ASSERT_GE(fd, 0);
    EXPECT_EQ(VR2vardef(fd, "rootvariable", NC_DOUBLE, 0, nullptr), 2001);
    EXPECT_EQ(VR2varid(fd, "rootvariable"), 2001);
    char name[NC_MAX_NAME + 1];
    nc_type type;
    int ndims = -1, natts = -1;
    ASSERT_EQ(VR2varinq(fd, 2001, name, &type, &ndims, nullptr, &natts), 0);
    EXPECT_STREQ(name, "rootvariable");
    EXPECT_EQ(type, NC_INT);
    EXPECT_EQ(ndims, 0);
    EXPECT_EQ(natts, 0);
    // Attributes and values are accepted and kept nowhere.
    EXPECT_EQ(vrattputstr(fd, 2001, "children", "image"), 0);
    int value = 7;
    EXPECT_EQ(VR2varput(fd, 2001, nullptr, nullptr, &value), 0);
    EXPECT_EQ(VR2varget(fd, 2001, nullptr, nullptr, &value), 0);
    EXPECT_EQ(value, 0);
    EXPECT_LT(VR2attinq(fd, 2001, "children", nullptr, nullptr), 0);
    ASSERT_EQ(vrclose(fd), 0);
    EXPECT_FALSE(inspect(dir.file("root.h5"), "/vorn-2.0/info/rootvariable").exists);
}

TEST_F(HdfLayoutTest, TreeLinksAndFillValuesAreNotStored) {
    int fd = create(2, "links.h5");
    int var = VR2vardef(fd, "patient", NC_INT, 0, nullptr);
    ASSERT_GE(var, 0);
    for (const char *name : {"parent", "children", "image-min", "image-max"})
        EXPECT_EQ(VR2attput(fd, var, name, NC_CHAR, 4, "abc"), 0) << name;
    double fill = 1.0;
    EXPECT_EQ(VR2attput(fd, var, "_FillValue", NC_DOUBLE, 1, &fill), 0);
    int natts = -1;
    ASSERT_EQ(VR2varinq(fd, var, nullptr, nullptr, nullptr, nullptr, &natts), 0);
    EXPECT_EQ(natts, 0);
    // The fill value is the dataset's own.
    int stored_fill = -1;
    EXPECT_EQ(VR2attget(fd, var, "_FillValue", &stored_fill), 0);
    EXPECT_EQ(stored_fill, 0);
    EXPECT_LT(VR2attget(fd, NC_GLOBAL, "_FillValue", &stored_fill), 0);
    char sign[16];
    EXPECT_LT(VR2attget(fd, NC_GLOBAL, "signtype", sign), 0);
    EXPECT_EQ(vrclose(fd), 0);
}

TEST_F(HdfLayoutTest, SigntypeFollowsTheTypeAndRewritingKeepsValuesAndAttributes) {
    int fd = create_with_dimensions("sign.h5");
    int dims[] = {xspace_};
    int image = VR2vardef(fd, "image", NC_SHORT, 1, dims);
    ASSERT_GE(image, 0);
    char sign[16] = "";
    ASSERT_EQ(VR2attget(fd, image, "signtype", sign), 1);
    EXPECT_STREQ(sign, "signed__");
    nc_type type;
    int length;
    ASSERT_EQ(VR2attinq(fd, image, "signtype", &type, &length), 1);
    EXPECT_EQ(type, NC_CHAR);
    EXPECT_EQ(length, 9);

    ASSERT_EQ(vrattputstr(fd, image, "signtype", "unsigned"), 0);
    ASSERT_EQ(vrattputstr(fd, image, "units", "mm"), 0);
    unsigned short values[10] = {40000, 1, 65535, 0, 2, 3, 4, 5, 6, 7};
    long start = 0, count = 10;
    ASSERT_EQ(VR2varput(fd, image, &start, &count, values), 0);

    // Changing the sign now must neither lose the values nor the attributes.
    ASSERT_EQ(vrattputstr(fd, image, "signtype", "signed__"), 0);
    short read_back[10] = {};
    ASSERT_EQ(VR2varget(fd, image, &start, &count, read_back), 0);
    EXPECT_EQ(read_back[0], -25536);
    EXPECT_EQ(read_back[1], 1);
    EXPECT_EQ(read_back[2], -1);
    EXPECT_EQ(read_back[9], 7);
    char units[8] = "";
    EXPECT_NE(vrattgetstr(fd, image, "units", sizeof(units), units), nullptr);
    EXPECT_STREQ(units, "mm");
    char dimorder[16] = "";
    EXPECT_STREQ(vrattgetstr(fd, image, "dimorder", sizeof(dimorder), dimorder), "xspace");
    // Values other than the two names are refused; equal signs change nothing.
    EXPECT_LT(VR2attput(fd, image, "signtype", NC_CHAR, 9, "sometimes"), 0);
    EXPECT_EQ(VR2attput(fd, image, "signtype", NC_CHAR, 9, "signed__"), 0);
    ASSERT_EQ(vrclose(fd), 0);

    dataset_facts facts = inspect(dir.file("sign.h5"), "/vorn-2.0/image/0/image");
    EXPECT_EQ(facts.sign, H5T_SGN_2);
    std::string dump = h5dump("sign.h5", {"-d", "/vorn-2.0/image/0/image"});
    EXPECT_NE(dump.find("-25536, 1, -1, 0, 2"), std::string::npos) << dump;
    EXPECT_EQ(h5dump("sign.h5", {"-A"}).find("junk"), std::string::npos);
}

TEST_F(HdfLayoutTest, SigntypeOfAnUnsignedImageReadsUnsigned) {
    int fd = create_with_dimensions("unsigned.h5");
    int dims[] = {yspace_, xspace_};
    int image = VR2vardef(fd, "image", NC_SHORT, 2, dims);
    ASSERT_EQ(vrattputstr(fd, image, "signtype", "unsigned"), 0);
    ASSERT_EQ(vrclose(fd), 0);
    EXPECT_EQ(inspect(dir.file("unsigned.h5"), "/vorn-2.0/image/0/image").sign, H5T_SGN_NONE);

    fd = vropen(dir.file("unsigned.h5").c_str(), NC_NOWRITE);
    image = VR2varid(fd, "image");
    char sign[16] = "";
    EXPECT_STREQ(vrattgetstr(fd, image, "signtype", sizeof(sign), sign), "unsigned");
    // The emulated attribute is counted and named for "image".
    int natts = 0;
    ASSERT_EQ(VR2varinq(fd, image, nullptr, nullptr, nullptr, nullptr, &natts), 0);
    char name[NC_MAX_NAME + 1];
    ASSERT_GE(VR2attname(fd, image, natts - 1, name), 0);
    EXPECT_STREQ(name, "signtype");
    EXPECT_LT(VR2attname(fd, image, natts, name), 0);
    EXPECT_EQ(vrclose(fd), 0);
}

struct storage_case {
    const char *compress;
    const char *chunking;
    std::vector<hsize_t> chunk; // empty: contiguous
    int level;                  // -1: no deflate
};

class HdfStorageTest : public VornFileTest, public ::testing::WithParamInterface<storage_case> {};

TEST_P(HdfStorageTest, ConfigurationChoosesChunksAndCompression) {
    const storage_case &c = GetParam();
    ScopedEnv compress("VORN_COMPRESS", c.compress);
    ScopedEnv chunking("VORN_CHUNKING", c.chunking);
    int fd = create(2, "stored.h5");
    ASSERT_GE(fd, 0);
    int dims[] = {VR2dimdef(fd, "zspace", 100), VR2dimdef(fd, "yspace", 200),
                  VR2dimdef(fd, "xspace", 5)};
    int image = VR2vardef(fd, "image", NC_BYTE, 3, dims);
    ASSERT_GE(image, 0);
    std::vector<unsigned char> values(100 * 200 * 5, 9);
    long start[3] = {0, 0, 0}, count[3] = {100, 200, 5};
    ASSERT_EQ(VR2varput(fd, image, start, count, values.data()), 0);
    ASSERT_EQ(vrclose(fd), 0);

    dataset_facts facts = inspect(dir.file("stored.h5"), "/vorn-2.0/image/0/image");
    EXPECT_EQ(facts.chunk, c.chunk);
    EXPECT_EQ(facts.deflate_level, c.level);
    // Whatever the settings, the file reads back.
    std::string dump =
        h5dump("stored.h5", {"-d", "/vorn-2.0/image/0/image", "-s", "99,199,4", "-c", "1,1,1"});
    EXPECT_NE(dump.find("(99,199,4): 9"), std::string::npos) << dump;
}

INSTANTIATE_TEST_SUITE_P(Storage, HdfStorageTest,
                         ::testing::Values(storage_case{nullptr, nullptr, {}, -1},
                                           storage_case{"4", nullptr, {32, 32, 5}, 4},
                                           storage_case{"0", "8", {8, 8, 5}, -1},
                                           storage_case{"12", nullptr, {32, 32, 5}, 9},
                                           storage_case{"3", "2", {32, 32, 5}, 3},
                                           storage_case{"-3", nullptr, {}, -1},
                                           storage_case{"1", "64", {64, 64, 5}, 1}));

TEST_F(HdfLayoutTest, CreationOptionsOverrideTheConfiguration) {
    ScopedEnv compress("VORN_COMPRESS", "9");
    vr2opts opts = {1, 1, 2, 0, 16};
    int fd = vrcreatex(dir.file("opts.h5").c_str(), VR_CREATE_V2, &opts);
    ASSERT_GE(fd, 0);
    int dims[] = {VR2dimdef(fd, "xspace", 40)};
    ASSERT_GE(VR2vardef(fd, "image", NC_FLOAT, 1, dims), 0);
    ASSERT_EQ(vrclose(fd), 0);
    dataset_facts facts = inspect(dir.file("opts.h5"), "/vorn-2.0/image/0/image");
    EXPECT_EQ(facts.chunk, std::vector<hsize_t>{16});
    EXPECT_EQ(facts.deflate_level, 2);
    EXPECT_EQ(facts.type_class, H5T_FLOAT);
}

// An RGB image written by another program: a compound of three bytes per
// pixel, read as a last dimension "vector_dimension".
void write_rgb_file(const std::string &path) {
    hid_t file = H5Fcreate(path.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
    for (const char *group : {"/vorn-2.0", "/vorn-2.0/dimensions", "/vorn-2.0/info",
                              "/vorn-2.0/image", "/vorn-2.0/image/0"})
        H5Gclose(H5Gcreate2(file, group, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT));
    hid_t scalar = H5Screate(H5S_SCALAR);
    for (auto dim : {std::make_pair("yspace", 2u), std::make_pair("xspace", 3u)}) {
        hid_t dset = H5Dcreate2(file, (std::string("/vorn-2.0/dimensions/") + dim.first).c_str(),
                                H5T_STD_I32LE, scalar, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT);
        hid_t attr = H5Acreate2(dset, "length", H5T_STD_U32LE, scalar, H5P_DEFAULT, H5P_DEFAULT);
        H5Awrite(attr, H5T_NATIVE_UINT, &dim.second);
        H5Aclose(attr);
        H5Dclose(dset);
    }
    hid_t rgb = H5Tcreate(H5T_COMPOUND, 3);
    H5Tinsert(rgb, "r", 0, H5T_NATIVE_UCHAR);
    H5Tinsert(rgb, "g", 1, H5T_NATIVE_UCHAR);
    H5Tinsert(rgb, "b", 2, H5T_NATIVE_UCHAR);
    hsize_t extent[2] = {2, 3};
    hid_t space = H5Screate_simple(2, extent, nullptr);
    hid_t image = H5Dcreate2(file, "/vorn-2.0/image/0/image", rgb, space, H5P_DEFAULT, H5P_DEFAULT,
                             H5P_DEFAULT);
    unsigned char pixels[18];
    for (int i = 0; i < 18; i++)
        pixels[i] = static_cast<unsigned char>(i);
    H5Dwrite(image, rgb, H5S_ALL, H5S_ALL, H5P_DEFAULT, pixels);
    hid_t text = H5Tcopy(H5T_C_S1);
    H5Tset_size(text, sizeof("yspace,xspace"));
    hid_t attr = H5Acreate2(image, "dimorder", text, scalar, H5P_DEFAULT, H5P_DEFAULT);
    H5Awrite(attr, text, "yspace,xspace");
    H5Aclose(attr);
    H5Tclose(text);
    H5Dclose(image);
    H5Sclose(space);
    H5Tclose(rgb);
    H5Sclose(scalar);
    H5Fclose(file);
}

TEST_F(HdfLayoutTest, CompoundImageHasAnEmulatedVectorDimension) {
    write_rgb_file(dir.file("rgb.h5"));
    int fd = vropen(dir.file("rgb.h5").c_str(), NC_NOWRITE);
    ASSERT_GE(fd, 0);
    int image = VR2varid(fd, "image");
    nc_type type;
    int ndims, dims[4];
    ASSERT_EQ(VR2varinq(fd, image, nullptr, &type, &ndims, dims, nullptr), 0);
    EXPECT_EQ(type, NC_BYTE);
    ASSERT_EQ(ndims, 3);
    char name[NC_MAX_NAME + 1];
    long lengths[3];
    for (int i = 0; i < 3; i++)
        ASSERT_EQ(VR2diminq(fd, dims[i], i == 2 ? name : nullptr, &lengths[i]), 0);
    EXPECT_STREQ(name, "vector_dimension");
    EXPECT_EQ(lengths[0], 2);
    EXPECT_EQ(lengths[1], 3);
    EXPECT_EQ(lengths[2], 3);

    unsigned char pixels[18] = {};
    long start[3] = {1, 0, 0}, count[3] = {1, 3, 3};
    ASSERT_EQ(VR2varget(fd, image, start, count, pixels), 0);
    EXPECT_EQ(pixels[0], 9);
    EXPECT_EQ(pixels[8], 17);

    long part[3] = {1, 3, 1};
    StreamCapture err(STDERR_FILENO);
    EXPECT_LT(VR2varget(fd, image, start, part, pixels), 0);
    EXPECT_EQ(err.finish(), "ERROR: can't read subset of emulated vector dimension\n");
    EXPECT_EQ(vrclose(fd), 0);
}

TEST_F(HdfLayoutTest, GeneralisedAccessWalksStridesAndMaps) {
    int fd = create(2, "general.h5");
    int dims[] = {VR2dimdef(fd, "yspace", 3), VR2dimdef(fd, "xspace", 4)};
    int image = VR2vardef(fd, "image", NC_INT, 2, dims);
    int values[12];
    for (int i = 0; i < 12; i++)
        values[i] = i;
    ASSERT_EQ(VR2varputg(fd, image, nullptr, nullptr, nullptr, nullptr, values), 0);

    // Every other column, transposed into the caller's buffer by the map.
    long start[2] = {0, 0}, edges[2] = {3, 2}, stride[2] = {1, 2};
    long map[2] = {static_cast<long>(sizeof(int)), static_cast<long>(3 * sizeof(int))};
    int picked[6] = {};
    ASSERT_EQ(VR2vargetg(fd, image, start, edges, stride, map, picked), 0);
    EXPECT_EQ(std::vector<int>(picked, picked + 6), (std::vector<int>{0, 4, 8, 2, 6, 10}));

    long zero_edges[2] = {0, 2};
    EXPECT_EQ(VR2vargetg(fd, image, start, zero_edges, nullptr, nullptr, picked), 0);
    long zero_stride[2] = {0, 1};
    EXPECT_LT(VR2vargetg(fd, image, start, edges, zero_stride, nullptr, picked), 0);
    long too_far[2] = {2, 0}, two_rows[2] = {2, 4};
    EXPECT_LT(VR2vargetg(fd, image, too_far, two_rows, nullptr, nullptr, picked), 0);
    EXPECT_EQ(vrclose(fd), 0);
}

} // namespace

namespace {

TEST_F(HdfLayoutTest, LongAttributesFitInVersion2Files) {
    int fd = create(2, "history.h5");
    std::string history(100000, 'h');
    history.back() = 'e';
    ASSERT_EQ(vrattputstr(fd, NC_GLOBAL, "history", history.c_str()), 0);
    ASSERT_EQ(vrclose(fd), 0);
    fd = vropen(dir.file("history.h5").c_str(), NC_NOWRITE);
    std::vector<char> text(history.size() + 1);
    ASSERT_NE(vrattgetstr(fd, NC_GLOBAL, "history", static_cast<int>(text.size()), text.data()),
              nullptr);
    EXPECT_EQ(std::string(text.data()), history);
    EXPECT_EQ(vrclose(fd), 0);
    EXPECT_NE(h5dump("history.h5", {"-A"}).find("STRSIZE 100001;"), std::string::npos);
}

} // namespace
