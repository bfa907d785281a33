#include <gtest/gtest.h>

#include <cmath>

#include <zavpl.h>

TEST(ColourHsl, PureRedHasHueOneWhichMeansTheSameAsZero) {
    Real h, s, l;
    rgb_to_hsl(1, 0, 0, &h, &s, &l);
    EXPECT_DOUBLE_EQ(h, 1.0);
    EXPECT_DOUBLE_EQ(s, 1.0);
    EXPECT_DOUBLE_EQ(l, 0.5);

    for (Real hue : {1.0, 0.0}) {
        Real r, g, b;
        hsl_to_rgb(hue, 1.0, 0.5, &r, &g, &b);
        EXPECT_DOUBLE_EQ(r, 1.0);
        EXPECT_DOUBLE_EQ(g, 0.0);
        EXPECT_DOUBLE_EQ(b, 0.0);
    }
}

TEST(ColourHsl, RgbToHslTable) {
    struct Case {
        Real r, g, b, h, s, l;
    } cases[] = {
        {0, 1, 0, 1.0 / 3, 1, 0.5},     {0, 0, 1, 2.0 / 3, 1, 0.5},
        {1, 1, 0, 1.0 / 6, 1, 0.5},     {0, 1, 1, 0.5, 1, 0.5},
        {1, 0, 1, 5.0 / 6, 1, 0.5},     {0.5, 0.25, 0.25, 1.0, 1.0 / 3, 0.375},
        {0.75, 0.75, 0.75, 0, 0, 0.75}, {1, 0.5, 0.5, 1.0, 1.0, 0.75},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << " " << c.g << " " << c.b);
        Real h, s, l;
        rgb_to_hsl(c.r, c.g, c.b, &h, &s, &l);
        EXPECT_NEAR(h, c.h, 1e-12);
        EXPECT_NEAR(s, c.s, 1e-12);
        EXPECT_NEAR(l, c.l, 1e-12);
    }
}

TEST(ColourHsl, BlackAndGreysGiveDefinedHueAndSaturation) {
    const Real greys[] = {0.0, 0.3, 1.0};
    for (Real v : greys) {
        Real h = 123, s = 456, l = 789;
        rgb_to_hsl(v, v, v, &h, &s, &l);
        EXPECT_EQ(h, 0.0);
        EXPECT_EQ(s, 0.0);
        EXPECT_DOUBLE_EQ(l, v);
    }
}

TEST(ColourHsl, HslToRgbInvertsRgbToHsl) {
    const Real colours[][3] = {{0.2, 0.4, 0.6}, {0.9, 0.1, 0.3}, {0.5, 0.8, 0.1},
                               {0.1, 0.7, 0.9}, {0.6, 0.2, 0.9}, {0.3, 0.3, 0.1}};
    for (const auto &c : colours) {
        Real h, s, l, r, g, b;
        rgb_to_hsl(c[0], c[1], c[2], &h, &s, &l);
        hsl_to_rgb(h, s, l, &r, &g, &b);
        EXPECT_NEAR(r, c[0], 1e-12);
        EXPECT_NEAR(g, c[1], 1e-12);
        EXPECT_NEAR(b, c[2], 1e-12);
    }
}

TEST(ColourHsl, HuesOutsideZeroToOneWrapAndAlwaysWriteTheResult) {
    Real r0, g0, b0;
    hsl_to_rgb(0.25, 0.6, 0.4, &r0, &g0, &b0);
    for (Real hue : {1.25, 2.25, -0.75, -3.75}) {
        SCOPED_TRACE(hue);
        Real r = NAN, g = NAN, b = NAN;
        hsl_to_rgb(hue, 0.6, 0.4, &r, &g, &b);
        EXPECT_NEAR(r, r0, 1e-12);
        EXPECT_NEAR(g, g0, 1e-12);
        EXPECT_NEAR(b, b0, 1e-12);
    }
    Real r = NAN, g = NAN, b = NAN;
    hsl_to_rgb(NAN, 0.6, 0.4, &r, &g, &b);
    EXPECT_FALSE(std::isnan(r) || std::isnan(g) || std::isnan(b));
    hsl_to_rgb(1e300, 0.6, 0.4, &r, &g, &b);
    EXPECT_TRUE(std::isfinite(r) && std::isfinite(g) && std::isfinite(b));

    hsl_to_rgb(0.3, 1.0, 0.0, &r, &g, &b); // no lightness: black
    EXPECT_EQ(r + g + b, 0.0);
}

TEST(ColourHsl, PackedConversionsDropAlpha) {
    Colour hsl;
    convert_colour_to_hsl(make_rgba_Colour(255, 0, 0, 17), &hsl);
    EXPECT_EQ(hsl, make_Colour(255, 255, 128)); // h 1, s 1, l 0.5

    convert_colour_to_hsl(make_Colour(77, 77, 77), &hsl);
    EXPECT_EQ(get_Colour_r(hsl), 0); // grey: hue 0
    EXPECT_EQ(get_Colour_g(hsl), 0);
    EXPECT_EQ(get_Colour_b(hsl), 77);

    Colour rgb;
    convert_colour_to_rgb(make_rgba_Colour(0, 255, 128, 3), &rgb);
    EXPECT_EQ(rgb, make_Colour(255, 1, 1)); // l = 128/255 is just over a half

    Colour original = make_Colour(40, 160, 220), back;
    convert_colour_to_hsl(original, &hsl);
    convert_colour_to_rgb(hsl, &back);
    EXPECT_LE(std::abs(get_Colour_r(back) - 40), 2);
    EXPECT_LE(std::abs(get_Colour_g(back) - 160), 2);
    EXPECT_LE(std::abs(get_Colour_b(back) - 220), 2);
}
