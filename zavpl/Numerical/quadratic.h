#ifndef ZAVPL_QUADRATIC_H
#define ZAVPL_QUADRATIC_H

// Closed-form real roots of quadratics.

#include "Prog_utils/basic.h"

// Real roots of a*u^2 + b*u + c. Returns how many there are (0, 1 or 2):
// with two, *solution1 holds the one from -sqrt(D) and *solution2 the one from
// +sqrt(D) (ascending when a > 0); with one, only *solution1 is written. A
// linear equation (a = 0, b != 0) has its single root in *solution1.
int solve_quadratic(Real a, Real b, Real c, Real *solution1, Real *solution2);

#endif
