#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <dezava_vo.h>

#include "print_capture.h"

using tarvex_test::CapturePrint;

namespace {

Transform_2d make_2d(Real a0, Real a1, Real a2, Real a3, Real a4, Real a5) {
    Transform_2d t;
    Real values[6] = {a0, a1, a2, a3, a4, a5};
    for (int k = 0; k < 6; ++k)
        t.m2d[k / 3][k % 3] = values[k];
    return t;
}

void expect_2d_near(const Transform_2d &t, const Transform_2d &expected, Real tolerance) {
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(t.m2d[i][j], expected.m2d[i][j], tolerance) << i << "," << j;
}

} // namespace

TEST(Transform2d, StorageOrderIsTheTwoRowsOfTheAffineMatrix) {
    Transform_2d t = make_2d(1, 2, 3, 4, 5, 6);
    Real x, y;
    transform_point_2d(&t, 10, 100, &x, &y);
    EXPECT_EQ(x, 1 * 10 + 2 * 100 + 3);
    EXPECT_EQ(y, 4 * 10 + 5 * 100 + 6);

    make_identity_transform_2d(&t);
    expect_2d_near(t, make_2d(1, 0, 0, 0, 1, 0), 0.0);
}

TEST(Transform2d, InverseUndoesTheTransform) {
    Transform_2d t = make_2d(2, 1, -3, 0.5, 4, 7), inverse;
    ASSERT_TRUE(get_inverse_transform_2d(&t, &inverse));
    Real x, y, back_x, back_y;
    transform_point_2d(&t, 1.5, -2.5, &x, &y);
    transform_point_2d(&inverse, x, y, &back_x, &back_y);
    EXPECT_NEAR(back_x, 1.5, 1e-12);
    EXPECT_NEAR(back_y, -2.5, 1e-12);

    // In place.
    Transform_2d in_place = t;
    ASSERT_TRUE(get_inverse_transform_2d(&in_place, &in_place));
    expect_2d_near(in_place, inverse, 0.0);
}

TEST(Transform2d, SingularInverseIsRefusedWithTheIdentity) {
    Transform_2d identity;
    make_identity_transform_2d(&identity);
    const Transform_2d singular[] = {
        make_2d(1, 2, 5, 2, 4, 6),           // parallel rows
        make_2d(0, 0, 1, 0, 0, 1),           // all zero
        make_2d(1e-200, 0, 1, 0, 1e-200, 1), // determinant underflows to 0
        make_2d(1e-170, 0, 1e170, 0, 1, 0),  // inverse overflows
    };
    for (const Transform_2d &t : singular) {
        Transform_2d inverse = make_2d(9, 9, 9, 9, 9, 9);
        EXPECT_FALSE(get_inverse_transform_2d(&t, &inverse));
        expect_2d_near(inverse, identity, 0.0);
    }
}

TEST(Transform2d, LeastSquaresRecoversAnExactAffineMap) {
    Transform_2d truth = make_2d(1.5, -0.25, 10, 0.75, 2, -4), fitted;
    std::vector<Real> x = {0, 1, 0, 3, -2, 5}, y = {0, 0, 1, 2, 7, -1};
    std::vector<Real> xt(x.size()), yt(x.size());
    for (size_t k = 0; k < x.size(); ++k)
        transform_point_2d(&truth, x[k], y[k], &xt[k], &yt[k]);

    ASSERT_TRUE(get_least_squares_transform_2d((int)x.size(), x.data(), y.data(), xt.data(),
                                               yt.data(), &fitted));
    expect_2d_near(fitted, truth, 1e-9);
}

TEST(Transform2d, LeastSquaresAveragesNoise) {
    // Four corners of a square, the outputs pushed by +1 and -1 alternately:
    // the best fit is the translation by (2, 3) with the noise cancelled.
    Real x[] = {0, 1, 0, 1}, y[] = {0, 0, 1, 1};
    Real xt[] = {2 + 1, 3 - 1, 2 - 1, 3 + 1}, yt[] = {3, 3, 4, 4};
    Transform_2d fitted;
    ASSERT_TRUE(get_least_squares_transform_2d(4, x, y, xt, yt, &fitted));
    expect_2d_near(fitted, make_2d(1, 0, 2, 0, 1, 3), 1e-12);
}

TEST(Transform2d, LeastSquaresWithoutEnoughPointsFailsWithAMessage) {
    Real x[] = {0, 1, 2}, y[] = {0, 1, 2}; // collinear
    Real xt[] = {1, 2, 3}, yt[] = {4, 5, 6};
    const int counts[] = {0, 2, 3};
    for (int n : counts) {
        SCOPED_TRACE(n);
        CapturePrint capture;
        Transform_2d fitted = make_2d(9, 9, 9, 9, 9, 9);
        EXPECT_FALSE(get_least_squares_transform_2d(n, x, y, xt, yt, &fitted));
        EXPECT_EQ(capture.err(), "Could not solve least squares, non-invertible matrix.\n");
        expect_2d_near(fitted, make_2d(0, 0, 0, 0, 0, 0), 0.0);
    }
}
