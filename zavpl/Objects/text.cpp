// Text label records.

#include "Objects/text.h"

#include "Prog_utils/string_funcs.h"

void initialize_text(text_struct *text, Point *position, Colour colour, Font_types text_font,
                     Real size) {
    if (position != nullptr) text->origin = *position;
    text->colour = colour;
    text->font = text_font;
    text->size = size;
    text->string = create_string(nullptr);
}

void delete_text(text_struct *text) {
    delete_string(text->string);
    text->string = nullptr;
}
