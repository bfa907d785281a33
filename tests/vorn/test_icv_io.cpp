// Images read and written through ICVs in files of both versions: the
// file's valid range mapped onto the caller's, per-slice real ranges and
// normalisation, fill values, and regions outside the image.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "icv_files.h"

using namespace tarvex_test;

namespace {

const value_kind ubyte_kind{NC_BYTE, false, "ubyte"};
const value_kind byte_kind{NC_BYTE, true, "byte"};
const value_kind short_kind{NC_SHORT, true, "short"};
const value_kind ushort_kind{NC_SHORT, false, "ushort"};
const value_kind int_kind{NC_INT, true, "int"};
const value_kind float_kind{NC_FLOAT, true, "float"};
const value_kind double_kind{NC_DOUBLE, true, "double"};

// Checks a value the library delivered in kind against the exact value
// before rounding; integer results that lie on a rounding point are not
// judged, since the two computations may fall on either side of it.
void expect_delivered(double got, double exact, const value_kind &kind, const std::string &where) {
    if (is_integer(kind)) {
        double fraction = exact - std::floor(exact);
        if (std::fabs(fraction - 0.5) > 1e-3) {
            EXPECT_EQ(got, converted(exact, kind)) << where;
        }
    } else {
        double expected = converted(exact, kind);
        EXPECT_NEAR(got, expected, 1e-6 * std::max(1.0, std::fabs(expected))) << where;
    }
}

class IcvIoTest : public ImageFileTest {};

TEST_P(IcvIoTest, ValidRangeMapsOntoTheCallersRange) {
    struct mapping {
        value_kind stored;
        bool stored_range;
        double vmin, vmax;
        value_kind caller;
        bool caller_range;
        double umin, umax;
    } cases[] = {
        {ubyte_kind, false, 0, 255, short_kind, false, -32768, 32767},
        {short_kind, true, -1000, 1000, ubyte_kind, false, 0, 255},
        {int_kind, false, -2147483648.0, 2147483647.0, ushort_kind, true, 100, 60000},
        {ushort_kind, true, 1000, 3000, byte_kind, true, -100, 100},
        {byte_kind, false, -128, 127, double_kind, false, 0, 1},
        {float_kind, true, -1, 1, short_kind, false, -32768, 32767},
        {short_kind, false, -32768, 32767, float_kind, false, 0, 1},
    };
    int file_number = 0;
    for (const mapping &c : cases) {
        std::string label = std::string(c.stored.name) + " to " + c.caller.name;
        SCOPED_TRACE(label);
        const double valid_range[2] = {c.vmin, c.vmax};
        const size_t n = 15;
        make_image(c.stored, 1, 1, n, false, c.stored_range ? valid_range : nullptr,
                   "map" + std::to_string(file_number++) + ".vr");
        if (!c.stored_range) {
            // Without the attribute the whole range of the type applies.
            double range[2];
            ASSERT_EQ(vrget_valid_range(fd_, image_, range), 0);
            ASSERT_EQ(range[0], c.vmin);
            ASSERT_EQ(range[1], c.vmax);
        }
        bool var_float = c.stored.type == NC_FLOAT || c.stored.type == NC_DOUBLE;
        bool usr_float = c.caller.type == NC_FLOAT || c.caller.type == NC_DOUBLE;

        // Stored values across and beyond the valid range; floating-point
        // values are real values, from 0 to 1 here.
        raw_values stored(c.stored, n);
        for (size_t i = 0; i < n; i++) {
            double t = (static_cast<double>(i) - 1.0) / (n - 3.0);
            stored.set(i, converted(var_float ? t : c.vmin + t * (c.vmax - c.vmin), c.stored));
        }
        write_stored(stored);
        int icv = create_icv(c.caller);
        if (c.caller_range) {
            ASSERT_EQ(vricv_setdbl(icv, VR_ICV_VALID_MIN, c.umin), 0);
            ASSERT_EQ(vricv_setdbl(icv, VR_ICV_VALID_MAX, c.umax), 0);
        }
        ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
        long start[3] = {0, 0, 0}, count[3] = {1, 1, static_cast<long>(n)};
        raw_values got(c.caller, n);
        ASSERT_EQ(vricv_get(icv, start, count, got.data()), 0);
        for (size_t i = 0; i < n; i++) {
            double real = var_float ? stored.get(i) : (stored.get(i) - c.vmin) / (c.vmax - c.vmin);
            double exact = usr_float ? real : real * (c.umax - c.umin) + c.umin;
            expect_delivered(got.get(i), exact, c.caller, "get " + std::to_string(i));
        }

        // And back: the caller's values across and beyond its range.
        raw_values written(c.caller, n);
        for (size_t i = 0; i < n; i++) {
            double t = (static_cast<double>(i) - 1.0) / (n - 3.0) + 0.013;
            written.set(i, converted(usr_float ? t : c.umin + t * (c.umax - c.umin), c.caller));
        }
        ASSERT_EQ(vricv_put(icv, start, count, written.data()), 0);
        raw_values back = read_stored();
        for (size_t i = 0; i < n; i++) {
            double real =
                usr_float ? written.get(i) : (written.get(i) - c.umin) / (c.umax - c.umin);
            double exact = var_float ? real : real * (c.vmax - c.vmin) + c.vmin;
            expect_delivered(back.get(i), exact, c.stored, "put " + std::to_string(i));
        }
        EXPECT_EQ(vricv_free(icv), 0);
        EXPECT_EQ(vrclose(fd_), 0);
        fd_ = -1;
    }
}

TEST_P(IcvIoTest, SliceRangesGiveRealValues) {
    make_image(ubyte_kind, 1, 1, 2, true);
    write_slice_ranges({0.0}, {100.0});
    raw_values stored(ubyte_kind, 2);
    stored.set(0, 255);
    stored.set(1, 128);
    write_stored(stored);
    int icv = create_icv(double_kind);
    ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
    double values[2];
    long start[3] = {0, 0, 0}, count[3] = {1, 1, 2};
    ASSERT_EQ(vricv_get(icv, start, count, values), 0);
    EXPECT_DOUBLE_EQ(values[0], 100.0);
    EXPECT_DOUBLE_EQ(values[1], 50.19607843137255);
    EXPECT_EQ(vricv_free(icv), 0);
}

TEST_P(IcvIoTest, DefaultIcvReadsShortsAsStored) {
    make_image(short_kind, 1, 1, 5, false);
    raw_values stored(short_kind, 5);
    const double values[5] = {-32768, -1, 0, 12345, 32767};
    for (size_t i = 0; i < 5; i++)
        stored.set(i, values[i]);
    write_stored(stored);
    int icv = vricv_create();
    ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
    EXPECT_FALSE(VR_icv_chkid(icv)->do_scale);
    short got[5];
    long start[3] = {0, 0, 0}, count[3] = {1, 1, 5};
    ASSERT_EQ(vricv_get(icv, start, count, got), 0);
    for (size_t i = 0; i < 5; i++)
        EXPECT_EQ(got[i], values[i]);
    EXPECT_EQ(vricv_free(icv), 0);
}

// An unsigned short image of 4 slices whose real ranges differ.
class IcvSliceTest : public ImageFileTest {
  protected:
    void SetUp() override {
        ImageFileTest::SetUp();
        make_image(ushort_kind, nz, ny, nx, true);
        write_slice_ranges(mins, maxs);
        raw_values stored(ushort_kind, voxels());
        for (size_t i = 0; i < voxels(); i++)
            stored.set(i, static_cast<double>((i * 2731) % 65536));
        write_stored(stored);
        stored_ = read_stored();
    }
    // The real value of voxel i from its slice's range.
    double real(size_t i) const {
        size_t z = i / static_cast<size_t>(ny * nx);
        return stored_.get(i) / 65535.0 * (maxs[z] - mins[z]) + mins[z];
    }
    // Reads the region through icv as kind.
    raw_values read(int icv, const value_kind &kind, const long start[3], const long count[3]) {
        raw_values values(kind, static_cast<size_t>(count[0] * count[1] * count[2]));
        EXPECT_EQ(vricv_get(icv, start, count, values.data()), 0);
        return values;
    }

    static constexpr long nz = 4, ny = 3, nx = 5;
    const std::vector<double> mins{-10, 0, 5, -20};
    const std::vector<double> maxs{100, 50, 400, 0};
    raw_values stored_{ushort_kind, 0};
};

TEST_P(IcvSliceTest, RealValuesUseEachSlicesRange) {
    const long start[3] = {0, 0, 0}, count[3] = {nz, ny, nx};
    for (int norm : {TRUE, FALSE}) {
        SCOPED_TRACE(norm ? "normalised" : "not normalised");
        int icv = create_icv(double_kind);
        ASSERT_EQ(vricv_setint(icv, VR_ICV_DO_NORM, norm), 0);
        ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
        raw_values got = read(icv, double_kind, start, count);
        for (size_t i = 0; i < voxels(); i++)
            EXPECT_NEAR(got.get(i), real(i), 1e-9) << i;
        EXPECT_EQ(vricv_free(icv), 0);
    }
}

TEST_P(IcvSliceTest, NormalisationMapsOneRealRangeOntoTheCaller) {
    struct {
        bool user_norm;
        double low, high;
    } cases[] = {{false, -20, 400}, {true, 0, 100}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.user_norm ? "caller's range" : "file's range");
        int icv = create_icv(ubyte_kind);
        ASSERT_EQ(vricv_setint(icv, VR_ICV_DO_NORM, TRUE), 0);
        if (c.user_norm) {
            ASSERT_EQ(vricv_setint(icv, VR_ICV_USER_NORM, TRUE), 0);
            ASSERT_EQ(vricv_setdbl(icv, VR_ICV_IMAGE_MIN, c.low), 0);
            ASSERT_EQ(vricv_setdbl(icv, VR_ICV_IMAGE_MAX, c.high), 0);
        }
        ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
        double norm_min, norm_max;
        ASSERT_EQ(vricv_inqdbl(icv, VR_ICV_NORM_MIN, &norm_min), 0);
        ASSERT_EQ(vricv_inqdbl(icv, VR_ICV_NORM_MAX, &norm_max), 0);
        EXPECT_EQ(norm_min, c.low);
        EXPECT_EQ(norm_max, c.high);

        const long start[3] = {0, 0, 0}, count[3] = {nz, ny, nx};
        raw_values got = read(icv, ubyte_kind, start, count);
        for (size_t i = 0; i < voxels(); i++)
            expect_delivered(got.get(i), (real(i) - c.low) * 255.0 / (c.high - c.low), ubyte_kind,
                             std::to_string(i));

        // A region that starts inside the image reads the same voxels.
        const long sub_start[3] = {1, 1, 2}, sub_count[3] = {2, 2, 3};
        raw_values part = read(icv, ubyte_kind, sub_start, sub_count);
        size_t k = 0;
        for (long z = 1; z < 3; z++)
            for (long y = 1; y < 3; y++)
                for (long x = 2; x < 5; x++, k++)
                    EXPECT_EQ(part.get(k), got.get(static_cast<size_t>((z * ny + y) * nx + x)));
        EXPECT_EQ(vricv_free(icv), 0);
    }
}

TEST_P(IcvIoTest, VolumeWrittenThroughOneIcvReadsBackThroughAnother) {
    const long n = 64;
    make_image(short_kind, n, n, n, true);
    std::vector<double> mins(n), maxs(n);
    for (long z = 0; z < n; z++) {
        mins[z] = -static_cast<double>(z);
        maxs[z] = 10.0 + static_cast<double>(z * z);
    }
    write_slice_ranges(mins, maxs);
    std::vector<double> real(voxels());
    for (long z = 0, i = 0; z < n; z++)
        for (long y = 0; y < n; y++)
            for (long x = 0; x < n; x++, i++)
                real[i] = mins[z] + (maxs[z] - mins[z]) * ((x * 7 + y * 13 + z * 3) % 101) / 100.0;

    int writer = create_icv(double_kind);
    ASSERT_EQ(vricv_attach(writer, fd_, image_), 0);
    const long start[3] = {0, 0, 0}, count[3] = {n, n, n};
    ASSERT_EQ(vricv_put(writer, start, count, real.data()), 0);
    EXPECT_EQ(vricv_free(writer), 0);

    int reader = create_icv(float_kind);
    ASSERT_EQ(vricv_setint(reader, VR_ICV_DO_NORM, TRUE), 0);
    ASSERT_EQ(vricv_attach(reader, fd_, image_), 0);
    std::vector<float> back(voxels());
    ASSERT_EQ(vricv_get(reader, start, count, back.data()), 0);
    EXPECT_EQ(vricv_free(reader), 0);

    // Each slice spans the whole stored range, so the error is at most half
    // of one stored step of that slice (plus single-precision rounding).
    raw_values stored = read_stored();
    for (long z = 0, i = 0; z < n; z++) {
        double step = (maxs[z] - mins[z]) / 65535.0;
        double low = 1e9, high = -1e9;
        for (long k = 0; k < n * n; k++, i++) {
            ASSERT_NEAR(back[i], real[i], step * 0.5001 + std::fabs(real[i]) * 1e-7) << i;
            low = std::min(low, stored.get(i));
            high = std::max(high, stored.get(i));
        }
        EXPECT_EQ(low, -32768) << "slice " << z;
        EXPECT_EQ(high, 32767) << "slice " << z;
    }
}

TEST_P(IcvIoTest, FillValueReplacesValuesOutsideTheValidRange) {
    const double valid[2] = {0, 1000};
    struct {
        value_kind stored;
        std::vector<double> values;
        value_kind caller;
        bool fill;
        std::vector<double> expected;
    } cases[] = {
        // Within |1000 - 0| * 1.1920928955078125e-6 of the range is inside.
        {float_kind,
         {-1, 0, 1000.0005, 1000.01, 500},
         double_kind,
         true,
         {-999, 0, static_cast<float>(1000.0005), -999, 500}},
        // Filled values are not scaled; the others are.
        {short_kind, {-5, 0, 1000, 1001, 400}, ubyte_kind, true, {7, 0, 255, 7, 102}},
        {short_kind, {-5, 0, 1000, 1001, 400}, ubyte_kind, false, {0, 0, 255, 255, 102}},
    };
    int file_number = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.stored.name) + (c.fill ? " filled" : " not filled"));
        size_t n = c.values.size();
        make_image(c.stored, 1, 1, static_cast<long>(n), false, valid,
                   "fill" + std::to_string(file_number++) + ".vr");
        raw_values stored(c.stored, n);
        for (size_t i = 0; i < n; i++)
            stored.set(i, c.values[i]);
        write_stored(stored);
        int icv = create_icv(c.caller);
        ASSERT_EQ(vricv_setint(icv, VR_ICV_DO_FILLVALUE, c.fill), 0);
        ASSERT_EQ(vricv_setdbl(icv, VR_ICV_FILLVALUE, c.caller.type == NC_DOUBLE ? -999 : 7), 0);
        ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
        raw_values got(c.caller, n);
        long start[3] = {0, 0, 0}, count[3] = {1, 1, static_cast<long>(n)};
        ASSERT_EQ(vricv_get(icv, start, count, got.data()), 0);
        for (size_t i = 0; i < n; i++)
            EXPECT_EQ(got.get(i), c.expected[i]) << i;
        EXPECT_EQ(vricv_free(icv), 0);
        EXPECT_EQ(vrclose(fd_), 0);
        fd_ = -1;
    }
}

TEST_P(IcvIoTest, DegenerateRangesGiveOneValueAndFillTheRest) {
    // A valid range of one value leaves nothing to scale by.
    const double valid[2] = {5, 5};
    make_image(short_kind, 1, 1, 3, false, valid);
    raw_values stored(short_kind, 3);
    stored.set(0, 5);
    stored.set(1, 7);
    stored.set(2, -7);
    write_stored(stored);
    int icv = create_icv(short_kind);
    ASSERT_EQ(vricv_setdbl(icv, VR_ICV_FILLVALUE, 99), 0);
    ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
    short values[3];
    long start[3] = {0, 0, 0}, count[3] = {1, 1, 3};
    ASSERT_EQ(vricv_get(icv, start, count, values), 0);
    EXPECT_EQ(std::vector<short>(values, values + 3), (std::vector<short>{-32768, 99, 99}));

    // Writing maps only the bottom of the caller's range onto the one value.
    const short written[3] = {-32768, 0, 100};
    ASSERT_EQ(vricv_put(icv, start, count, written), 0);
    raw_values back = read_stored();
    EXPECT_EQ(back.get(0), 5);
    EXPECT_EQ(back.get(1), 99);
    EXPECT_EQ(back.get(2), 99);
    EXPECT_EQ(vricv_free(icv), 0);
}

TEST_P(IcvIoTest, RegionsOutsideTheImageAreRefusedAndEmptyOnesMoveNothing) {
    make_image(short_kind, 2, 3, 4, false);
    int icv = create_icv(double_kind);
    ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
    struct region {
        long start[3], count[3];
    };
    const region outside[] = {{{2, 0, 0}, {1, 1, 1}}, {{-1, 0, 0}, {1, 1, 1}},
                              {{0, 0, 1}, {1, 1, 4}}, {{0, 0, 0}, {1, -1, 1}},
                              {{0, 3, 0}, {1, 1, 1}}, {{0, 0, 0}, {3, 3, 4}}};
    for (const region &r : outside) {
        std::vector<double> canary(24, 42.0);
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vricv_get(icv, r.start, r.count, canary.data()), -1);
        EXPECT_EQ(vricv_put(icv, r.start, r.count, canary.data()), -1);
        std::string text = err.finish();
        EXPECT_NE(text.find("Invalid ICV coordinates"), std::string::npos) << text;
        EXPECT_EQ(std::count(canary.begin(), canary.end(), 42.0), 24);
    }
    // Empty regions, at the very end of a dimension too.
    const region empty[] = {{{0, 0, 0}, {0, 3, 4}}, {{2, 0, 0}, {0, 1, 1}}, {{1, 1, 4}, {1, 1, 0}}};
    for (const region &r : empty) {
        double canary = 42.0;
        EXPECT_EQ(vricv_get(icv, r.start, r.count, &canary), 0);
        EXPECT_EQ(vricv_put(icv, r.start, r.count, &canary), 0);
        EXPECT_EQ(canary, 42.0);
    }
    EXPECT_EQ(vricv_free(icv), 0);
}

TEST_P(IcvIoTest, AccessNeedsAnAttachedIcvOfANumericVariable) {
    make_image(short_kind, 1, 2, 2, false);
    int icv = vricv_create();
    long start[3] = {0, 0, 0}, count[3] = {1, 2, 2};
    short values[4] = {0, 0, 0, 0};
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vricv_get(icv, start, count, values), -1);
        EXPECT_EQ(vricv_put(icv, start, count, values), -1);
        EXPECT_NE(err.finish().find("ICV is not attached"), std::string::npos);
    }
    ASSERT_EQ(vricv_attach(icv, fd_, image_), 0);
    int cdfid = -1, varid = -1;
    ASSERT_EQ(vricv_inqint(icv, VR_ICV_CDFID, &cdfid), 0);
    ASSERT_EQ(vricv_inqint(icv, VR_ICV_VARID, &varid), 0);
    EXPECT_EQ(cdfid, fd_);
    EXPECT_EQ(varid, image_);
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vricv_setint(icv, VR_ICV_TYPE, NC_BYTE), -1);
        EXPECT_EQ(vricv_setdbl(icv, VR_ICV_VALID_MAX, 10), -1);
        EXPECT_EQ(vricv_setstr(icv, VR_ICV_SIGN, "unsigned"), -1);
        std::string text = err.finish();
        EXPECT_NE(text.find("Attempt to modify an attached image conversion variable"),
                  std::string::npos);
    }
    // Detaching keeps the properties and allows changes again.
    ASSERT_EQ(vricv_detach(icv), 0);
    ASSERT_EQ(vricv_detach(icv), 0);
    EXPECT_EQ(vricv_setint(icv, VR_ICV_TYPE, NC_BYTE), 0);
    ASSERT_EQ(vricv_inqint(icv, VR_ICV_CDFID, &cdfid), 0);
    EXPECT_EQ(cdfid, -1);
    EXPECT_EQ(vricv_free(icv), 0);

    // Text variables (version 2 stores text as bytes) and missing ones
    // cannot be attached.
    icv = vricv_create();
    if (version() == 1) {
        ASSERT_GE(VR2redef(fd_), 0);
        int text_var = VR2vardef(fd_, "label", NC_CHAR, 1, &dims_[2]);
        ASSERT_GE(text_var, 0);
        ASSERT_GE(VR2endef(fd_), 0);
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vricv_attach(icv, fd_, text_var), -1);
        EXPECT_NE(err.finish().find("Non-numeric datatype"), std::string::npos);
    }
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vricv_attach(icv, fd_, 1234), -1);
        err.finish();
    }
    EXPECT_EQ(vricv_free(icv), 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, IcvIoTest, ::testing::Values(1, 2), version_name);
INSTANTIATE_TEST_SUITE_P(Versions, IcvSliceTest, ::testing::Values(1, 2), version_name);

} // namespace
