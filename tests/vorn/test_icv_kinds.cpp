// Every stored kind of value read and written through an ICV of every kind,
// with range mapping off: clamping and rounding only, in files of both
// versions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "icv_files.h"

using namespace tarvex_test;

namespace {

const size_t sample_count = 12;

// Values each kind can hold exactly, chosen around the limits and the
// rounding points of the others.
const std::vector<double> &samples(const value_kind &kind) {
    static const std::vector<double> byte{-128, -127, -3, -1, 0, 1, 2, 3, 100, 126, 127, 5};
    static const std::vector<double> ubyte{0, 1, 2, 3, 127, 128, 129, 200, 254, 255, 10, 50};
    static const std::vector<double> shrt{-32768, -32767, -129, -128, -1,  0,
                                          1,      127,    128,  255,  256, 32767};
    static const std::vector<double> ushrt{0,     1,     127,   128,   255,   256,
                                           32767, 32768, 40000, 65534, 65535, 1000};
    static const std::vector<double> integer{
        -2147483648.0, -2147483647.0, -70000, -32769,      -129, -1, 0, 1,
        255,           65536,         70000,  2147483647.0};
    static const std::vector<double> uinteger{0,
                                              1,
                                              128,
                                              256,
                                              32768,
                                              65535,
                                              65536,
                                              2147483647.0,
                                              2147483648.0,
                                              3000000000.0,
                                              4294967294.0,
                                              4294967295.0};
    static const std::vector<double> real{-FLT_MAX, -1e10, -2.5,  -0.5,  -0.4921875, 0,
                                          0.5,      2.5,   127.5, 255.5, 1e10,       NAN};
    static const std::vector<double> dbl{-1e300,        -2147483648.5, -2.5,  -1.5,
                                         0.49999999999, 2.5,           300,   32767.5,
                                         65535.5,       4294967295.4,  1e300, NAN};
    switch (kind.type) {
    case NC_BYTE:
        return kind.is_signed ? byte : ubyte;
    case NC_SHORT:
        return kind.is_signed ? shrt : ushrt;
    case NC_INT:
        return kind.is_signed ? integer : uinteger;
    case NC_FLOAT:
        return real;
    default:
        return dbl;
    }
}

raw_values sample_values(const value_kind &kind) {
    raw_values values(kind, sample_count);
    for (size_t i = 0; i < sample_count; i++)
        values.set(i, samples(kind)[i]);
    return values;
}

void expect_same(double got, double expected, size_t i) {
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(got)) << "value " << i;
    else
        EXPECT_EQ(got, expected) << "value " << i;
}

class IcvKindsTest : public VornBothVersions {};

TEST_P(IcvKindsTest, EveryStoredKindConvertsToAndFromEveryOther) {
    int fd = create(version(), "kinds.vr");
    ASSERT_GE(fd, 0);
    int dim = VR2dimdef(fd, "xspace", sample_count);
    std::vector<int> vars;
    for (const value_kind &kind : all_kinds()) {
        vars.push_back(VR2vardef(fd, kind.name, kind.type, 1, &dim));
        ASSERT_GE(vars.back(), 0);
        if (is_integer(kind)) {
            ASSERT_EQ(vrattputstr(fd, vars.back(), "signtype", sign_text(kind)), 0);
        }
    }
    ASSERT_GE(VR2endef(fd), 0);

    long start = 0, count = sample_count;
    for (size_t s = 0; s < all_kinds().size(); s++) {
        const value_kind &stored = all_kinds()[s];
        for (const value_kind &caller : all_kinds()) {
            SCOPED_TRACE(std::string(stored.name) + " stored, " + caller.name + " asked");
            raw_values source = sample_values(stored);
            ASSERT_EQ(vrvarput(fd, vars[s], &start, &count, stored.type, sign_text(stored),
                               source.data()),
                      0);
            int icv = create_icv(caller);
            ASSERT_EQ(vricv_setint(icv, VR_ICV_DO_RANGE, FALSE), 0);
            ASSERT_EQ(vricv_attach(icv, fd, vars[s]), 0);

            raw_values got(caller, sample_count);
            ASSERT_EQ(vricv_get(icv, &start, &count, got.data()), 0);
            for (size_t i = 0; i < sample_count; i++)
                expect_same(got.get(i), converted(source.get(i), caller), i);

            raw_values written = sample_values(caller);
            ASSERT_EQ(vricv_put(icv, &start, &count, written.data()), 0);
            raw_values back(stored, sample_count);
            ASSERT_EQ(
                vrvarget(fd, vars[s], &start, &count, stored.type, sign_text(stored), back.data()),
                0);
            for (size_t i = 0; i < sample_count; i++)
                expect_same(back.get(i), converted(written.get(i), stored), i);
            EXPECT_EQ(vricv_free(icv), 0);
        }
    }
    EXPECT_EQ(vrclose(fd), 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, IcvKindsTest, ::testing::Values(1, 2), version_name);

} // namespace
