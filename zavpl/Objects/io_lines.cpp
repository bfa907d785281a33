// Polyline sets in object files.

#include "Geometry/colour_pack.h"
#include "Objects/geometry_io.h"
#include "Objects/lines.h"
#include "Objects/object_io.h"
#include "Objects/object_io_checks.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/value_io.h"

Status io_lines(FILE *file, IO_types io_flag, File_formats format, lines_struct *lines) {
    if (io_flag == READ_FILE) {
        initialize_lines(lines, make_Colour_0_1(1.0, 1.0, 1.0));
        // The colour block brings the colours.
        if (lines->colours != nullptr) FREE(lines->colours);
    } else if (lines->n_points <= 0 || lines->n_items <= 0) {
        return OK;
    }

    if (io_object_type(file, io_flag, format, LINES) != OK ||
        io_float(file, io_flag, format, &lines->line_thickness) != OK)
        return ERROR;
    // Binary files of old writers hold unusable thicknesses.
    if (io_flag == READ_FILE && format == BINARY_FORMAT &&
        (lines->line_thickness <= 0.001f || lines->line_thickness > 20.0f))
        lines->line_thickness = 1.0f;

    int n_points = lines->n_points;
    if (io_int(file, io_flag, format, &n_points) != OK || io_newline(file, io_flag, format) != OK ||
        io_points(file, io_flag, format, n_points, &lines->points) != OK)
        return ERROR;
    lines->n_points = n_points;

    int n_items = lines->n_items;
    if (io_newline(file, io_flag, format) != OK || io_int(file, io_flag, format, &n_items) != OK ||
        io_newline(file, io_flag, format) != OK)
        return ERROR;
    if (io_flag == READ_FILE &&
        check_values_fit(file, format, n_items, sizeof(int), 1, "polylines") != OK)
        return ERROR;

    if (io_colours(file, io_flag, format, &lines->colour_flag, n_items, n_points,
                   &lines->colours) != OK ||
        io_newline(file, io_flag, format) != OK)
        return ERROR;
    Status status = io_index_runs(file, io_flag, format, n_items, n_points, &lines->end_indices,
                                  &lines->indices, 1);
    if (io_flag == READ_FILE && status == OK) lines->n_items = n_items;
    return status;
}
