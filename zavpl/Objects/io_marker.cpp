// Markers in object files.

#include "Geometry/colour_pack.h"
#include "Objects/geometry_io.h"
#include "Objects/markers.h"
#include "Objects/object_io.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"
#include "Prog_utils/value_io.h"

Status io_marker(FILE *file, IO_types io_flag, File_formats format, marker_struct *marker) {
    if (io_flag == READ_FILE) {
        initialize_marker(marker, BOX_MARKER, make_Colour_0_1(1.0, 1.0, 1.0));
        fill_Point(marker->position, 0.0, 0.0, 0.0);
    }

    int type = (int)marker->type;
    if (io_object_type(file, io_flag, format, MARKER) != OK ||
        io_int(file, io_flag, format, &type) != OK)
        return ERROR;
    if (io_flag == READ_FILE) {
        if (type < 0 || type >= N_MARKER_TYPES) {
            print_error("Error, unrecognized marker type %d.\n", type);
            return ERROR;
        }
        marker->type = (Marker_types)type;
    }

    if (io_real(file, io_flag, format, &marker->size) != OK ||
        io_colour(file, io_flag, format, &marker->colour) != OK ||
        io_point(file, io_flag, format, &marker->position) != OK ||
        io_int(file, io_flag, format, &marker->structure_id) != OK ||
        io_int(file, io_flag, format, &marker->patient_id) != OK ||
        io_quoted_string(file, io_flag, format, &marker->label) != OK)
        return ERROR;
    return io_newline(file, io_flag, format);
}
