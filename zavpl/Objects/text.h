#ifndef ZAVPL_TEXT_H
#define ZAVPL_TEXT_H

// Text label records.

#include "Objects/objects.h"

// Origin from position when given, colour, font and size set, an empty string.
void initialize_text(text_struct *text, Point *position, Colour colour, Font_types text_font,
                     Real size);

// Frees the string.
void delete_text(text_struct *text);

#endif
