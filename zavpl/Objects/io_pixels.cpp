// Pixel images in object files.

#include <cstring>

#include "Objects/geometry_io.h"
#include "Objects/object_io.h"
#include "Objects/object_io_checks.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/value_io.h"

namespace {

// Image sizes read from a file: neither negative, the pixel count within an
// int.
Status check_image_size(int x_size, int y_size) {
    if (x_size < 0 || y_size < 0 || (int64_t)x_size * y_size > 0x7fffffff) {
        print_error("Error: impossible pixel image size %d by %d.\n", x_size, y_size);
        return ERROR;
    }
    return OK;
}

// 16-bit indices are their host bytes in both encodings.
Status io_16bit_pixels(FILE *file, IO_types io_flag, File_formats format, int n,
                       unsigned short *pixels[]) {
    if (io_flag == READ_FILE) {
        *pixels = nullptr;
        if (check_values_fit(file, format, n, sizeof(unsigned short), 2, "pixels") != OK)
            return ERROR;
        if (n == 0) return OK;
        ALLOC(*pixels, n);
        if (*pixels == nullptr) return ERROR;
    } else if (check_array_to_write(*pixels, n, "pixels") != OK) {
        return ERROR;
    }
    Status status = io_binary_data(file, io_flag, *pixels, sizeof(unsigned short), n);
    if (status != OK && io_flag == READ_FILE) FREE(*pixels);
    return status;
}

} // namespace

Status io_pixels(FILE *file, IO_types io_flag, File_formats format, pixels_struct *pixels) {
    if (io_flag == READ_FILE) {
        pixels->x_position = 0;
        pixels->y_position = 0;
        pixels->x_zoom = 1.0;
        pixels->y_zoom = 1.0;
        pixels->x_size = 0;
        pixels->y_size = 0;
        pixels->pixel_type = COLOUR_INDEX_8BIT_PIXEL;
        pixels->data.pixels_rgb = nullptr;
    } else if (pixels->x_size <= 0 || pixels->y_size <= 0) {
        return OK;
    }

    // 16-bit pixels are raw bytes in ASCII too, right after the digits of
    // y_size: a first byte that is a digit would read as part of y_size, so
    // such an image is written in binary, which every reader takes as well.
    if (io_flag != READ_FILE && format == ASCII_FORMAT &&
        pixels->pixel_type == COLOUR_INDEX_16BIT_PIXEL &&
        pixels->data.pixels_16bit_colour_index != nullptr) {
        unsigned char first;
        memcpy(&first, pixels->data.pixels_16bit_colour_index, 1);
        if (first >= '0' && first <= '9') format = BINARY_FORMAT;
    }

    int pixel_type = (int)pixels->pixel_type;
    int x_size = pixels->x_size, y_size = pixels->y_size;
    if (io_object_type(file, io_flag, format, PIXELS) != OK ||
        io_int(file, io_flag, format, &pixel_type) != OK)
        return ERROR;
    if (pixel_type != COLOUR_INDEX_8BIT_PIXEL && pixel_type != COLOUR_INDEX_16BIT_PIXEL &&
        pixel_type != RGB_PIXEL) {
        print_error("Error, unrecognized pixel type %d.\n", pixel_type);
        return ERROR;
    }
    if (io_int(file, io_flag, format, &x_size) != OK ||
        io_int(file, io_flag, format, &y_size) != OK)
        return ERROR;
    if (io_flag == READ_FILE && check_image_size(x_size, y_size) != OK) return ERROR;
    int n = x_size * y_size;

    Status status = ERROR;
    switch ((Pixel_types)pixel_type) {
    case COLOUR_INDEX_8BIT_PIXEL:
        if (io_flag != READ_FILE &&
            check_array_to_write(pixels->data.pixels_8bit_colour_index, n, "pixels") != OK)
            break;
        status =
            io_unsigned_chars(file, io_flag, format, n, &pixels->data.pixels_8bit_colour_index);
        break;
    case COLOUR_INDEX_16BIT_PIXEL:
        status = io_16bit_pixels(file, io_flag, format, n, &pixels->data.pixels_16bit_colour_index);
        break;
    case RGB_PIXEL:
        status = io_pixel_colours(file, io_flag, format, n, &pixels->data.pixels_rgb);
        break;
    }

    // Sizes go into the record only with the pixels they describe.
    if (io_flag == READ_FILE && status == OK) {
        pixels->pixel_type = (Pixel_types)pixel_type;
        pixels->x_size = x_size;
        pixels->y_size = y_size;
    }
    return status;
}
