#ifndef ZAVPL_PIXEL_RESAMPLE_H
#define ZAVPL_PIXEL_RESAMPLE_H

// Resampling of RGB images through a 2-D affine transform.

#include "Geometry/transform_2d.h"
#include "Objects/objects.h"

// Fills the existing RGB image new_pixels: each of its pixels is the mean of
// n_samples by n_samples samples of pixels (n_samples below 1 counts as 1)
// taken through the inverse of transform, background_colour outside the
// source. Refused with a message, new_pixels untouched, when either image is
// not RGB or the transform cannot be inverted.
Status resample_pixels(pixels_struct *pixels, Transform_2d *transform, int n_samples,
                       pixels_struct *new_pixels, Colour background_colour);

#endif
