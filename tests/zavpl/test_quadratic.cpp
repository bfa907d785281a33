// Closed-form roots of quadratics.

#include <gtest/gtest.h>

#include <cmath>

#include <zavpl.h>

namespace {

struct QuadraticCase {
    Real a, b, c;
    int n_roots;
    Real root1, root2;
};

} // namespace

TEST(Quadratic, RootsByDiscriminant) {
    const QuadraticCase cases[] = {
        {1, -3, 2, 2, 1, 2},    // two roots, ascending for a > 0
        {-1, 3, -2, 2, 2, 1},   // the -sqrt(D) root first whatever the sign of a
        {1, 2, 1, 1, -1, 0},    // double root
        {0, 2, -4, 1, 2, 0},    // linear
        {0, 0, 1, 0, 0, 0},     // constant
        {1, 0, 1, 0, 0, 0},     // no real roots
        {2, -2, -24, 2, -3, 4}, // the sphere point-count inversion for 26 points
    };
    for (const QuadraticCase &q : cases) {
        SCOPED_TRACE(::testing::Message() << q.a << " " << q.b << " " << q.c);
        Real s1 = -999.0, s2 = -999.0;
        ASSERT_EQ(solve_quadratic(q.a, q.b, q.c, &s1, &s2), q.n_roots);
        // Slots beyond the number of roots are left untouched.
        EXPECT_DOUBLE_EQ(s1, q.n_roots >= 1 ? q.root1 : -999.0);
        EXPECT_DOUBLE_EQ(s2, q.n_roots == 2 ? q.root2 : -999.0);
    }
}
