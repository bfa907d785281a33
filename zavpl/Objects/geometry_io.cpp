// Points, vectors, surface properties and single colours in object files.

#include "Objects/geometry_io.h"

#include "Objects/object_io_checks.h"
#include "Prog_utils/alloc.h"
#include "Geometry/colour_pack.h"
#include "Prog_utils/value_io.h"

namespace {

static_assert(sizeof(Point) == 3 * sizeof(float) && sizeof(Vector) == 3 * sizeof(float),
              "points and vectors move as blocks of three floats");

Status io_three_floats(FILE *file, IO_types io_flag, File_formats format, float coords[3]) {
    Status status = OK;
    for (int c = 0; c < 3 && status == OK; ++c)
        status = io_float(file, io_flag, format, &coords[c]);
    return status;
}

// A list of n three-float values: one block in binary, one per line in ASCII.
template <typename T>
Status io_triples(FILE *file, IO_types io_flag, File_formats format, int n, T *values[],
                  const char *what) {
    if (io_flag == READ_FILE) {
        *values = nullptr;
        if (check_values_fit(file, format, n, sizeof(T), 3, what) != OK) return ERROR;
        if (n == 0) return OK;
        ALLOC(*values, n);
        if (*values == nullptr) return ERROR;
    } else {
        if (n <= 0) return OK;
        if (check_array_to_write(*values, n, what) != OK) return ERROR;
    }

    Status status = OK;
    if (format == BINARY_FORMAT) {
        status = io_binary_data(file, io_flag, *values, sizeof(T), n);
    } else if (io_flag == READ_FILE) {
        // Long lists are parsed in runs; each run's float count fits an int.
        const int run = 1 << 20;
        for (int start = 0; start < n && status == OK; start += run) {
            int count = n - start < run ? n - start : run;
            status = input_floats(file, 3 * count, (*values)[start].coords);
        }
    } else {
        for (int i = 0; i < n && status == OK; ++i) {
            status = io_three_floats(file, io_flag, format, (*values)[i].coords);
            if (status == OK) status = io_newline(file, io_flag, format);
        }
    }
    if (status != OK && io_flag == READ_FILE) FREE(*values);
    return status;
}

} // namespace

Status io_point(FILE *file, IO_types io_flag, File_formats format, Point *point) {
    return io_three_floats(file, io_flag, format, point->coords);
}

Status io_vector(FILE *file, IO_types io_flag, File_formats format, Vector *v) {
    return io_three_floats(file, io_flag, format, v->coords);
}

Status io_points(FILE *file, IO_types io_flag, File_formats format, int n, Point *points[]) {
    return io_triples(file, io_flag, format, n, points, "points");
}

Status io_vectors(FILE *file, IO_types io_flag, File_formats format, int n, Vector *vectors[]) {
    return io_triples(file, io_flag, format, n, vectors, "vectors");
}

Status io_surfprop(FILE *file, IO_types io_flag, File_formats format, Surfprop *surfprop) {
    float *fields[] = {&surfprop->a, &surfprop->d, &surfprop->s, &surfprop->se, &surfprop->t};
    for (float *field : fields) {
        if (io_float(file, io_flag, format, field) != OK) return ERROR;
    }
    // Old files store a transparency of 0 for opaque surfaces.
    if (io_flag == READ_FILE && surfprop->t == 0.0f) surfprop->t = 1.0f;
    return OK;
}

Status io_colour(FILE *file, IO_types io_flag, File_formats format, Colour *colour) {
    if (format == BINARY_FORMAT) {
        unsigned char bytes[4];
        if (io_flag != READ_FILE) {
            bytes[0] = (unsigned char)get_Colour_a(*colour);
            bytes[1] = (unsigned char)get_Colour_b(*colour);
            bytes[2] = (unsigned char)get_Colour_g(*colour);
            bytes[3] = (unsigned char)get_Colour_r(*colour);
        }
        if (io_binary_data(file, io_flag, bytes, 1, 4) != OK) return ERROR;
        if (io_flag == READ_FILE)
            *colour = make_rgba_Colour(bytes[3], bytes[2], bytes[1], bytes[0]);
        return OK;
    }

    float rgba[4];
    if (io_flag != READ_FILE) {
        rgba[0] = (float)get_Colour_r_0_1(*colour);
        rgba[1] = (float)get_Colour_g_0_1(*colour);
        rgba[2] = (float)get_Colour_b_0_1(*colour);
        rgba[3] = (float)get_Colour_a_0_1(*colour);
    }
    for (float &component : rgba) {
        if (io_float(file, io_flag, format, &component) != OK) return ERROR;
    }
    if (io_flag == READ_FILE) *colour = make_rgba_Colour_0_1(rgba[0], rgba[1], rgba[2], rgba[3]);
    return OK;
}
