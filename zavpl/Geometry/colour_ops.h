#ifndef ZAVPL_COLOUR_OPS_H
#define ZAVPL_COLOUR_OPS_H

// Comparing, matching, weighing and scaling colours.

#include "Prog_utils/basic.h"

// Squared distance between (r, g, b) and the red, green and blue of c2.
int get_colour_distance(int r, int g, int b, Colour c2);

// Index of the colour nearest (r, g, b), the earliest of equal distances;
// -1 when n_colours <= 0.
int find_closest_colour(int r, int g, int b, int n_colours, const Colour colours[]);

// floor(0.299 red + 0.587 green + 0.114 blue + 0.5), 0 to 255.
int get_Colour_luminance(Colour colour);

// Red, green and blue each become floor(component * factor + 0.5), saturated
// to 0..255 (so brightening never wraps round to a dark value); alpha is kept.
Colour scale_colour(Colour colour, Real factor);

#endif
