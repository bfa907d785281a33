#include <gtest/gtest.h>

#include <vector>

#include <dezava_vo.h>

#include "print_capture.h"

using tarvex_test::CapturePrint;

TEST(LeastSquares, FitsAPlaneThroughPoints) {
    // values = 1 + 2 x - 3 y + 0.5 z exactly.
    const Real coords[][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {2, 3, 4}, {-1, 5, 2}};
    std::vector<Real *> points;
    std::vector<Real> values;
    for (const auto &c : coords) {
        points.push_back(const_cast<Real *>(c));
        values.push_back(1 + 2 * c[0] - 3 * c[1] + 0.5 * c[2]);
    }
    Real parameters[4];
    ASSERT_TRUE(least_squares((int)values.size(), 3, points.data(), values.data(), parameters));
    EXPECT_NEAR(parameters[0], 1.0, 1e-10);
    EXPECT_NEAR(parameters[1], 2.0, 1e-10);
    EXPECT_NEAR(parameters[2], -3.0, 1e-10);
    EXPECT_NEAR(parameters[3], 0.5, 1e-10);
}

TEST(LeastSquares, LineThroughNoisyPointsMinimisesSquaredError) {
    // y = x plus residuals (+1, -2, +1) that sum to zero and are orthogonal
    // to x, so the best line is y = x.
    Real xs[] = {0, 1, 2};
    Real *points[] = {&xs[0], &xs[1], &xs[2]};
    Real values[] = {1, -1, 3};
    Real parameters[2];
    ASSERT_TRUE(least_squares(3, 1, points, values, parameters));
    EXPECT_NEAR(parameters[0], 0.0, 1e-12);
    EXPECT_NEAR(parameters[1], 1.0, 1e-12);
}

TEST(LeastSquares, AccumulatorCanBeSolvedAndExtended) {
    linear_least_squares lsq;
    initialize_linear_least_squares(&lsq, 2);
    Real row1[] = {1, 0}, row2[] = {0, 1}, row3[] = {1, 1};
    add_to_linear_least_squares(&lsq, row1, 2.0);
    add_to_linear_least_squares(&lsq, row2, 3.0);
    Real solution[2];
    ASSERT_TRUE(get_linear_least_squares_solution(&lsq, solution));
    EXPECT_NEAR(solution[0], 2.0, 1e-12);
    EXPECT_NEAR(solution[1], 3.0, 1e-12);

    // Solving leaves the sums usable: a third observation moves the answer.
    add_to_linear_least_squares(&lsq, row3, 8.0);
    ASSERT_TRUE(get_linear_least_squares_solution(&lsq, solution));
    EXPECT_NEAR(solution[0], 3.0, 1e-12);
    EXPECT_NEAR(solution[1], 4.0, 1e-12);
    delete_linear_least_squares(&lsq);
}

TEST(LeastSquares, UnsolvableEquationsPrintTheMessageAndGiveZeros) {
    struct Case {
        const char *what;
        int n_points;
        int n_dims;
    } cases[] = {{"no points", 0, 1},
                 {"one point for a line", 1, 1},
                 {"one x repeated", 3, 1},
                 {"no parameters", 3, -1}};
    Real xs[] = {4, 4, 4};
    Real *points[] = {&xs[0], &xs[1], &xs[2]};
    Real values[] = {1, 2, 3};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CapturePrint capture;
        Real parameters[2] = {9, 9};
        EXPECT_FALSE(least_squares(c.n_points, c.n_dims, points, values, parameters));
        EXPECT_EQ(capture.err(), "Could not solve least squares, non-invertible matrix.\n");
        if (c.n_dims >= 0) {
            EXPECT_EQ(parameters[0], 0.0);
            EXPECT_EQ(parameters[1], 0.0);
        }
    }
}
