// Opening, creating and closing files of both versions: round trips through
// the library, checked by ncdump and h5dump; the choice of version for new
// files; the identification string; names the library refuses.

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <unistd.h>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

const short image_values[2][3] = {{-7, 0, 300}, {1200, -32768, 32767}};

// A small volume: dimensions, an image with values, attributes of each kind.
void write_volume(int fd) {
    int dims[] = {VR2dimdef(fd, "yspace", 2), VR2dimdef(fd, "xspace", 3)};
    ASSERT_GE(dims[0], 0);
    ASSERT_GE(dims[1], 0);
    int image = VR2vardef(fd, "image", NC_SHORT, 2, dims);
    ASSERT_GE(image, 0);
    ASSERT_EQ(vrattputstr(fd, image, "units", "mm"), 0);
    double range[2] = {-32768.0, 32767.0};
    ASSERT_GE(VR2attput(fd, image, "valid_range", NC_DOUBLE, 2, range), 0);
    ASSERT_EQ(vrattputstr(fd, NC_GLOBAL, "history", "made by a test"), 0);
    ASSERT_EQ(vrattputint(fd, NC_GLOBAL, "count", -12), 0);
    ASSERT_GE(VR2endef(fd), 0);
    long start[2] = {0, 0}, count[2] = {2, 3};
    ASSERT_EQ(VR2varput(fd, image, start, count, image_values), 0);
}

void check_volume(int fd) {
    int image = VR2varid(fd, "image");
    ASSERT_GE(image, 0);
    short values[2][3] = {};
    long start[2] = {0, 0}, count[2] = {2, 3};
    ASSERT_EQ(VR2varget(fd, image, start, count, values), 0);
    for (int i = 0; i < 2; i++)
        for (int j = 0; j < 3; j++)
            EXPECT_EQ(values[i][j], image_values[i][j]);
    char text[64];
    EXPECT_STREQ(vrattgetstr(fd, image, "units", sizeof(text), text), "mm");
    EXPECT_STREQ(vrattgetstr(fd, NC_GLOBAL, "history", sizeof(text), text), "made by a test");
    double range[2] = {};
    int length = 0;
    ASSERT_EQ(vrattget(fd, image, "valid_range", NC_DOUBLE, 2, range, &length), 0);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(range[1], 32767.0);
    int count_value = 0;
    ASSERT_EQ(vrattget1(fd, NC_GLOBAL, "count", NC_INT, &count_value), 0);
    EXPECT_EQ(count_value, -12);
    // Every new file carries its identification.
    char ident[200];
    ASSERT_NE(vrattgetstr(fd, NC_GLOBAL, "ident", sizeof(ident), ident), nullptr);
    EXPECT_TRUE(std::regex_match(ident, std::regex(R"([^:]+:[^:]+:\d{4}(\.\d\d){5}:\d+:\d+)")))
        << ident;
}

TEST_P(VornBothVersions, RoundTripThroughTheLibraryAndIndependentReaders) {
    int fd = create(version(), "volume");
    ASSERT_GE(fd, 0);
    write_volume(fd);
    ASSERT_EQ(vrclose(fd), 0);

    std::string path = dir.file("volume");
    EXPECT_EQ(hdf_access(path.c_str()), version() == 2 ? TRUE : FALSE);
    fd = vropen(path.c_str(), NC_NOWRITE);
    ASSERT_GE(fd, 0);
    check_volume(fd);
    ASSERT_EQ(vrclose(fd), 0);

    if (version() == 1) {
        std::string cdl = ncdump("volume");
        EXPECT_NE(cdl.find("image:units = \"mm"), std::string::npos) << cdl;
        EXPECT_NE(cdl.find(":history = \"made by a test"), std::string::npos) << cdl;
        EXPECT_NE(cdl.find("-7, 0, 300,"), std::string::npos) << cdl;
        EXPECT_NE(cdl.find("1200, -32768, 32767 ;"), std::string::npos) << cdl;
        EXPECT_EQ(ncdump("volume", "-k"), "classic\n");
    } else {
        std::string dump = h5dump("volume", {"-d", "/vorn-2.0/image/0/image"});
        EXPECT_NE(dump.find("-7, 0, 300,"), std::string::npos) << dump;
        EXPECT_NE(dump.find("1200, -32768, 32767"), std::string::npos) << dump;
        std::string header = h5dump("volume", {"-A"});
        EXPECT_NE(header.find("\"made by a test\""), std::string::npos) << header;
        EXPECT_NE(header.find("ATTRIBUTE \"ident\""), std::string::npos) << header;
    }

    // Opened for writing, values can be changed in place.
    fd = vropen(path.c_str(), NC_WRITE);
    ASSERT_GE(fd, 0);
    short changed = 5;
    long at[2] = {1, 2};
    ASSERT_EQ(VR2varput1(fd, VR2varid(fd, "image"), at, &changed), 0);
    ASSERT_EQ(vrclose(fd), 0);
    fd = vropen(path.c_str(), NC_NOWRITE);
    long one[2] = {1, 1};
    ASSERT_EQ(VR2varget(fd, VR2varid(fd, "image"), at, one, &changed), 0);
    EXPECT_EQ(changed, 5);
    EXPECT_EQ(vrclose(fd), 0);
}

TEST_P(VornBothVersions, NoClobberKeepsAnExistingFile) {
    int fd = create(version(), "kept");
    ASSERT_GE(fd, 0);
    ASSERT_EQ(vrclose(fd), 0);
    std::string before = read_file(dir.file("kept"));
    int saved = ncopts;
    ncopts = 0; // netCDF's own line about the existing file
    StreamCapture err(STDERR_FILENO);
    EXPECT_LT(create(version(), "kept", NC_NOCLOBBER), 0);
    std::string text = err.finish();
    ncopts = saved;
    EXPECT_TRUE(has_message(text, "Unable to create file '" + dir.file("kept") + "'")) << text;
    EXPECT_NE(text.find("vrcreate: VORN package entry point\n"), std::string::npos) << text;
    EXPECT_EQ(read_file(dir.file("kept")), before);
}

INSTANTIATE_TEST_SUITE_P(Files, VornBothVersions, ::testing::Values(1, 2), version_name);

TEST_F(VornFileTest, RecordDimensionsAndCutDataOfVersion1Files) {
    std::string path = dir.file("records.nc");
    int fd = vrcreate(path.c_str(), VR_CREATE_V1);
    int dims[] = {VR2dimdef(fd, "time", NC_UNLIMITED), VR2dimdef(fd, "xspace", 5)};
    int image = VR2vardef(fd, "image", NC_DOUBLE, 2, dims);
    int scalar = VR2vardef(fd, "xspace", NC_DOUBLE, 0, nullptr);
    ASSERT_GE(VR2endef(fd), 0);
    double values[3][5] = {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}};
    long start[2] = {0, 0}, count[2] = {3, 5};
    ASSERT_EQ(VR2varput(fd, image, start, count, values), 0);
    double step = 0.5;
    ASSERT_EQ(VR2varput(fd, scalar, nullptr, nullptr, &step), 0);
    ASSERT_EQ(vrclose(fd), 0);

    fd = vropen(path.c_str(), NC_NOWRITE);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(vrclose(fd), 0);

    // Without its last record the file is damaged, though netCDF would
    // open it and read zeros.
    std::string whole = read_file(path);
    write_file(path, whole.substr(0, whole.size() - 8));
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(vropen(path.c_str(), NC_NOWRITE), -1);
    EXPECT_TRUE(has_message(err.finish(), "Unable to open file '" + path + "'"));
}

// Every netCDF-3 variant, with one or several record variables, opens when
// whole and is refused once the end of its last record is gone (the last
// two values here, whatever padding follows them).
TEST_F(VornFileTest, Version1FilesOfEveryVariantAreCheckedForCompleteness) {
    struct {
        const char *label;
        int cmode;
        bool second_record_variable;
    } cases[] = {{"classic", 0, true},
                 {"classic_one_record_variable", 0, false},
                 {"64bit_offset", NC_64BIT_OFFSET, true},
                 {"64bit_data", NC_64BIT_DATA, true},
                 {"64bit_data_one_record_variable", NC_64BIT_DATA, false}};
    for (const auto &c : cases) {
        std::string path = dir.file(std::string(c.label) + ".nc");
        int fd = vrcreate(path.c_str(), VR_CREATE_V1 | c.cmode);
        ASSERT_GE(fd, 0) << c.label;
        int dims[] = {VR2dimdef(fd, "time", NC_UNLIMITED), VR2dimdef(fd, "xspace", 3)};
        int bytes = VR2vardef(fd, "image", NC_BYTE, 2, dims);
        int shorts = c.second_record_variable ? VR2vardef(fd, "other", NC_SHORT, 1, dims) : -1;
        int fixed = VR2vardef(fd, "xspace", NC_DOUBLE, 1, &dims[1]);
        ASSERT_GE(VR2endef(fd), 0);
        signed char values[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
        long start[2] = {0, 0}, count[2] = {3, 3};
        ASSERT_EQ(VR2varput(fd, bytes, start, count, values), 0);
        short record_values[3] = {10, 20, 30};
        if (shorts >= 0) {
            ASSERT_EQ(VR2varput(fd, shorts, start, count, record_values), 0);
        }
        double steps[3] = {0.5, 1.5, 2.5};
        ASSERT_EQ(VR2varput(fd, fixed, start, &count[1], steps), 0);
        ASSERT_EQ(vrclose(fd), 0);

        fd = vropen(path.c_str(), NC_NOWRITE);
        ASSERT_GE(fd, 0) << c.label;
        signed char last = 0;
        long at[2] = {2, 2}, one[2] = {1, 1};
        ASSERT_EQ(VR2varget(fd, VR2varid(fd, "image"), at, one, &last), 0);
        EXPECT_EQ(last, 9) << c.label;
        EXPECT_EQ(vrclose(fd), 0);

        std::string whole = read_file(path);
        write_file(path, whole.substr(0, whole.size() - 4));
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vropen(path.c_str(), NC_NOWRITE), -1) << c.label;
        err.finish();
    }
}

// Which version vrcreate(path, 0) makes depends on process-wide counters, so
// each case runs in a child process of its own.
struct version_choice_case {
    const char *label;
    const char *environment; // VORN_FORCE_V2, or null
    const char *config_line; // written to $HOME/.vornrc, or null
    bool open_v2_first;
    int cmode;
    bool expect_v2;
};

class VersionChoiceTest : public VornFileTest,
                          public ::testing::WithParamInterface<version_choice_case> {};

TEST_P(VersionChoiceTest, FollowsSwitchesAndFilesOpenedBefore) {
    const version_choice_case &c = GetParam();
    if (c.config_line != nullptr) write_file(home_ + "/.vornrc", c.config_line);
    std::string existing = dir.file("existing.h5");
    if (c.open_v2_first) vrclose(vrcreate(existing.c_str(), VR_CREATE_V2));
    std::string path = dir.file("new-file");
    EXPECT_EXIT(
        {
            // Files opened by earlier tests of this process do not count.
            vr_nc_files = vr_h5_files = 0;
            if (c.environment != nullptr) setenv("VORN_FORCE_V2", c.environment, 1);
            if (c.open_v2_first) vrclose(vropen(existing.c_str(), NC_NOWRITE));
            int fd = vrcreate(path.c_str(), c.cmode);
            int closed = vrclose(fd);
            _exit(fd < 0 || closed != 0 ? 3 : hdf_access(path.c_str()) ? 2 : 1);
        },
        ::testing::ExitedWithCode(c.expect_v2 ? 2 : 1), "");
    if (!c.expect_v2) {
        EXPECT_EQ(ncdump("new-file", "-k"), "classic\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionChoiceTest,
    ::testing::Values(version_choice_case{"nothing_set", nullptr, nullptr, false, 0, false},
                      version_choice_case{"environment_on", "1", nullptr, false, 0, true},
                      version_choice_case{"environment_off", "0", nullptr, false, 0, false},
                      version_choice_case{"environment_beats_file", "0", "VORN_FORCE_V2=1\n", false,
                                          0, false},
                      version_choice_case{"config_file", nullptr,
                                          "# comment\nvorn_force_v2 =   1\n", false, 0, true},
                      version_choice_case{"after_opening_v2", nullptr, nullptr, true, 0, true},
                      version_choice_case{"v1_bit", "1", nullptr, true, VR_CREATE_V1, false},
                      version_choice_case{"v2_bit", nullptr, nullptr, false, VR_CREATE_V2, true},
                      version_choice_case{"both_bits", nullptr, nullptr, false,
                                          VR_CREATE_V1 | VR_CREATE_V2, false}),
    [](const ::testing::TestParamInfo<version_choice_case> &info) { return info.param.label; });

// netCDF's default options end the process on any error; the library turns
// that off before its first call. A fresh process shows it.
TEST_F(VornFileTest, NetcdfErrorsComeBackInsteadOfEndingTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string path = dir.file("fatal.nc");
    EXPECT_EXIT(
        {
            ncopts = NC_FATAL | NC_VERBOSE;
            int fd = vrcreate(path.c_str(), VR_CREATE_V1);
            int missing = VR2varid(fd, "missing");
            _exit(fd >= 0 && missing == -1 && vrclose(fd) == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "ncvarid");
}

TEST_F(VornFileTest, UrlsAreRefusedWithoutTouchingTheNetwork) {
    for (const char *url : {"http://localhost:1/volume.nc", "file:///tmp/volume.nc"}) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vropen(url, NC_NOWRITE), -1);
        EXPECT_EQ(vrcreate(url, VR_CREATE_V1), -1);
        EXPECT_EQ(vrcreate(url, VR_CREATE_V2), -1);
        int created = TRUE;
        EXPECT_EQ(vrexpand_file(url, nullptr, FALSE, &created), nullptr);
        EXPECT_FALSE(created);
        std::string text = err.finish();
        EXPECT_TRUE(has_message(text, std::string("Unable to open file '") + url + "'")) << text;
        EXPECT_TRUE(has_message(text, std::string("Unable to create file '") + url + "'")) << text;
    }
}

TEST_F(VornFileTest, IdentificationStringsCountUp) {
    ScopedEnv logname("LOGNAME", nullptr);
    char first[128], second[128];
    int length = vrcreate_ident(first, sizeof(first));
    ASSERT_EQ(length, static_cast<int>(strlen(first)));
    ASSERT_GT(vrcreate_ident(second, sizeof(second)), 0);
    std::smatch parts;
    std::string a = first, b = second;
    std::regex shape(R"(nobody:([^:]+):\d{4}(\.\d\d){5}:(\d+):(\d+))");
    ASSERT_TRUE(std::regex_match(a, parts, shape)) << a;
    EXPECT_EQ(std::stoul(parts[3]), static_cast<unsigned long>(getpid()));
    unsigned long counter = std::stoul(parts[4]);
    ASSERT_TRUE(std::regex_match(b, parts, shape)) << b;
    EXPECT_EQ(std::stoul(parts[4]), counter + 1);

    // A short buffer gets a terminated prefix; the count is of the whole.
    char cut[8];
    EXPECT_GT(vrcreate_ident(cut, sizeof(cut)), 7);
    EXPECT_EQ(std::string(cut), "nobody:");
}

} // namespace
