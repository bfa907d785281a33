#ifndef DEZAVA_VO_LEAST_SQUARES_H
#define DEZAVA_VO_LEAST_SQUARES_H

// Linear least squares by normal equations.

#include "Prog_utils/basic.h"

// The normal equations accumulated so far: only the upper triangle (j >= i)
// of second_derivs is filled while adding.
struct linear_least_squares {
    int n_parameters;
    Real **second_derivs;
    Real *constants;
};

// Sets the count and, when it is positive, makes zeroed equations.
void initialize_linear_least_squares(linear_least_squares *lsq, int n_parameters);

// Adds one observation: constant ~ sum of parameter_coefs[i] * parameter i.
void add_to_linear_least_squares(linear_least_squares *lsq, const Real parameter_coefs[],
                                 Real constant);

// Solves the equations into solution (n_parameters values). On failure prints
// "Could not solve least squares, non-invertible matrix.", sets the solution
// to zeros and returns FALSE.
BOOLEAN get_linear_least_squares_solution(linear_least_squares *lsq, Real solution[]);

// Frees the equations.
void delete_linear_least_squares(linear_least_squares *lsq);

// Fits values[p] ~ parameters[0] + sum over d of parameters[d + 1] * points[p][d]
// for n_points points of n_dims coordinates; parameters holds n_dims + 1
// values. Returns the solver's success.
BOOLEAN least_squares(int n_points, int n_dims, Real **points, const Real values[],
                      Real parameters[]);

#endif
