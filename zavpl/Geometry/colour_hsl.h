#ifndef ZAVPL_COLOUR_HSL_H
#define ZAVPL_COLOUR_HSL_H

// Hue, saturation and lightness, all between 0 and 1.

#include "Prog_utils/basic.h"

// HSL of an RGB triple; greys (and black) give hue 0, and black saturation 0.
void rgb_to_hsl(Real r, Real g, Real b, Real *h, Real *s, Real *l);

// RGB of an HSL triple; the hue wraps around, so h = 1 is the same as h = 0.
void hsl_to_rgb(Real h, Real sl, Real l, Real *r, Real *g, Real *b);

// The colour's H, S and L packed as an opaque colour's red, green and blue.
void convert_colour_to_hsl(Colour rgb, Colour *hsl);

// The inverse: red, green and blue bytes read as H, S and L.
void convert_colour_to_rgb(Colour hsl, Colour *rgb);

#endif
