// Conversions between RGB images and 8-bit images (palette, colour table,
// luminance). A conversion the source cannot support is refused with a
// message and leaves an empty image.

#include "Objects/pixel_conversions.h"

#include "Geometry/colour_ops.h"
#include "Geometry/colour_pack.h"
#include "Geometry/rgb_lookup.h"
#include "Objects/pixels.h"
#include "Prog_utils/messages.h"

namespace {

// An 8-bit image holds table indices 0 to 255 only.
constexpr int MAX_8BIT_COLOURS = 256;

size_t n_pixels_of(const pixels_struct *pixels) {
    return (size_t)pixels->x_size * (size_t)pixels->y_size;
}

void make_empty_image(pixels_struct *pixels, Pixel_types pixel_type) {
    initialize_pixels(pixels, 0, 0, 0, 0, 1.0, 1.0, pixel_type);
}

// The source must be of the given type for its data member to be read.
bool source_is(const pixels_struct *source, Pixel_types pixel_type, const char *caller) {
    if (source->pixel_type == pixel_type) return true;
    print_error("%s: the source image is of pixel type %d, not %d.\n", caller,
                (int)source->pixel_type, (int)pixel_type);
    return false;
}

bool table_usable(int n_colours, const Colour colour_table[], const char *caller) {
    if (n_colours >= 1 && n_colours <= MAX_8BIT_COLOURS && colour_table != nullptr) return true;
    print_error("%s: the colour table must hold 1 to %d colours, not %d.\n", caller,
                MAX_8BIT_COLOURS, n_colours);
    return false;
}

// A new 8-bit image at the source's place, or at (0, 0) with zooms 1.
bool start_8bit_image(pixels_struct *source, pixels_struct *dest, bool keep_placement) {
    if (keep_placement)
        initialize_pixels(dest, source->x_position, source->y_position, source->x_size,
                          source->y_size, source->x_zoom, source->y_zoom, COLOUR_INDEX_8BIT_PIXEL);
    else
        initialize_pixels(dest, 0, 0, source->x_size, source->y_size, 1.0, 1.0,
                          COLOUR_INDEX_8BIT_PIXEL);
    return dest->x_size == source->x_size && dest->y_size == source->y_size;
}

} // namespace

Status convert_pixels24_to_pixels8(pixels_struct *pixels_rgb, pixels_struct *pixels_8) {
    if (!source_is(pixels_rgb, RGB_PIXEL, "convert_pixels24_to_pixels8")) {
        make_empty_image(pixels_8, COLOUR_INDEX_8BIT_PIXEL);
        return ERROR;
    }
    if (!start_8bit_image(pixels_rgb, pixels_8, true)) return ERROR;
    size_t n_pixels = n_pixels_of(pixels_rgb);
    for (size_t i = 0; i < n_pixels; ++i)
        pixels_8->data.pixels_8bit_colour_index[i] =
            (unsigned char)convert_rgb_pixel_to_8bit_lookup(pixels_rgb->data.pixels_rgb[i]);
    return OK;
}

Status convert_pixels24_to_index8(pixels_struct *pixels_rgb, pixels_struct *pixels_8, int n_colours,
                                  Colour colour_table[]) {
    if (!source_is(pixels_rgb, RGB_PIXEL, "convert_pixels24_to_index8") ||
        !table_usable(n_colours, colour_table, "convert_pixels24_to_index8")) {
        make_empty_image(pixels_8, COLOUR_INDEX_8BIT_PIXEL);
        return ERROR;
    }
    if (!start_8bit_image(pixels_rgb, pixels_8, true)) return ERROR;
    size_t n_pixels = n_pixels_of(pixels_rgb);
    for (size_t i = 0; i < n_pixels; ++i) {
        Colour col = pixels_rgb->data.pixels_rgb[i];
        pixels_8->data.pixels_8bit_colour_index[i] = (unsigned char)find_closest_colour(
            get_Colour_r(col), get_Colour_g(col), get_Colour_b(col), n_colours, colour_table);
    }
    return OK;
}

Status convert_index8_to_pixels24(pixels_struct *pixels_8, Colour colour_table[],
                                  pixels_struct *pixels_rgb) {
    if (!source_is(pixels_8, COLOUR_INDEX_8BIT_PIXEL, "convert_index8_to_pixels24") ||
        colour_table == nullptr) {
        if (colour_table == nullptr) print_error("convert_index8_to_pixels24: no colour table.\n");
        make_empty_image(pixels_rgb, RGB_PIXEL);
        return ERROR;
    }
    initialize_pixels(pixels_rgb, pixels_8->x_position, pixels_8->y_position, pixels_8->x_size,
                      pixels_8->y_size, pixels_8->x_zoom, pixels_8->y_zoom, RGB_PIXEL);
    if (pixels_rgb->x_size != pixels_8->x_size || pixels_rgb->y_size != pixels_8->y_size)
        return ERROR;
    size_t n_pixels = n_pixels_of(pixels_8);
    for (size_t i = 0; i < n_pixels; ++i)
        pixels_rgb->data.pixels_rgb[i] = colour_table[pixels_8->data.pixels_8bit_colour_index[i]];
    return OK;
}

Status convert_pixels24_to_gray_scale(pixels_struct *pixels_rgb, pixels_struct *pixels_8) {
    if (!source_is(pixels_rgb, RGB_PIXEL, "convert_pixels24_to_gray_scale")) {
        make_empty_image(pixels_8, COLOUR_INDEX_8BIT_PIXEL);
        return ERROR;
    }
    if (!start_8bit_image(pixels_rgb, pixels_8, false)) return ERROR;
    size_t n_pixels = n_pixels_of(pixels_rgb);
    for (size_t i = 0; i < n_pixels; ++i)
        pixels_8->data.pixels_8bit_colour_index[i] =
            (unsigned char)get_Colour_luminance(pixels_rgb->data.pixels_rgb[i]);
    return OK;
}
