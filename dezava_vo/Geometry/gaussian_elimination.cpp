#include "Geometry/gaussian_elimination.h"

#include <cfloat>
#include <cmath>
#include <vector>

#include "Prog_utils/alloc.h"

namespace {

// Work arrays of one solve, released however the solve ends.
struct elimination_work {
    int *row = nullptr;
    Real **a = nullptr;
    Real **solution = nullptr;

    ~elimination_work() {
        if (row != nullptr) FREE(row);
        if (a != nullptr) FREE2D(a);
        if (solution != nullptr) FREE2D(solution);
    }

    // n by n for a, n by n_columns (at least one) for solution.
    bool make(int n, int n_columns) {
        ALLOC(row, n);
        ALLOC2D(a, n, n);
        ALLOC2D(solution, n, n_columns > 0 ? n_columns : 1);
        return row != nullptr && a != nullptr && solution != nullptr;
    }
};

// A pivot this small next to its row's largest original element is rounding
// residue of a singular matrix, not information: dividing by it would give a
// solution of noise presented as an answer.
bool negligible_pivot(Real pivot, Real row_scale, int n) {
    return std::fabs(pivot) <= n * DBL_EPSILON * row_scale;
}

void set_identity(int n, Real **matrix) {
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            matrix[i][j] = (i == j) ? 1.0 : 0.0;
}

} // namespace

BOOLEAN scaled_maximal_pivoting_gaussian_elimination(int n, int row[], Real **a, int n_values,
                                                     Real **solution) {
    if (n <= 0) return FALSE;
    if (n_values < 0) n_values = 0;

    // Each row is weighed by its largest element, so that pivots are chosen
    // by their size relative to their own row.
    std::vector<Real> scale(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        row[i] = i;
        Real largest = 0.0;
        for (int j = 0; j < n; ++j)
            if (std::fabs(a[i][j]) > largest) largest = std::fabs(a[i][j]);
        if (largest == 0.0) return FALSE;
        scale[i] = largest;
    }

    for (int i = 0; i < n - 1; ++i) {
        int best = i;
        Real best_ratio = std::fabs(a[row[i]][i] / scale[row[i]]);
        for (int p = i + 1; p < n; ++p) {
            Real ratio = std::fabs(a[row[p]][i] / scale[row[p]]);
            if (ratio > best_ratio) {
                best = p;
                best_ratio = ratio;
            }
        }
        if (negligible_pivot(a[row[best]][i], scale[row[best]], n)) return FALSE;
        if (best != i) {
            int swap = row[i];
            row[i] = row[best];
            row[best] = swap;
        }

        const Real *pivot_row = a[row[i]];
        const Real *pivot_solution = solution[row[i]];
        for (int j = i + 1; j < n; ++j) {
            Real *target = a[row[j]];
            Real *target_solution = solution[row[j]];
            Real m = target[i] / pivot_row[i];
            for (int v = i + 1; v < n; ++v)
                target[v] -= m * pivot_row[v];
            for (int v = 0; v < n_values; ++v)
                target_solution[v] -= m * pivot_solution[v];
        }
    }

    if (negligible_pivot(a[row[n - 1]][n - 1], scale[row[n - 1]], n)) return FALSE;

    for (int i = n - 1; i >= 0; --i) {
        const Real *coefs = a[row[i]];
        Real *values = solution[row[i]];
        for (int v = 0; v < n_values; ++v) {
            for (int j = i + 1; j < n; ++j)
                values[v] -= coefs[j] * solution[row[j]][v];
            values[v] /= coefs[i];
        }
    }

    // A pivot that is tiny but not zero can overflow the solution; that is
    // no solution either.
    for (int i = 0; i < n; ++i)
        for (int v = 0; v < n_values; ++v)
            if (!std::isfinite(solution[i][v])) return FALSE;
    return TRUE;
}

BOOLEAN scaled_maximal_pivoting_gaussian_elimination_real(int n, Real **coefs, int n_values,
                                                          Real **values) {
    if (n <= 0) return FALSE;
    if (n_values < 0) n_values = 0;

    elimination_work work;
    if (!work.make(n, n_values)) return FALSE;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            work.a[i][j] = coefs[i][j];
        for (int k = 0; k < n_values; ++k)
            work.solution[i][k] = values[k][i];
    }

    if (!scaled_maximal_pivoting_gaussian_elimination(n, work.row, work.a, n_values, work.solution))
        return FALSE;

    for (int k = 0; k < n_values; ++k)
        for (int i = 0; i < n; ++i)
            values[k][i] = work.solution[work.row[i]][k];
    return TRUE;
}

BOOLEAN solve_linear_system(int n, Real **coefs, Real values[], Real solution[]) {
    if (n <= 0) return FALSE;
    for (int i = 0; i < n; ++i)
        solution[i] = values[i];
    return scaled_maximal_pivoting_gaussian_elimination_real(n, coefs, 1, &solution);
}

BOOLEAN invert_square_matrix(int n, Real **matrix, Real **inverse) {
    if (n <= 0) return FALSE;

    // The columns of the identity as right-hand sides give the columns of the
    // inverse; working on copies lets inverse be the same array as matrix.
    elimination_work work;
    BOOLEAN solved = FALSE;
    if (work.make(n, n)) {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                work.a[i][j] = matrix[i][j];
        set_identity(n, work.solution);
        solved =
            scaled_maximal_pivoting_gaussian_elimination(n, work.row, work.a, n, work.solution);
    }

    if (!solved) {
        set_identity(n, inverse);
        return FALSE;
    }
    for (int i = 0; i < n; ++i)
        for (int v = 0; v < n; ++v)
            inverse[i][v] = work.solution[work.row[i]][v];
    return TRUE;
}
