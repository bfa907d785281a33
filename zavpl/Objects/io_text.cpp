// Text objects in object files.

#include "Geometry/colour_pack.h"
#include "Objects/geometry_io.h"
#include "Objects/object_io.h"
#include "Objects/text.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"
#include "Prog_utils/value_io.h"

Status io_text(FILE *file, IO_types io_flag, File_formats format, text_struct *text) {
    if (io_flag == READ_FILE) {
        Point origin;
        fill_Point(origin, 0.0, 0.0, 0.0);
        initialize_text(text, &origin, make_Colour_0_1(1.0, 1.0, 1.0), FIXED_FONT, 1.0);
        // The string read replaces the empty one.
        delete_string(text->string);
        text->string = nullptr;
    }

    int font = (int)text->font;
    if (io_object_type(file, io_flag, format, TEXT) != OK ||
        io_int(file, io_flag, format, &font) != OK)
        return ERROR;
    if (io_flag == READ_FILE) {
        if (font != FIXED_FONT && font != SIZED_FONT) {
            print_error("Error, unrecognized font type %d.\n", font);
            return ERROR;
        }
        text->font = (Font_types)font;
    }

    if (io_real(file, io_flag, format, &text->size) != OK ||
        io_colour(file, io_flag, format, &text->colour) != OK ||
        io_point(file, io_flag, format, &text->origin) != OK ||
        io_quoted_string(file, io_flag, format, &text->string) != OK)
        return ERROR;
    return io_newline(file, io_flag, format);
}
