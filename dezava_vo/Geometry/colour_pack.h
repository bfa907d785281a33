#ifndef DEZAVA_VO_COLOUR_PACK_H
#define DEZAVA_VO_COLOUR_PACK_H

// Packing of Colour values (red, green, blue, alpha bytes, red highest) and
// their conversion to and from components between 0 and 1.

#include "Prog_utils/basic.h"

// Colour from the low 8 bits of each argument.
Colour make_rgba_Colour(int r, int g, int b, int a);

// Opaque colour from the low 8 bits of r, g and b.
Colour make_Colour(int r, int g, int b);

// One component, 0 to 255.
int get_Colour_r(Colour colour);
int get_Colour_g(Colour colour);
int get_Colour_b(Colour colour);
int get_Colour_a(Colour colour);

// Each component x becomes trunc(x * 255 + 0.5), saturated to 0..255 so that
// values slightly outside [0, 1] keep their meaning; NaN gives 0.
Colour make_Colour_0_1(Real r, Real g, Real b);
Colour make_rgba_Colour_0_1(Real r, Real g, Real b, Real a);

// One component divided by 255.
Real get_Colour_r_0_1(Colour colour);
Real get_Colour_g_0_1(Colour colour);
Real get_Colour_b_0_1(Colour colour);
Real get_Colour_a_0_1(Colour colour);

// TRUE when all 32 bits are equal.
BOOLEAN equal_colours(Colour col1, Colour col2);

// The byte that a real colour component (on the 0-to-255 scale, already
// rounded) is stored as: saturated to 0..255, NaN as 0.
int colour_component_from_real(Real value);

#endif
