#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <dezava_vo.h>

namespace {

// An n by n matrix made the way the solver's callers make them.
class Matrix {
  public:
    Matrix(int n, std::initializer_list<Real> values) : n_(n) {
        ALLOC2D(m_, n, n);
        auto it = values.begin();
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                m_[i][j] = *it++;
    }
    ~Matrix() { FREE2D(m_); }
    Matrix(const Matrix &) = delete;
    Matrix &operator=(const Matrix &) = delete;
    Real **rows() { return m_; }
    Real at(int i, int j) const { return m_[i][j]; }
    int size() const { return n_; }

  private:
    int n_;
    Real **m_ = nullptr;
};

} // namespace

TEST(GaussianElimination, SolvesASystemThatNeedsPivoting) {
    // A zero in the first pivot position forces a row exchange.
    Matrix a(3, {0, 2, 1, 1, 1, 1, 2, 1, 3});
    Real values[3] = {7, 6, 13}; // x = (1, 2, 3)
    Real solution[3];
    ASSERT_TRUE(solve_linear_system(3, a.rows(), values, solution));
    EXPECT_NEAR(solution[0], 1.0, 1e-12);
    EXPECT_NEAR(solution[1], 2.0, 1e-12);
    EXPECT_NEAR(solution[2], 3.0, 1e-12);
    EXPECT_EQ(values[0], 7.0); // inputs kept
    EXPECT_EQ(a.at(0, 0), 0.0);
}

TEST(GaussianElimination, CoreLeavesUnknownIInRowOfItsPivot) {
    Matrix a(2, {0, 1, 1, 0}); // swaps x and y
    Real solution_storage[2][1] = {{3}, {4}};
    Real *solution[2] = {solution_storage[0], solution_storage[1]};
    int row[2];
    ASSERT_TRUE(scaled_maximal_pivoting_gaussian_elimination(2, row, a.rows(), 1, solution));
    EXPECT_EQ(row[0], 1);
    EXPECT_EQ(row[1], 0);
    EXPECT_DOUBLE_EQ(solution[row[0]][0], 4.0); // x
    EXPECT_DOUBLE_EQ(solution[row[1]][0], 3.0); // y
}

TEST(GaussianElimination, SeveralRightHandSidesAreRowsOfValues) {
    Matrix a(2, {2, 1, 1, 3});
    Real rhs_storage[2][2] = {{3, 4}, {1, -2}}; // solutions (1, 1) and (1, -1)
    Real *values[2] = {rhs_storage[0], rhs_storage[1]};
    ASSERT_TRUE(scaled_maximal_pivoting_gaussian_elimination_real(2, a.rows(), 2, values));
    EXPECT_NEAR(values[0][0], 1.0, 1e-12);
    EXPECT_NEAR(values[0][1], 1.0, 1e-12);
    EXPECT_NEAR(values[1][0], 1.0, 1e-12);
    EXPECT_NEAR(values[1][1], -1.0, 1e-12);
}

TEST(GaussianElimination, FailuresLeaveValuesUnchanged) {
    struct Case {
        const char *what;
        Matrix *matrix;
    };
    Matrix zero_row(2, {1, 2, 0, 0});
    Matrix dependent_rows(2, {1, 2, 2, 4});
    // Exactly singular in real numbers, but rounding leaves a pivot of about
    // 1e-16 that would yield a huge answer.
    Matrix rounding_residue(3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    Matrix tiny_pivot(2, {1, 0, 0, 1e-310}); // 1 / 1e-310 overflows
    Matrix not_a_number(2, {1, 0, 0, NAN});
    Case cases[] = {{"zero row", &zero_row},
                    {"dependent rows", &dependent_rows},
                    {"rounding residue", &rounding_residue},
                    {"solution overflows", &tiny_pivot},
                    {"NaN", &not_a_number}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        int n = c.matrix->size();
        std::vector<Real> original = {7, 8, 9};
        std::vector<Real> values = original;
        Real *rows[1] = {values.data()};
        EXPECT_FALSE(
            scaled_maximal_pivoting_gaussian_elimination_real(n, c.matrix->rows(), 1, rows));
        EXPECT_EQ(values, original);
        Real solution[3];
        EXPECT_FALSE(solve_linear_system(n, c.matrix->rows(), values.data(), solution));
    }
}

TEST(GaussianElimination, EmptySystemIsRefused) {
    int row[1];
    Real value = 1.0;
    EXPECT_FALSE(scaled_maximal_pivoting_gaussian_elimination(0, row, nullptr, 0, nullptr));
    EXPECT_FALSE(solve_linear_system(0, nullptr, &value, &value));
    EXPECT_FALSE(invert_square_matrix(-1, nullptr, nullptr));
}

TEST(GaussianElimination, InverseTimesMatrixIsIdentity) {
    Matrix a(3, {4, -2, 1, 3, 6, -4, 2, 1, 8});
    Matrix inverse(3, {0, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(invert_square_matrix(3, a.rows(), inverse.rows()));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            Real sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum += a.at(i, k) * inverse.at(k, j);
            EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-12);
        }

    // Inverting in place gives the same answer.
    ASSERT_TRUE(invert_square_matrix(3, a.rows(), a.rows()));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_DOUBLE_EQ(a.at(i, j), inverse.at(i, j));
}

TEST(GaussianElimination, SingularInverseIsTheIdentity) {
    Matrix a(2, {1, 2, 2, 4});
    Matrix inverse(2, {5, 5, 5, 5});
    EXPECT_FALSE(invert_square_matrix(2, a.rows(), inverse.rows()));
    EXPECT_EQ(inverse.at(0, 0), 1.0);
    EXPECT_EQ(inverse.at(0, 1), 0.0);
    EXPECT_EQ(inverse.at(1, 0), 0.0);
    EXPECT_EQ(inverse.at(1, 1), 1.0);
}
