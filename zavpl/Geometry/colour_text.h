#ifndef ZAVPL_COLOUR_TEXT_H
#define ZAVPL_COLOUR_TEXT_H

// Colours written as text: a colour name, or three or four numbers between
// 0 and 1 separated by white space or commas.

#include "Prog_utils/basic.h"

// The colour a text names or lists; opaque black for anything else (also
// for a null text). Text after the last number is ignored.
Colour convert_string_to_colour(const char *string);

// A new string: the colour's table name, or "%g %g %g" of red, green and blue
// divided by 255 when no name carries exactly this colour (alpha included).
STRING convert_colour_to_string(Colour col);

#endif
