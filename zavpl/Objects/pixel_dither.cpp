// Serpentine error-diffusion dither of an RGB image to a colour table. Only two
// rows of errors are kept, so memory does not grow with the image height.

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "Geometry/colour_ops.h"
#include "Geometry/colour_pack.h"
#include "Objects/pixel_conversions.h"
#include "Objects/pixels.h"
#include "Prog_utils/messages.h"

namespace {

constexpr int MAX_8BIT_COLOURS = 256;

// Errors are 16-bit; extreme tables saturate them instead of wrapping round
// to errors of the opposite sign.
void add_error(int16_t *error, int amount) {
    int sum = (int)*error + amount;
    if (sum > INT16_MAX)
        sum = INT16_MAX;
    else if (sum < INT16_MIN)
        sum = INT16_MIN;
    *error = (int16_t)sum;
}

int share(int error, int sixteenths) {
    return (int)std::floor(error * sixteenths * 0.0625 + 0.5);
}

} // namespace

Status convert_pixels24_to_dithered(pixels_struct *pixels_rgb, pixels_struct *pixels_8,
                                    int n_colours, Colour colour_table[]) {
    if (pixels_rgb->pixel_type != RGB_PIXEL || n_colours < 1 || n_colours > MAX_8BIT_COLOURS ||
        colour_table == nullptr) {
        if (pixels_rgb->pixel_type != RGB_PIXEL)
            print_error("convert_pixels24_to_dithered: the source image is of pixel type %d, "
                        "not %d.\n",
                        (int)pixels_rgb->pixel_type, (int)RGB_PIXEL);
        else
            print_error("convert_pixels24_to_dithered: the colour table must hold 1 to %d "
                        "colours, not %d.\n",
                        MAX_8BIT_COLOURS, n_colours);
        initialize_pixels(pixels_8, 0, 0, 0, 0, 1.0, 1.0, COLOUR_INDEX_8BIT_PIXEL);
        return ERROR;
    }

    const int x_size = pixels_rgb->x_size;
    const int y_size = pixels_rgb->y_size;
    initialize_pixels(pixels_8, 0, 0, x_size, y_size, 1.0, 1.0, COLOUR_INDEX_8BIT_PIXEL);
    if (pixels_8->x_size != x_size || pixels_8->y_size != y_size) return ERROR;
    if (x_size <= 0 || y_size <= 0) return OK;

    // errors[row][component][x], row 0 and 1 taking turns as the current row.
    std::vector<int16_t> errors((size_t)2 * 3 * (size_t)x_size, 0);
    auto error_at = [&](int row, int component, int x) -> int16_t * {
        return &errors[((size_t)row * 3 + (size_t)component) * (size_t)x_size + (size_t)x];
    };

    int current = 0;
    for (int y = 0; y < y_size; ++y) {
        int next = 1 - current;
        int dir = (y % 2 == 0) ? 1 : -1;
        int x = (dir > 0) ? 0 : x_size - 1;
        for (int step = 0; step < x_size; ++step, x += dir) {
            Colour col = pixels_rgb->data.pixels_rgb[(size_t)x + (size_t)y * (size_t)x_size];
            int desired[3] = {get_Colour_r(col) + *error_at(current, 0, x),
                              get_Colour_g(col) + *error_at(current, 1, x),
                              get_Colour_b(col) + *error_at(current, 2, x)};
            int ind =
                find_closest_colour(desired[0], desired[1], desired[2], n_colours, colour_table);
            pixels_8->data.pixels_8bit_colour_index[(size_t)x + (size_t)y * (size_t)x_size] =
                (unsigned char)ind;

            Colour chosen = colour_table[ind];
            int chosen_components[3] = {get_Colour_r(chosen), get_Colour_g(chosen),
                                        get_Colour_b(chosen)};
            for (int c = 0; c < 3; ++c) {
                int e = desired[c] - chosen_components[c];
                int seven = share(e, 7);
                int five = share(e, 5);
                int three = share(e, 3);
                int one = e - seven - five - three;
                if (x + dir >= 0 && x + dir < x_size) {
                    add_error(error_at(current, c, x + dir), seven);
                    add_error(error_at(next, c, x + dir), one);
                }
                if (x - dir >= 0 && x - dir < x_size) add_error(error_at(next, c, x - dir), three);
                add_error(error_at(next, c, x), five);
            }
        }
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < x_size; ++i)
                *error_at(current, c, i) = 0;
        current = next;
    }
    return OK;
}
