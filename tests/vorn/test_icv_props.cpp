// Properties of ICVs: defaults, what setting one changes, refused settings
// and inquiries, and identifiers.

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <string>
#include <vector>

#include <vorn.h>

#include "stream_capture.h"

using tarvex_test::StreamCapture;

namespace {

class IcvPropertyTest : public ::testing::Test {
  protected:
    void SetUp() override { icv_ = vricv_create(); }
    void TearDown() override { EXPECT_EQ(vricv_free(icv_), 0); }

    double number(int property) {
        double value = -12345.0;
        EXPECT_EQ(vricv_inqdbl(icv_, property, &value), 0) << property;
        return value;
    }
    std::string text(int property) {
        char value[NC_MAX_NAME + 1] = "?";
        EXPECT_EQ(vricv_inqstr(icv_, property, value), 0) << property;
        return value;
    }
    int icv_ = -1;
};

TEST_F(IcvPropertyTest, NewIcvHasTheDocumentedDefaults) {
    struct {
        int property;
        double value;
    } defaults[] = {
        {VR_ICV_TYPE, NC_SHORT},      {VR_ICV_DO_RANGE, TRUE},     {VR_ICV_VALID_MAX, 32767},
        {VR_ICV_VALID_MIN, -32768},   {VR_ICV_DO_NORM, FALSE},     {VR_ICV_USER_NORM, FALSE},
        {VR_ICV_IMAGE_MAX, 1.0},      {VR_ICV_IMAGE_MIN, 0.0},     {VR_ICV_NORM_MAX, 1.0},
        {VR_ICV_NORM_MIN, 0.0},       {VR_ICV_DO_DIM_CONV, FALSE}, {VR_ICV_DO_SCALAR, TRUE},
        {VR_ICV_XDIM_DIR, 1},         {VR_ICV_YDIM_DIR, 1},        {VR_ICV_ZDIM_DIR, 1},
        {VR_ICV_ADIM_SIZE, -1},       {VR_ICV_BDIM_SIZE, -1},      {VR_ICV_KEEP_ASPECT, TRUE},
        {VR_ICV_ADIM_STEP, 0},        {VR_ICV_BDIM_START, 0},      {VR_ICV_NUM_IMGDIMS, 2},
        {VR_ICV_CDFID, -1},           {VR_ICV_VARID, -1},          {VR_ICV_DO_FILLVALUE, FALSE},
        {VR_ICV_FILLVALUE, -DBL_MAX}, {VR_ICV_DIM_SIZE + 99, -1},  {VR_ICV_DIM_STEP + 5, 0},
        {VR_ICV_DIM_START + 99, 0}};
    for (const auto &d : defaults)
        EXPECT_EQ(number(d.property), d.value) << d.property;
    EXPECT_EQ(text(VR_ICV_SIGN), "signed__");
    EXPECT_EQ(text(VR_ICV_MAXVAR), "image-max");
    EXPECT_EQ(text(VR_ICV_MINVAR), "image-min");
}

TEST_F(IcvPropertyTest, TypeAndSignResetTheValidRange) {
    struct {
        nc_type type;
        const char *sign;
        const char *sign_after;
        double low, high;
    } cases[] = {
        {NC_BYTE, "unsigned", "unsigned", 0, 255},
        {NC_BYTE, "signed__", "signed__", -128, 127},
        // Anything but the two exact texts means the type's default sign.
        {NC_BYTE, "signed", "unsigned", 0, 255},
        {NC_SHORT, "signed", "signed__", -32768, 32767},
        {NC_SHORT, "unsigned", "unsigned", 0, 65535},
        {NC_INT, "unsigned", "unsigned", 0, 4294967295.0},
        {NC_INT, nullptr, "signed__", -2147483648.0, 2147483647.0},
        {NC_FLOAT, "unsigned", "signed__", -FLT_MAX, FLT_MAX},
        {NC_DOUBLE, "", "signed__", -DBL_MAX, DBL_MAX},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + (c.sign != nullptr ? c.sign : "(null)"));
        ASSERT_EQ(vricv_setdbl(icv_, VR_ICV_VALID_MAX, 3.0), 0);
        ASSERT_EQ(vricv_setint(icv_, VR_ICV_TYPE, c.type), 0);
        ASSERT_EQ(vricv_setstr(icv_, VR_ICV_SIGN, c.sign), 0);
        EXPECT_EQ(number(VR_ICV_TYPE), c.type);
        EXPECT_EQ(text(VR_ICV_SIGN), c.sign_after);
        EXPECT_EQ(number(VR_ICV_VALID_MIN), c.low);
        EXPECT_EQ(number(VR_ICV_VALID_MAX), c.high);
    }
    // A new type keeps the sign in force.
    ASSERT_EQ(vricv_setint(icv_, VR_ICV_TYPE, NC_BYTE), 0);
    ASSERT_EQ(vricv_setstr(icv_, VR_ICV_SIGN, "unsigned"), 0);
    ASSERT_EQ(vricv_setint(icv_, VR_ICV_TYPE, NC_SHORT), 0);
    EXPECT_EQ(number(VR_ICV_VALID_MAX), 65535);
}

TEST_F(IcvPropertyTest, NumbersAreStoredAsTheirPropertyKeepsThem) {
    struct {
        int property;
        double set, stored;
    } cases[] = {
        {VR_ICV_XDIM_DIR, 5, 0},
        {VR_ICV_XDIM_DIR, -1, -1},
        {VR_ICV_YDIM_DIR, 1.9, 1},
        {VR_ICV_ZDIM_DIR, -0.5, 0},
        {VR_ICV_NUM_IMGDIMS, 100, 100},
        {VR_ICV_NUM_IMGDIMS, 0, 0},
        {VR_ICV_ADIM_SIZE, 128.7, 128},
        {VR_ICV_DIM_SIZE + 1, -3.9, -3},
        {VR_ICV_DIM_SIZE + 7, 64, 64},
        {VR_ICV_DO_NORM, 0.7, 0},
        {VR_ICV_VALID_MAX, 2.75, 2.75},
        {VR_ICV_FILLVALUE, -7.5, -7.5},
        {VR_ICV_IMAGE_MIN, -1e300, -1e300},
        // Beyond the range of an int, integer properties saturate.
        {VR_ICV_KEEP_ASPECT, 1e300, INT_MAX},
    };
    for (const auto &c : cases) {
        ASSERT_EQ(vricv_setdbl(icv_, c.property, c.set), 0) << c.property;
        EXPECT_EQ(number(c.property), c.stored) << c.property;
    }
    EXPECT_EQ(number(VR_ICV_BDIM_SIZE), number(VR_ICV_DIM_SIZE + 1));
    EXPECT_EQ(vricv_setlong(icv_, VR_ICV_DIM_SIZE + 99, 512L), 0);
    long size = 0;
    ASSERT_EQ(vricv_inqlong(icv_, VR_ICV_DIM_SIZE + 99, &size), 0);
    EXPECT_EQ(size, 512);

    // The int and long inquiries truncate toward zero.
    ASSERT_EQ(vricv_setdbl(icv_, VR_ICV_VALID_MIN, -2.9), 0);
    int truncated = 0;
    ASSERT_EQ(vricv_inqint(icv_, VR_ICV_VALID_MIN, &truncated), 0);
    EXPECT_EQ(truncated, -2);

    ASSERT_EQ(vricv_setstr(icv_, VR_ICV_MAXVAR, "slice-max"), 0);
    ASSERT_EQ(vricv_setstr(icv_, VR_ICV_MINVAR, nullptr), 0);
    EXPECT_EQ(text(VR_ICV_MAXVAR), "slice-max");
    EXPECT_EQ(text(VR_ICV_MINVAR), "image-min");
}

TEST_F(IcvPropertyTest, RefusedSettingsAndInquiriesSayWhy) {
    struct {
        const char *what;
        int (*call)(int icv);
        const char *message;
    } calls[] = {
        {"NUM_IMGDIMS 101", [](int icv) { return vricv_setint(icv, VR_ICV_NUM_IMGDIMS, 101); },
         "VR_ICV_NUM_IMGDIMS out of range"},
        {"NUM_IMGDIMS -1", [](int icv) { return vricv_setint(icv, VR_ICV_NUM_IMGDIMS, -1); },
         "VR_ICV_NUM_IMGDIMS out of range"},
        {"number into SIGN", [](int icv) { return vricv_setdbl(icv, VR_ICV_SIGN, 1); },
         "Can't store a number in a string value"},
        {"read-only NORM_MAX", [](int icv) { return vricv_setdbl(icv, VR_ICV_NORM_MAX, 1); },
         "Unknown code"},
        {"read-only DIM_STEP", [](int icv) { return vricv_setdbl(icv, VR_ICV_DIM_STEP, 1); },
         "Unknown code"},
        {"unknown code", [](int icv) { return vricv_setdbl(icv, 999, 1); }, "Unknown code"},
        {"type outside the table", [](int icv) { return vricv_setint(icv, VR_ICV_TYPE, 99); },
         "Unknown code"},
        {"string into TYPE", [](int icv) { return vricv_setstr(icv, VR_ICV_TYPE, "x"); },
         "Can't store a string in a numeric property"},
        {"string into DIM_SIZE",
         [](int icv) { return vricv_setstr(icv, VR_ICV_DIM_SIZE + 3, "x"); },
         "Can't store a string in a numeric property"},
        {"string into DO_FILLVALUE",
         [](int icv) { return vricv_setstr(icv, VR_ICV_DO_FILLVALUE, "x"); }, "Unknown code"},
        {"MAXVAR as a number",
         [](int icv) {
             double v;
             return vricv_inqdbl(icv, VR_ICV_MAXVAR, &v);
         },
         "Tried to get icv string property as a number"},
        {"unknown as a number",
         [](int icv) {
             double v;
             return vricv_inqdbl(icv, 1300, &v);
         },
         "Tried to get unknown icv property"},
        {"TYPE as a string",
         [](int icv) {
             char v[16];
             return vricv_inqstr(icv, VR_ICV_TYPE, v);
         },
         "Tried to get icv numeric property as a string"},
        {"FILLVALUE as a string",
         [](int icv) {
             char v[16];
             return vricv_inqstr(icv, VR_ICV_FILLVALUE, v);
         },
         "Tried to get unknown icv property"},
    };
    for (const auto &c : calls) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(c.call(icv_), -1) << c.what;
        std::string text = err.finish();
        EXPECT_NE(text.find(std::string("Error setting ICV property: ") + c.message),
                  std::string::npos)
            << c.what << ": " << text;
    }
    // Nothing refused was stored.
    EXPECT_EQ(number(VR_ICV_NUM_IMGDIMS), 2);
    EXPECT_EQ(number(VR_ICV_TYPE), NC_SHORT);
}

TEST(IcvIdentifiers, FreedIdsAreIllegalAndReused) {
    std::vector<int> ids;
    for (int i = 0; i < 40; i++) // past the first growth of the table
        ids.push_back(vricv_create());
    for (size_t i = 1; i < ids.size(); i++)
        EXPECT_NE(ids[i], ids[i - 1]);
    int freed = ids[5];
    ASSERT_EQ(vricv_free(freed), 0);
    for (int bad : {freed, -1, 1 << 20}) {
        StreamCapture err(STDERR_FILENO);
        double value;
        long start = 0, count = 1;
        EXPECT_EQ(vricv_setdbl(bad, VR_ICV_TYPE, NC_BYTE), -1);
        EXPECT_EQ(vricv_inqdbl(bad, VR_ICV_TYPE, &value), -1);
        EXPECT_EQ(vricv_attach(bad, 0, 0), -1);
        EXPECT_EQ(vricv_detach(bad), -1);
        EXPECT_EQ(vricv_get(bad, &start, &count, &value), -1);
        EXPECT_EQ(vricv_free(bad), -1);
        std::string text = err.finish();
        size_t lines = 0;
        for (size_t at = 0; (at = text.find("Illegal ICV identifier", at)) != std::string::npos;
             at++)
            lines++;
        EXPECT_EQ(lines, 6u) << bad << ": " << text;
    }
    EXPECT_EQ(vricv_create(), freed);
    ids[5] = freed;
    for (int id : ids)
        EXPECT_EQ(vricv_free(id), 0);
}

} // namespace
