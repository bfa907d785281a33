#include "Numerical/least_squares.h"

#include <vector>

#include "Geometry/gaussian_elimination.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

void initialize_linear_least_squares(linear_least_squares *lsq, int n_parameters) {
    lsq->n_parameters = n_parameters;
    lsq->second_derivs = nullptr;
    lsq->constants = nullptr;
    if (n_parameters <= 0) return;

    ALLOC2D(lsq->second_derivs, n_parameters, n_parameters);
    ALLOC(lsq->constants, n_parameters);
    if (lsq->second_derivs == nullptr || lsq->constants == nullptr) {
        // Without both arrays nothing can be accumulated; the solution will
        // report the failure.
        delete_linear_least_squares(lsq);
        lsq->n_parameters = n_parameters;
        return;
    }
    for (int i = 0; i < n_parameters; ++i) {
        lsq->constants[i] = 0.0;
        for (int j = 0; j < n_parameters; ++j)
            lsq->second_derivs[i][j] = 0.0;
    }
}

void add_to_linear_least_squares(linear_least_squares *lsq, const Real parameter_coefs[],
                                 Real constant) {
    if (lsq->second_derivs == nullptr || lsq->constants == nullptr) return;
    int n = lsq->n_parameters;
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j)
            lsq->second_derivs[i][j] += parameter_coefs[i] * parameter_coefs[j];
        lsq->constants[i] += constant * parameter_coefs[i];
    }
}

BOOLEAN get_linear_least_squares_solution(linear_least_squares *lsq, Real solution[]) {
    int n = lsq->n_parameters;
    BOOLEAN solved = FALSE;
    if (lsq->second_derivs != nullptr && lsq->constants != nullptr) {
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                lsq->second_derivs[j][i] = lsq->second_derivs[i][j];
        solved = solve_linear_system(n, lsq->second_derivs, lsq->constants, solution);
    }

    if (!solved) {
        print_error("Could not solve least squares, non-invertible matrix.\n");
        for (int i = 0; i < n; ++i)
            solution[i] = 0.0;
    }
    return solved;
}

void delete_linear_least_squares(linear_least_squares *lsq) {
    if (lsq->second_derivs != nullptr) FREE2D(lsq->second_derivs);
    if (lsq->constants != nullptr) FREE(lsq->constants);
    lsq->n_parameters = 0;
}

BOOLEAN least_squares(int n_points, int n_dims, Real **points, const Real values[],
                      Real parameters[]) {
    linear_least_squares lsq;
    initialize_linear_least_squares(&lsq, n_dims + 1);

    // Each point contributes the row (1, its coordinates).
    std::vector<Real> coefs(n_dims >= 0 ? static_cast<size_t>(n_dims) + 1 : 0);
    for (int p = 0; p < n_points && !coefs.empty(); ++p) {
        coefs[0] = 1.0;
        for (int d = 0; d < n_dims; ++d)
            coefs[static_cast<size_t>(d) + 1] = points[p][d];
        add_to_linear_least_squares(&lsq, coefs.data(), values[p]);
    }

    BOOLEAN solved = get_linear_least_squares_solution(&lsq, parameters);
    delete_linear_least_squares(&lsq);
    return solved;
}
