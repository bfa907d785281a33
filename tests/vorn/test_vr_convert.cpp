// Conversion of values between types and signs, with an ICV's scaling and
// fill value, and the walk of a hyperslab in bounded pieces.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include <vorn.h>

#include "stream_capture.h"

using tarvex_test::StreamCapture;

namespace {

TEST(VornSign, DefaultsFollowTheType) {
    struct {
        nc_type type;
        int sign;
        int expected;
    } cases[] = {
        {NC_BYTE, VR_PRIV_DEFSIGN, VR_PRIV_UNSIGNED}, {NC_SHORT, VR_PRIV_DEFSIGN, VR_PRIV_SIGNED},
        {NC_INT, VR_PRIV_UNSIGNED, VR_PRIV_UNSIGNED}, {NC_BYTE, VR_PRIV_SIGNED, VR_PRIV_SIGNED},
        {NC_FLOAT, VR_PRIV_UNSIGNED, VR_PRIV_SIGNED}, {NC_DOUBLE, VR_PRIV_DEFSIGN, VR_PRIV_SIGNED}};
    for (const auto &c : cases)
        EXPECT_EQ(VR_get_sign(c.type, c.sign), c.expected) << c.type << " " << c.sign;
    EXPECT_EQ(VR_get_sign_from_string(NC_SHORT, "unsigned"), VR_PRIV_UNSIGNED);
    EXPECT_EQ(VR_get_sign_from_string(NC_BYTE, "signed__"), VR_PRIV_SIGNED);
    for (const char *other : {"signed", "", "unsigned ", static_cast<const char *>(nullptr)})
        EXPECT_EQ(VR_get_sign_from_string(NC_BYTE, other), VR_PRIV_UNSIGNED);
}

// Converts doubles to one type and sign and reads the results back as
// doubles of that type.
std::vector<double> convert(const std::vector<double> &in, nc_type type, int sign,
                            const vr_icv_type *icv = nullptr) {
    std::vector<unsigned char> out(in.size() * 8);
    EXPECT_EQ(VR_convert_type(static_cast<long>(in.size()), NC_DOUBLE, VR_PRIV_SIGNED, in.data(),
                              type, sign, out.data(), icv),
              0);
    std::vector<double> result;
    for (size_t i = 0; i < in.size(); i++) {
        const unsigned char *at = out.data() + i * static_cast<size_t>(VR2typelen(type));
        bool is_signed = VR_get_sign(type, sign) == VR_PRIV_SIGNED;
        switch (type) {
        case NC_BYTE:
            result.push_back(is_signed ? *reinterpret_cast<const int8_t *>(at) : at[0]);
            break;
        case NC_SHORT: {
            int16_t s;
            memcpy(&s, at, 2);
            result.push_back(is_signed ? s : static_cast<uint16_t>(s));
            break;
        }
        case NC_INT: {
            int32_t v;
            memcpy(&v, at, 4);
            result.push_back(is_signed ? v : static_cast<double>(static_cast<uint32_t>(v)));
            break;
        }
        case NC_FLOAT: {
            float f;
            memcpy(&f, at, 4);
            result.push_back(f);
            break;
        }
        default: {
            double d;
            memcpy(&d, at, 8);
            result.push_back(d);
        }
        }
    }
    return result;
}

TEST(VornConvert, IntegersAreClampedAndRoundedHalfAwayFromZero) {
    std::vector<double> in{2.5, -2.5, 300, -1e10, NAN};
    EXPECT_EQ(convert(in, NC_BYTE, VR_PRIV_UNSIGNED), (std::vector<double>{3, 0, 255, 0, 0}));
    EXPECT_EQ(convert(in, NC_BYTE, VR_PRIV_SIGNED), (std::vector<double>{3, -3, 127, -128, 0}));
    EXPECT_EQ(convert(in, NC_SHORT, VR_PRIV_SIGNED), (std::vector<double>{3, -3, 300, -32768, 0}));
    EXPECT_EQ(convert({70000.4, 1e12}, NC_SHORT, VR_PRIV_UNSIGNED),
              (std::vector<double>{65535, 65535}));
    EXPECT_EQ(convert({4294967295.4, -0.4, 1e12}, NC_INT, VR_PRIV_UNSIGNED),
              (std::vector<double>{4294967295.0, 0, 4294967295.0}));
    EXPECT_EQ(convert({-2147483648.6, 2147483647.4}, NC_INT, VR_PRIV_SIGNED),
              (std::vector<double>{-2147483648.0, 2147483647.0}));
    EXPECT_EQ(convert({1e40, -1e40, 0.1}, NC_FLOAT, VR_PRIV_SIGNED),
              (std::vector<double>{FLT_MAX, -FLT_MAX, 0.1f}));
}

TEST(VornConvert, UnsignedInputsAndEqualTypesCopy) {
    const unsigned char bytes[] = {200, 5};
    short out[2];
    ASSERT_EQ(
        VR_convert_type(2, NC_BYTE, VR_PRIV_DEFSIGN, bytes, NC_SHORT, VR_PRIV_SIGNED, out, nullptr),
        0);
    EXPECT_EQ(out[0], 200);
    ASSERT_EQ(
        VR_convert_type(2, NC_BYTE, VR_PRIV_SIGNED, bytes, NC_SHORT, VR_PRIV_SIGNED, out, nullptr),
        0);
    EXPECT_EQ(out[0], -56);
    // Same type and sign: the bits, NaN payloads included.
    double nan_in = std::nan("7"), nan_out = 0;
    ASSERT_EQ(VR_convert_type(1, NC_DOUBLE, 0, &nan_in, NC_DOUBLE, 0, &nan_out, nullptr), 0);
    EXPECT_EQ(memcmp(&nan_in, &nan_out, sizeof(double)), 0);
}

TEST(VornConvert, IcvScalesAndFillsOutOfRangeValues) {
    vr_icv_type icv;
    memset(&icv, 0, sizeof(icv));
    icv.do_scale = TRUE;
    icv.scale = 2.0;
    icv.offset = 1.0;
    EXPECT_EQ(convert({3.0, -0.25}, NC_DOUBLE, 0, &icv), (std::vector<double>{7.0, 0.5}));

    icv.do_fillvalue = TRUE;
    icv.fill_valid_min = 0.0;
    icv.fill_valid_max = 10.0;
    icv.user_fillvalue = -1.0;
    // The range is widened by |10 - 0| * 1.1920928955078125e-6 at both ends.
    std::vector<double> out = convert({10.00001, 11.0, -0.0001, 5.0}, NC_DOUBLE, 0, &icv);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_DOUBLE_EQ(out[0], 21.00002);
    EXPECT_EQ(out[1], -1.0); // filled values are not scaled
    EXPECT_EQ(out[2], -1.0);
    EXPECT_EQ(out[3], 11.0);
}

TEST(VornConvert, TextIsNotConverted) {
    char text[2] = "a";
    double out;
    StreamCapture err(STDERR_FILENO);
    EXPECT_EQ(VR_convert_type(1, NC_CHAR, 0, text, NC_DOUBLE, 0, &out, nullptr), -1);
    EXPECT_NE(err.finish().find("): Non-numeric datatype\n"), std::string::npos);
}

// Records the pieces of a walk.
struct walk_record {
    std::vector<std::vector<long>> starts, counts;
    std::map<std::vector<long>, int> visits;
    long max_values = 0;
    int fail_at = -1;
};

int record_piece(int ndims, long start[], long count[], long nvalues, void *, void *data) {
    auto *record = static_cast<walk_record *>(data);
    if (static_cast<int>(record->starts.size()) == record->fail_at) return -1;
    record->starts.emplace_back(start, start + ndims);
    record->counts.emplace_back(count, count + ndims);
    record->max_values = std::max(record->max_values, nvalues);
    long expected = 1;
    for (int i = 0; i < ndims; i++)
        expected *= count[i];
    EXPECT_EQ(nvalues, expected);
    // Every position of the piece, counted.
    std::vector<long> index(start, start + ndims);
    while (true) {
        record->visits[index]++;
        int d = ndims - 1;
        for (; d >= 0; d--) {
            if (++index[d] < start[d] + count[d]) break;
            index[d] = start[d];
        }
        if (d < 0) break;
    }
    return 0;
}

TEST(VornVarLoop, PiecesCoverTheHyperslabOnceWithinTheBuffer) {
    struct {
        std::vector<long> start, count;
        int value_size;
        std::vector<int> step;
    } cases[] = {{{0, 0, 0}, {20, 30, 40}, 2, {}},
                 {{3, 1}, {7, 5000}, 8, {}},
                 {{0}, {25000}, 1, {}},
                 {{1, 2, 0}, {5, 6, 7}, 8, {}},
                 {{0, 0}, {100, 1300}, 8, {1, 4}},
                 {{0, 0, 0}, {30, 60, 9}, 4, {1, 5, 1}}};
    for (const auto &c : cases) {
        walk_record record;
        int ndims = static_cast<int>(c.start.size());
        ASSERT_EQ(VR_var_loop(ndims, c.start.data(), c.count.data(), c.value_size,
                              c.step.empty() ? nullptr : c.step.data(), 10000, &record,
                              record_piece),
                  0);
        long total = 1;
        for (long n : c.count)
            total *= n;
        EXPECT_EQ(static_cast<long>(record.visits.size()), total);
        for (const auto &visit : record.visits)
            ASSERT_EQ(visit.second, 1);
        EXPECT_LE(record.max_values * c.value_size, std::max(10000, c.value_size));
        if (!c.step.empty()) {
            // Full pieces of the stepping dimension are multiples of its step.
            for (size_t p = 0; p + 1 < record.counts.size(); p++)
                for (int d = 0; d < ndims; d++)
                    if (record.counts[p][d] != c.count[d] && record.counts[p][d] > 1) {
                        EXPECT_EQ(record.counts[p][d] % c.step[d], 0);
                    }
        }
    }
}

TEST(VornVarLoop, EdgeCases) {
    walk_record scalar;
    EXPECT_EQ(VR_var_loop(0, nullptr, nullptr, 4, nullptr, 10000, &scalar, record_piece), 0);
    EXPECT_EQ(scalar.starts.size(), 1u);

    walk_record empty;
    long start[2] = {0, 0}, count[2] = {5, 0};
    EXPECT_EQ(VR_var_loop(2, start, count, 4, nullptr, 10000, &empty, record_piece), 0);
    EXPECT_TRUE(empty.starts.empty());

    walk_record failing;
    failing.fail_at = 2;
    long big[1] = {100000};
    long zero[1] = {0};
    EXPECT_EQ(VR_var_loop(1, zero, big, 8, nullptr, 10000, &failing, record_piece), -1);
    EXPECT_EQ(failing.starts.size(), 2u);
}

} // namespace
