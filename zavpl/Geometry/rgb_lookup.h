#ifndef ZAVPL_RGB_LOOKUP_H
#define ZAVPL_RGB_LOOKUP_H

// The fixed 256-colour palette of 8-bit pixel images: 3 bits of red, 3 of
// green and 2 of blue, index r + 8 g + 64 b.

#include "Prog_utils/basic.h"

// The palette, built on the first call and kept for the life of the process.
const Colour *get_8bit_rgb_pixel_lookup(void);

// The palette index of a colour: red / 32 + 8 (green / 32) + 64 (blue / 64).
int convert_rgb_pixel_to_8bit_lookup(Colour colour);

#endif
