// Resampling of RGB images through the inverse of a 2-D affine transform.

#include "Objects/pixel_resample.h"

#include <cmath>

#include "Geometry/colour_pack.h"
#include "Prog_utils/messages.h"

namespace {

// The source pixel nearest (sx, sy), or the background outside the image. The
// range test comes first, so non-finite coordinates never reach the cast.
Colour sample_at(const pixels_struct *pixels, Real sx, Real sy, Colour background_colour) {
    if (!(sx >= -0.5 && sx < pixels->x_size - 0.5 && sy >= -0.5 && sy < pixels->y_size - 0.5))
        return background_colour;
    size_t x = (size_t)std::floor(sx + 0.5);
    size_t y = (size_t)std::floor(sy + 0.5);
    return pixels->data.pixels_rgb[x + y * (size_t)pixels->x_size];
}

} // namespace

Status resample_pixels(pixels_struct *pixels, Transform_2d *transform, int n_samples,
                       pixels_struct *new_pixels, Colour background_colour) {
    if (pixels->pixel_type != RGB_PIXEL || new_pixels->pixel_type != RGB_PIXEL) {
        print_error("Can only resample 24 bit rgb pixels.\n");
        return ERROR;
    }
    Transform_2d inverse;
    if (!get_inverse_transform_2d(transform, &inverse)) {
        print_error("resample_pixels: the transform cannot be inverted.\n");
        return ERROR;
    }
    if (n_samples < 1) n_samples = 1;

    for (int x = 0; x < new_pixels->x_size; ++x) {
        for (int y = 0; y < new_pixels->y_size; ++y) {
            Colour result;
            if (n_samples == 1) {
                Real sx, sy;
                transform_point_2d(&inverse, x, y, &sx, &sy);
                result = sample_at(pixels, sx, sy, background_colour);
            } else {
                Real r = 0.0, g = 0.0, b = 0.0;
                for (int a = 0; a < n_samples; ++a) {
                    for (int c = 0; c < n_samples; ++c) {
                        Real sx, sy;
                        transform_point_2d(&inverse, x - 0.5 + (a + 0.5) / n_samples,
                                           y - 0.5 + (c + 0.5) / n_samples, &sx, &sy);
                        Colour col = sample_at(pixels, sx, sy, background_colour);
                        r += get_Colour_r(col);
                        g += get_Colour_g(col);
                        b += get_Colour_b(col);
                    }
                }
                Real scale = (1.0 / n_samples) / n_samples;
                result = make_Colour((int)(r * scale), (int)(g * scale), (int)(b * scale));
            }
            new_pixels->data.pixels_rgb[(size_t)x + (size_t)y * (size_t)new_pixels->x_size] =
                result;
        }
    }
    return OK;
}
