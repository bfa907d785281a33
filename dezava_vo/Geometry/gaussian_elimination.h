#ifndef DEZAVA_VO_GAUSSIAN_ELIMINATION_H
#define DEZAVA_VO_GAUSSIAN_ELIMINATION_H

// Dense linear systems by Gaussian elimination with scaled partial pivoting.
// Matrices are n by n arrays made with ALLOC2D, indexed [row][column].
// Every function fails (FALSE) when n <= 0, when a row is all zeros, when a
// pivot is zero or no larger than rounding residue (n * DBL_EPSILON times its
// row's largest element), or when the solution is not finite.

#include "Prog_utils/basic.h"

// Solves a x = b for the n_values right-hand sides held as the columns of
// solution (n by n_values). a is destroyed; row receives the pivot order and
// the solution of unknown i is left in solution[row[i]]. On failure a and
// solution are partly changed.
BOOLEAN scaled_maximal_pivoting_gaussian_elimination(int n, int row[], Real **a, int n_values,
                                                     Real **solution);

// Solves coefs x = values[k] for each of the n_values rows of values (each n
// numbers) and overwrites values[k] with x. coefs is not changed; values is
// unchanged on failure.
BOOLEAN scaled_maximal_pivoting_gaussian_elimination_real(int n, Real **coefs, int n_values,
                                                          Real **values);

// solution = the x with coefs x = values; values is not changed.
BOOLEAN solve_linear_system(int n, Real **coefs, Real values[], Real solution[]);

// inverse = matrix^-1; the identity on failure. inverse may be matrix.
BOOLEAN invert_square_matrix(int n, Real **matrix, Real **inverse);

#endif
