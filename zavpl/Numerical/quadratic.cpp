// Closed-form real roots of quadratics.

#include "Numerical/quadratic.h"

#include <cmath>

int solve_quadratic(Real a, Real b, Real c, Real *solution1, Real *solution2) {
    if (a != 0.0) {
        // The discriminant is formed in this order so that results are
        // reproducible to the last bit.
        Real discriminant = b * b + (a * -4.0) * c;
        if (discriminant < 0.0) return 0;
        if (discriminant == 0.0) {
            *solution1 = -0.5 * b / a;
            return 1;
        }
        Real root = std::sqrt(discriminant);
        *solution1 = (-b - root) * 0.5 / a;
        *solution2 = (root - b) * 0.5 / a;
        return 2;
    }
    if (b != 0.0) {
        *solution1 = -c / b;
        return 1;
    }
    return 0;
}
