#ifndef ZAVPL_PIXELS_H
#define ZAVPL_PIXELS_H

// Pixel image records: storage and cropping. Storage is held in whole 4-byte
// words grown in chunks of 100 words.

#include "Objects/objects.h"

// Type, position and zooms set, then storage for x_size by y_size pixels.
void initialize_pixels(pixels_struct *pixels, int x_position, int y_position, int x_size,
                       int y_size, Real x_zoom, Real y_zoom, Pixel_types pixel_type);

// Resizes the image to x_size by y_size pixels of pixel_type. *n_pixels_alloced
// is the caller's count of pixels the storage holds: storage large enough is
// kept. A size whose pixel count does not fit an int is reported and gives an
// empty image.
void modify_pixels_size(int *n_pixels_alloced, pixels_struct *pixels, int x_size, int y_size,
                        Pixel_types pixel_type);

// Frees the storage; both sizes become 0.
void delete_pixels(pixels_struct *pixels);

// A new image (new_pixels) holding the part of pixels inside the rectangle
// [x_min, x_max] by [y_min, y_max] of placement coordinates.
void copy_pixel_region(pixels_struct *pixels, int x_min, int x_max, int y_min, int y_max,
                       pixels_struct *new_pixels);

#endif
