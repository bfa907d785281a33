// Pixel image storage and cropping. Storage is a block of 4-byte words, grown
// in chunks of 100 words, whatever the pixel type.

#include "Objects/pixels.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

namespace {

constexpr size_t PIXEL_WORD_CHUNK = 100;
constexpr size_t WORD_SIZE = 4;

size_t bytes_per_pixel(Pixel_types pixel_type) {
    switch (pixel_type) {
    case COLOUR_INDEX_8BIT_PIXEL:
        return 1;
    case COLOUR_INDEX_16BIT_PIXEL:
        return 2;
    case RGB_PIXEL:
        return 4;
    }
    return 4;
}

// Number of words holding n_pixels pixels of the type.
size_t words_for(int64_t n_pixels, Pixel_types pixel_type) {
    if (n_pixels <= 0) return 0;
    size_t per_word = WORD_SIZE / bytes_per_pixel(pixel_type);
    return ((size_t)n_pixels + per_word - 1) / per_word;
}

void **storage_of(pixels_struct *pixels) {
    return reinterpret_cast<void **>(&pixels->data.pixels_rgb);
}

unsigned char *bytes_of(pixels_struct *pixels) {
    return reinterpret_cast<unsigned char *>(pixels->data.pixels_rgb);
}

} // namespace

void initialize_pixels(pixels_struct *pixels, int x_position, int y_position, int x_size,
                       int y_size, Real x_zoom, Real y_zoom, Pixel_types pixel_type) {
    pixels->pixel_type = pixel_type;
    pixels->x_position = x_position;
    pixels->y_position = y_position;
    pixels->x_zoom = x_zoom;
    pixels->y_zoom = y_zoom;
    pixels->x_size = 0;
    pixels->y_size = 0;
    pixels->data.pixels_rgb = nullptr;
    int n_pixels_alloced = 0;
    modify_pixels_size(&n_pixels_alloced, pixels, x_size, y_size, pixel_type);
}

void modify_pixels_size(int *n_pixels_alloced, pixels_struct *pixels, int x_size, int y_size,
                        Pixel_types pixel_type) {
    if (pixel_type != pixels->pixel_type) {
        if (*n_pixels_alloced > 0 && pixels->data.pixels_rgb != nullptr)
            FREE(pixels->data.pixels_rgb);
        pixels->data.pixels_rgb = nullptr;
        *n_pixels_alloced = 0;
        pixels->pixel_type = pixel_type;
    }

    int64_t n_pixels = 0;
    if (x_size >= 1 && y_size >= 1) n_pixels = (int64_t)x_size * (int64_t)y_size;
    if (n_pixels > INT_MAX) {
        print_error("modify_pixels_size: an image of %d by %d pixels is too large.\n", x_size,
                    y_size);
        n_pixels = 0;
        x_size = 0;
        y_size = 0;
    }
    // Negative sizes are stored as 0 so that no product of them names pixels.
    pixels->x_size = std::max(x_size, 0);
    pixels->y_size = std::max(y_size, 0);

    if (n_pixels > 0 && n_pixels <= *n_pixels_alloced) return;
    set_array_size(storage_of(pixels), WORD_SIZE, words_for(*n_pixels_alloced, pixel_type),
                   words_for(n_pixels, pixel_type), PIXEL_WORD_CHUNK, __FILE__, __LINE__);
    if (n_pixels > 0 && pixels->data.pixels_rgb == nullptr) {
        // The allocation layer has reported it; leave a consistent empty image.
        pixels->x_size = 0;
        pixels->y_size = 0;
        n_pixels = 0;
    }
    *n_pixels_alloced = (int)n_pixels;
}

void delete_pixels(pixels_struct *pixels) {
    if (pixels->data.pixels_rgb != nullptr) FREE(pixels->data.pixels_rgb);
    pixels->data.pixels_rgb = nullptr;
    pixels->x_size = 0;
    pixels->y_size = 0;
}

void copy_pixel_region(pixels_struct *pixels, int x_min, int x_max, int y_min, int y_max,
                       pixels_struct *new_pixels) {
    int64_t x_lo = std::max<int64_t>(0, (int64_t)x_min - pixels->x_position);
    int64_t x_hi = std::min<int64_t>((int64_t)x_max - pixels->x_position, pixels->x_size - 1);
    int64_t y_lo = std::max<int64_t>(0, (int64_t)y_min - pixels->y_position);
    int64_t y_hi = std::min<int64_t>((int64_t)y_max - pixels->y_position, pixels->y_size - 1);
    int width = (int)std::max<int64_t>(0, x_hi - x_lo + 1);
    int height = (int)std::max<int64_t>(0, y_hi - y_lo + 1);

    initialize_pixels(new_pixels, (int)(pixels->x_position + x_lo),
                      (int)(pixels->y_position + y_lo), width, height, pixels->x_zoom,
                      pixels->y_zoom, pixels->pixel_type);
    if (new_pixels->x_size != width || new_pixels->y_size != height || width == 0 || height == 0)
        return;

    size_t pixel_bytes = bytes_per_pixel(pixels->pixel_type);
    const unsigned char *source = bytes_of(pixels);
    unsigned char *dest = bytes_of(new_pixels);
    for (int row = 0; row < height; ++row) {
        size_t from = ((size_t)(y_lo + row) * (size_t)pixels->x_size + (size_t)x_lo) * pixel_bytes;
        size_t to = (size_t)row * (size_t)width * pixel_bytes;
        memcpy(dest + to, source + from, (size_t)width * pixel_bytes);
    }
}
