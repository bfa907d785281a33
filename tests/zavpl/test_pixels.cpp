// Pixel images: storage, cropping, conversions, dithering and resampling.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object_builders.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

// An RGB image whose pixel (x, y) is given row by row.
void make_rgb(pixels_struct *pixels, int x_size, int y_size, const std::vector<Colour> &colours) {
    initialize_pixels(pixels, 3, 4, x_size, y_size, 2.0, 3.0, RGB_PIXEL);
    for (size_t i = 0; i < colours.size(); ++i)
        pixels->data.pixels_rgb[i] = colours[i];
}

std::vector<int> indices_of(const pixels_struct &pixels) {
    const unsigned char *data = pixels.data.pixels_8bit_colour_index;
    return std::vector<int>(data, data + pixels.x_size * pixels.y_size);
}

std::vector<Colour> colours_of(const pixels_struct &pixels) {
    return std::vector<Colour>(pixels.data.pixels_rgb,
                               pixels.data.pixels_rgb + pixels.x_size * pixels.y_size);
}

const Colour BLACK = make_Colour(0, 0, 0);
const Colour WHITE = make_Colour(255, 255, 255);
const Colour RED = make_Colour(255, 0, 0);
const Colour BLUE = make_Colour(0, 0, 255);

} // namespace

TEST(Pixels, ModifySizeKeepsStorageWhenShrinking) {
    pixels_struct pixels;
    initialize_pixels(&pixels, 0, 0, 0, 0, 1.0, 1.0, RGB_PIXEL);
    int n_alloced = 0;
    modify_pixels_size(&n_alloced, &pixels, 10, 10, RGB_PIXEL);
    EXPECT_EQ(n_alloced, 100);
    Colour *storage = pixels.data.pixels_rgb;
    storage[99] = RED;

    modify_pixels_size(&n_alloced, &pixels, 5, 4, RGB_PIXEL);
    EXPECT_EQ(n_alloced, 100);
    EXPECT_EQ(pixels.data.pixels_rgb, storage);
    EXPECT_EQ(pixels.x_size, 5);
    EXPECT_EQ(pixels.y_size, 4);

    modify_pixels_size(&n_alloced, &pixels, 30, 30, RGB_PIXEL);
    EXPECT_EQ(n_alloced, 900);
    pixels.data.pixels_rgb[899] = BLUE;

    // A new type starts from fresh storage: 8-bit images pack four to a word.
    modify_pixels_size(&n_alloced, &pixels, 7, 3, COLOUR_INDEX_8BIT_PIXEL);
    EXPECT_EQ(n_alloced, 21);
    EXPECT_EQ(pixels.pixel_type, COLOUR_INDEX_8BIT_PIXEL);
    pixels.data.pixels_8bit_colour_index[20] = 5;

    modify_pixels_size(&n_alloced, &pixels, 0, 3, COLOUR_INDEX_8BIT_PIXEL);
    EXPECT_EQ(n_alloced, 0);
    EXPECT_EQ(pixels.data.pixels_rgb, nullptr);
    delete_pixels(&pixels);
}

TEST(Pixels, OversizedImagesAreRefused) {
    pixels_struct pixels;
    CapturePrint capture;
    initialize_pixels(&pixels, 0, 0, 100000, 100000, 1.0, 1.0, RGB_PIXEL);
    EXPECT_NE(capture.err(), "");
    EXPECT_EQ(pixels.x_size, 0);
    EXPECT_EQ(pixels.y_size, 0);
    delete_pixels(&pixels);

    initialize_pixels(&pixels, 0, 0, -4, -5, 1.0, 1.0, RGB_PIXEL);
    EXPECT_EQ(pixels.x_size * pixels.y_size, 0);
    delete_pixels(&pixels);
}

TEST(Pixels, CopyRegionCropsToTheImage) {
    pixels_struct source;
    std::vector<Colour> colours;
    for (int i = 0; i < 12; ++i)
        colours.push_back(make_Colour(i, 0, 0));
    make_rgb(&source, 4, 3, colours); // placed at (3, 4)

    pixels_struct region;
    copy_pixel_region(&source, 4, 5, 5, 100, &region);
    EXPECT_EQ(region.x_position, 4);
    EXPECT_EQ(region.y_position, 5);
    EXPECT_EQ(region.x_zoom, 2.0);
    ASSERT_EQ(region.x_size, 2);
    ASSERT_EQ(region.y_size, 2);
    EXPECT_EQ(colours_of(region),
              (std::vector<Colour>{colours[5], colours[6], colours[9], colours[10]}));
    delete_pixels(&region);

    copy_pixel_region(&source, -50, -10, 0, 100, &region);
    EXPECT_EQ(region.x_size, 0);
    delete_pixels(&region);

    // 8-bit rows are copied a byte per pixel.
    pixels_struct bytes;
    initialize_pixels(&bytes, 0, 0, 5, 2, 1.0, 1.0, COLOUR_INDEX_8BIT_PIXEL);
    for (int i = 0; i < 10; ++i)
        bytes.data.pixels_8bit_colour_index[i] = (unsigned char)i;
    copy_pixel_region(&bytes, 1, 3, 1, 1, &region);
    EXPECT_EQ(indices_of(region), (std::vector<int>{6, 7, 8}));
    delete_pixels(&region);
    delete_pixels(&bytes);
    delete_pixels(&source);
}

TEST(Pixels, ConversionsBetweenRgbAndIndices) {
    pixels_struct rgb;
    make_rgb(&rgb, 2, 2, {WHITE, RED, make_Colour(200, 10, 10), make_Colour(10, 10, 10)});

    pixels_struct palette;
    ASSERT_EQ(convert_pixels24_to_pixels8(&rgb, &palette), OK);
    EXPECT_EQ(palette.x_position, 3);
    EXPECT_EQ(palette.y_zoom, 3.0);
    EXPECT_EQ(indices_of(palette), (std::vector<int>{255, 7, 6, 0}));
    delete_pixels(&palette);

    Colour table[] = {BLACK, WHITE, RED};
    pixels_struct indexed;
    ASSERT_EQ(convert_pixels24_to_index8(&rgb, &indexed, 3, table), OK);
    EXPECT_EQ(indices_of(indexed), (std::vector<int>{1, 2, 2, 0}));

    pixels_struct back;
    ASSERT_EQ(convert_index8_to_pixels24(&indexed, table, &back), OK);
    EXPECT_EQ(colours_of(back), (std::vector<Colour>{WHITE, RED, RED, BLACK}));
    EXPECT_EQ(back.x_position, 3);
    delete_pixels(&back);
    delete_pixels(&indexed);

    pixels_struct gray;
    ASSERT_EQ(convert_pixels24_to_gray_scale(&rgb, &gray), OK);
    EXPECT_EQ(gray.x_position, 0);
    EXPECT_EQ(gray.x_zoom, 1.0);
    EXPECT_EQ(indices_of(gray), (std::vector<int>{255, 76, 67, 10}));
    delete_pixels(&gray);
    delete_pixels(&rgb);
}

TEST(Pixels, ConversionsRefuseWrongSourcesAndEmptyTables) {
    pixels_struct rgb, bytes, out;
    make_rgb(&rgb, 2, 1, {WHITE, BLACK});
    initialize_pixels(&bytes, 0, 0, 2, 1, 1.0, 1.0, COLOUR_INDEX_8BIT_PIXEL);
    Colour table[] = {BLACK};

    CapturePrint capture;
    struct Case {
        const char *what;
        Status (*convert)(pixels_struct *, pixels_struct *, pixels_struct *, Colour *);
        bool from_rgb;
    };
    const Case cases[] = {
        {"dither, no colours",
         [](pixels_struct *r, pixels_struct *, pixels_struct *o, Colour *t) {
             return convert_pixels24_to_dithered(r, o, 0, t);
         },
         true},
        {"index, no colours",
         [](pixels_struct *r, pixels_struct *, pixels_struct *o, Colour *t) {
             return convert_pixels24_to_index8(r, o, -2, t);
         },
         true},
        {"index, too many colours",
         [](pixels_struct *r, pixels_struct *, pixels_struct *o, Colour *t) {
             return convert_pixels24_to_index8(r, o, 300, t);
         },
         true},
        {"palette from 8-bit",
         [](pixels_struct *, pixels_struct *b, pixels_struct *o, Colour *) {
             return convert_pixels24_to_pixels8(b, o);
         },
         false},
        {"dither from 8-bit",
         [](pixels_struct *, pixels_struct *b, pixels_struct *o, Colour *t) {
             return convert_pixels24_to_dithered(b, o, 1, t);
         },
         false},
        {"rgb from rgb",
         [](pixels_struct *r, pixels_struct *, pixels_struct *o, Colour *t) {
             return convert_index8_to_pixels24(r, t, o);
         },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        capture.clear();
        EXPECT_EQ(c.convert(&rgb, &bytes, &out, table), ERROR);
        EXPECT_NE(capture.err(), "");
        EXPECT_EQ(out.x_size * out.y_size, 0);
        delete_pixels(&out);
    }
    delete_pixels(&rgb);
    delete_pixels(&bytes);
}

TEST(Pixels, DitherSpreadsErrorInSerpentineOrder) {
    pixels_struct gray, dithered;
    make_rgb(&gray, 4, 2, std::vector<Colour>(8, make_Colour(128, 128, 128)));
    Colour table[] = {BLACK, WHITE};
    ASSERT_EQ(convert_pixels24_to_dithered(&gray, &dithered, 2, table), OK);
    EXPECT_EQ(dithered.x_position, 0);
    EXPECT_EQ(dithered.x_zoom, 1.0);
    EXPECT_EQ(indices_of(dithered), (std::vector<int>{1, 0, 1, 0, 0, 1, 0, 1}));
    delete_pixels(&dithered);
    delete_pixels(&gray);

    // Colours that are all in the table are reproduced with no error to spread.
    pixels_struct exact;
    Colour palette[] = {RED, BLUE, WHITE, BLACK};
    make_rgb(&exact, 3, 3, {RED, BLUE, WHITE, BLACK, RED, RED, BLUE, BLUE, BLACK});
    ASSERT_EQ(convert_pixels24_to_dithered(&exact, &dithered, 4, palette), OK);
    EXPECT_EQ(indices_of(dithered), (std::vector<int>{0, 1, 2, 3, 0, 0, 1, 1, 3}));
    delete_pixels(&dithered);
    delete_pixels(&exact);
}

TEST(Pixels, ResampleCopiesAveragesAndRefuses) {
    pixels_struct source, target;
    make_rgb(&source, 2, 2, {RED, BLUE, WHITE, BLACK});
    initialize_pixels(&target, 0, 0, 3, 2, 1.0, 1.0, RGB_PIXEL);
    Transform_2d identity;
    make_identity_transform_2d(&identity);
    const Colour background = make_Colour(1, 2, 3);

    for (int n_samples : {1, 0, -5}) {
        ASSERT_EQ(resample_pixels(&source, &identity, n_samples, &target, background), OK);
        EXPECT_EQ(colours_of(target),
                  (std::vector<Colour>{RED, BLUE, background, WHITE, BLACK, background}));
    }

    // Halving: each target pixel averages 2 by 2 samples over 2 by 2 source pixels.
    Transform_2d half;
    make_identity_transform_2d(&half);
    half.m2d[0][0] = 0.5;
    half.m2d[1][1] = 0.5;
    half.m2d[0][2] = -0.25;
    half.m2d[1][2] = -0.25;
    pixels_struct one;
    initialize_pixels(&one, 0, 0, 1, 1, 1.0, 1.0, RGB_PIXEL);
    ASSERT_EQ(resample_pixels(&source, &half, 2, &one, background), OK);
    EXPECT_EQ(one.data.pixels_rgb[0], make_Colour((255 + 255) / 4, 255 / 4, (255 + 255) / 4));

    CapturePrint capture;
    pixels_struct bytes;
    initialize_pixels(&bytes, 0, 0, 3, 2, 1.0, 1.0, COLOUR_INDEX_8BIT_PIXEL);
    target.data.pixels_rgb[0] = BLACK;
    EXPECT_EQ(resample_pixels(&source, &identity, 1, &bytes, background), ERROR);
    EXPECT_EQ(capture.err(), "Can only resample 24 bit rgb pixels.\n");

    capture.clear();
    Transform_2d flat = identity;
    flat.m2d[1][1] = 0.0;
    EXPECT_EQ(resample_pixels(&source, &flat, 1, &target, background), ERROR);
    EXPECT_NE(capture.err(), "");
    EXPECT_EQ(target.data.pixels_rgb[0], BLACK); // untouched
    for (pixels_struct *p : {&source, &target, &one, &bytes})
        delete_pixels(p);
}
