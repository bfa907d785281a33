#ifndef ZAVPL_PIXEL_CONVERSIONS_H
#define ZAVPL_PIXEL_CONVERSIONS_H

// Conversions between RGB and 8-bit pixel images. Each makes a new image in
// its second record; when the call is refused (wrong source type, empty colour
// table) a message is printed, the new image is empty and ERROR is returned.

#include "Objects/objects.h"

// 8-bit image of indices into the fixed 256-entry palette.
Status convert_pixels24_to_pixels8(pixels_struct *pixels_rgb, pixels_struct *pixels_8);

// 8-bit image of the nearest colour of the table for each pixel.
Status convert_pixels24_to_index8(pixels_struct *pixels_rgb, pixels_struct *pixels_8, int n_colours,
                                  Colour colour_table[]);

// RGB image of the table entries the indices select; colour_table must hold an
// entry for every index used (256 entries are always enough).
Status convert_index8_to_pixels24(pixels_struct *pixels_8, Colour colour_table[],
                                  pixels_struct *pixels_rgb);

// 8-bit image of the luminance of each pixel, at (0, 0) with zooms 1.
Status convert_pixels24_to_gray_scale(pixels_struct *pixels_rgb, pixels_struct *pixels_8);

// 8-bit image of table indices chosen by serpentine error diffusion, at (0, 0)
// with zooms 1.
Status convert_pixels24_to_dithered(pixels_struct *pixels_rgb, pixels_struct *pixels_8,
                                    int n_colours, Colour colour_table[]);

#endif
