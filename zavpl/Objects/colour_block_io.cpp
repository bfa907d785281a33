// Colour blocks of lines and meshes, and the RGB pixels of images.

#include <cstring>
#include <vector>

#include "Geometry/colour_pack.h"
#include "Objects/geometry_io.h"
#include "Objects/object_io_checks.h"
#include "Objects/object_ops.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/value_io.h"

namespace {

// Binary colours are the bytes alpha, blue, green, red: a little-endian
// host's own layout of a Colour, so there a block moves as it lies.
bool host_is_little_endian() {
    const uint32_t one = 1;
    unsigned char first;
    memcpy(&first, &one, 1);
    return first == 1;
}

bool valid_colour_flag(int flag) {
    return flag == ONE_COLOUR || flag == PER_ITEM_COLOURS || flag == PER_VERTEX_COLOURS;
}

// ASCII colours are parsed in runs of four floats per colour.
Status input_ascii_colours(FILE *file, int n, Colour colours[]) {
    const int run = 1 << 16;
    std::vector<float> rgba((size_t)4 * (size_t)(n < run ? n : run));
    for (int start = 0; start < n; start += run) {
        int count = n - start < run ? n - start : run;
        if (input_floats(file, 4 * count, rgba.data()) != OK) return ERROR;
        for (int i = 0; i < count; ++i) {
            const float *c = &rgba[4 * (size_t)i];
            colours[start + i] = make_rgba_Colour_0_1(c[0], c[1], c[2], c[3]);
        }
    }
    return OK;
}

Status io_colour_list(FILE *file, IO_types io_flag, File_formats format, int n, Colour colours[]) {
    if (format == BINARY_FORMAT && host_is_little_endian())
        return io_binary_data(file, io_flag, colours, sizeof(Colour), n);
    if (format == ASCII_FORMAT && io_flag == READ_FILE)
        return input_ascii_colours(file, n, colours);
    for (int i = 0; i < n; ++i) {
        if (io_colour(file, io_flag, format, &colours[i]) != OK ||
            io_newline(file, io_flag, format) != OK)
            return ERROR;
    }
    return OK;
}

// The bytes of a pixel block: red, green, blue per pixel.
constexpr int PIXEL_BLOCK = 256;

Status io_binary_pixel_block(FILE *file, IO_types io_flag, int n, Colour colours[]) {
    unsigned char bytes[3 * PIXEL_BLOCK];
    if (io_flag != READ_FILE) {
        for (int i = 0; i < n; ++i) {
            bytes[3 * i] = (unsigned char)get_Colour_r(colours[i]);
            bytes[3 * i + 1] = (unsigned char)get_Colour_g(colours[i]);
            bytes[3 * i + 2] = (unsigned char)get_Colour_b(colours[i]);
        }
    }
    if (io_binary_data(file, io_flag, bytes, 3, n) != OK) return ERROR;
    if (io_flag == READ_FILE) {
        for (int i = 0; i < n; ++i)
            colours[i] = make_Colour(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
    }
    return OK;
}

} // namespace

Status io_colours(FILE *file, IO_types io_flag, File_formats format, Colour_flags *colour_flag,
                  int n_items, int n_points, Colour *colours[]) {
    int flag = io_flag == READ_FILE ? 0 : (int)*colour_flag;
    if (io_flag != READ_FILE && !valid_colour_flag(flag)) {
        print_error("Error inputting colour flag.\n");
        return ERROR;
    }
    if (io_int(file, io_flag, format, &flag) != OK) return ERROR;
    if (!valid_colour_flag(flag)) {
        print_error("Error inputting colour flag.\n");
        return ERROR;
    }
    int n_colours = get_n_colours((Colour_flags)flag, n_points, n_items);

    if (io_flag == READ_FILE) {
        *colour_flag = (Colour_flags)flag;
        *colours = nullptr;
        if (n_colours <= 0) return OK;
        if (check_values_fit(file, format, n_colours, sizeof(Colour), 4, "colours") != OK)
            return ERROR;
        ALLOC(*colours, n_colours);
        if (*colours == nullptr) return ERROR;
    } else {
        if (n_colours <= 0) return OK;
        if (check_array_to_write(*colours, n_colours, "colours") != OK) return ERROR;
    }

    Status status = io_colour_list(file, io_flag, format, n_colours, *colours);
    if (status != OK && io_flag == READ_FILE) FREE(*colours);
    return status;
}

Status io_pixel_colour(FILE *file, IO_types io_flag, File_formats format, Colour *colour) {
    if (format == BINARY_FORMAT) return io_binary_pixel_block(file, io_flag, 1, colour);

    int rgb[3] = {0, 0, 0};
    if (io_flag != READ_FILE) {
        rgb[0] = get_Colour_r(*colour);
        rgb[1] = get_Colour_g(*colour);
        rgb[2] = get_Colour_b(*colour);
    }
    for (int &component : rgb) {
        if (io_int(file, io_flag, format, &component) != OK) return ERROR;
    }
    if (io_flag == READ_FILE) *colour = make_Colour(rgb[0], rgb[1], rgb[2]);
    return OK;
}

Status io_pixel_colours(FILE *file, IO_types io_flag, File_formats format, int n,
                        Colour *colours[]) {
    if (io_flag == READ_FILE) {
        *colours = nullptr;
        if (check_values_fit(file, format, n, 3, 3, "pixels") != OK) return ERROR;
        if (n == 0) return OK;
        ALLOC(*colours, n);
        if (*colours == nullptr) return ERROR;
    } else {
        if (n <= 0) return OK;
        if (check_array_to_write(*colours, n, "pixels") != OK) return ERROR;
    }

    Status status = OK;
    if (format == BINARY_FORMAT) {
        for (int start = 0; start < n && status == OK; start += PIXEL_BLOCK) {
            int count = n - start < PIXEL_BLOCK ? n - start : PIXEL_BLOCK;
            status = io_binary_pixel_block(file, io_flag, count, &(*colours)[start]);
        }
    } else {
        for (int i = 0; i < n && status == OK; ++i) {
            status = io_pixel_colour(file, io_flag, format, &(*colours)[i]);
            if (status == OK) status = io_newline(file, io_flag, format);
        }
    }
    if (status != OK && io_flag == READ_FILE) FREE(*colours);
    return status;
}
