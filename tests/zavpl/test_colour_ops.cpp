#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include <zavpl.h>

TEST(ColourOps, DistanceIsSquaredEuclideanAndIgnoresAlpha) {
    EXPECT_EQ(get_colour_distance(10, 20, 30, make_rgba_Colour(13, 16, 30, 0)), 9 + 16);
    EXPECT_EQ(get_colour_distance(0, 0, 0, make_Colour(255, 255, 255)), 3 * 255 * 255);
}

TEST(ColourOps, ClosestColourPrefersTheEarliestOfEqualDistances) {
    const Colour table[] = {make_Colour(0, 0, 0), make_Colour(100, 100, 100),
                            make_Colour(200, 200, 200), make_Colour(100, 100, 100)};
    EXPECT_EQ(find_closest_colour(90, 110, 100, 4, table), 1);
    EXPECT_EQ(find_closest_colour(255, 255, 255, 4, table), 2);
    EXPECT_EQ(find_closest_colour(50, 50, 50, 4, table), 0); // tie between 0 and 1
    const Colour same[] = {make_Colour(5, 5, 5), make_Colour(5, 5, 5)};
    EXPECT_EQ(find_closest_colour(0, 0, 0, 2, same), 0);
    EXPECT_EQ(find_closest_colour(0, 0, 0, 0, table), -1);
    EXPECT_EQ(find_closest_colour(0, 0, 0, -3, nullptr), -1);
}

TEST(ColourOps, Luminance) {
    EXPECT_EQ(get_Colour_luminance(make_Colour(255, 255, 255)), 255);
    EXPECT_EQ(get_Colour_luminance(make_Colour(0, 0, 0)), 0);
    EXPECT_EQ(get_Colour_luminance(make_Colour(255, 0, 0)), 76);  // 76.245
    EXPECT_EQ(get_Colour_luminance(make_Colour(0, 255, 0)), 150); // 149.685
    EXPECT_EQ(get_Colour_luminance(make_Colour(0, 0, 255)), 29);  // 29.07
}

TEST(ColourOps, ScalingRoundsSaturatesAndKeepsAlpha) {
    struct Case {
        Colour colour;
        Real factor;
        Colour expected;
    } cases[] = {
        {make_rgba_Colour(100, 50, 3, 7), 0.5, make_rgba_Colour(50, 25, 2, 7)},
        {make_Colour(200, 10, 0), 2.0, make_Colour(255, 20, 0)},
        {make_Colour(200, 10, 0), -1.0, make_Colour(0, 0, 0)},
        {make_Colour(200, 10, 1), 1e300, make_Colour(255, 255, 255)},
        {make_Colour(200, 10, 1), NAN, make_Colour(0, 0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.factor);
        EXPECT_EQ(scale_colour(c.colour, c.factor), c.expected);
    }
}

TEST(ColourOps, EightBitPaletteSpansTheCube) {
    const Colour *palette = get_8bit_rgb_pixel_lookup();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(get_8bit_rgb_pixel_lookup(), palette); // built once
    EXPECT_EQ(palette[0], make_Colour(16, 16, 32));
    EXPECT_EQ(palette[255], make_Colour(240, 240, 224));
    EXPECT_EQ(palette[1 + 8 * 2 + 64 * 3], make_Colour(48, 80, 224));

    std::set<Colour> distinct;
    for (int index = 0; index < 256; ++index) {
        distinct.insert(palette[index]);
        EXPECT_EQ(convert_rgb_pixel_to_8bit_lookup(palette[index]), index);
    }
    EXPECT_EQ(distinct.size(), 256u);
    EXPECT_EQ(convert_rgb_pixel_to_8bit_lookup(make_Colour(255, 255, 255)), 255);
    EXPECT_EQ(convert_rgb_pixel_to_8bit_lookup(make_Colour(31, 32, 63)), 8);
}

TEST(ColourOps, DefaultSurfaceProperties) {
    Surfprop surfprop;
    get_default_surfprop(&surfprop);
    EXPECT_EQ(surfprop.a, 0.3f);
    EXPECT_EQ(surfprop.d, 0.3f);
    EXPECT_EQ(surfprop.s, 0.4f);
    EXPECT_EQ(surfprop.se, 10.0f);
    EXPECT_EQ(surfprop.t, 1.0f);
}
