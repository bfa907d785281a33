#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <dezava_vo.h>

TEST(ColourPack, OpaqueRedPacksRedInTheHighByteAndAlphaInTheLowest) {
    Colour red = make_Colour(255, 0, 0);
    EXPECT_EQ(red, 0xFF0000FFu);
    EXPECT_EQ(get_Colour_r(red), 255);
    EXPECT_EQ(get_Colour_g(red), 0);
    EXPECT_EQ(get_Colour_b(red), 0);
    EXPECT_EQ(get_Colour_a(red), 255);
    EXPECT_EQ(make_rgba_Colour(0x12, 0x34, 0x56, 0x78), 0x12345678u);
}

TEST(ColourPack, ComponentsRoundTripAndKeepOnlyTheirLowByte) {
    Colour c = make_rgba_Colour(1, 2, 3, 4);
    EXPECT_EQ(get_Colour_r(c), 1);
    EXPECT_EQ(get_Colour_g(c), 2);
    EXPECT_EQ(get_Colour_b(c), 3);
    EXPECT_EQ(get_Colour_a(c), 4);
    // Only the low 8 bits of each argument are packed, so a stray high bit
    // cannot spill into the neighbouring component.
    EXPECT_EQ(make_rgba_Colour(0x1FF, -1, 256, 0x100), 0xFFFF0000u);
}

TEST(ColourPack, EqualColoursComparesAllThirtyTwoBits) {
    EXPECT_TRUE(equal_colours(make_Colour(10, 20, 30), make_rgba_Colour(10, 20, 30, 255)));
    EXPECT_FALSE(equal_colours(make_Colour(10, 20, 30), make_rgba_Colour(10, 20, 30, 254)));
}

TEST(ColourPack, RealComponentsRoundHalfUp) {
    Colour grey = make_Colour_0_1(0.5, 0.5, 0.5);
    EXPECT_EQ(get_Colour_r(grey), 128); // 127.5 + 0.5 truncated
    EXPECT_EQ(get_Colour_a(grey), 255);
    EXPECT_DOUBLE_EQ(get_Colour_r_0_1(grey), 128 / 255.0);

    Colour c = make_rgba_Colour_0_1(0.0, 1.0, 0.2, 0.5);
    EXPECT_EQ(c, make_rgba_Colour(0, 255, 51, 128));
    EXPECT_DOUBLE_EQ(get_Colour_g_0_1(c), 1.0);
    EXPECT_DOUBLE_EQ(get_Colour_b_0_1(c), 51 / 255.0);
    EXPECT_DOUBLE_EQ(get_Colour_a_0_1(c), 128 / 255.0);
}

TEST(ColourPack, OutOfRangeRealComponentsSaturateInsteadOfWrapping) {
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    const Real inf = std::numeric_limits<Real>::infinity();
    struct Case {
        Real value;
        int byte;
    } cases[] = {{1.2, 255}, {-0.1, 0}, {1e300, 255}, {-1e300, 0}, {inf, 255},
                 {-inf, 0},  {nan, 0},  {1.0, 255},   {0.0, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(get_Colour_r(make_Colour_0_1(c.value, 0, 0)), c.byte);
        EXPECT_EQ(get_Colour_a(make_rgba_Colour_0_1(0, 0, 0, c.value)), c.byte);
    }
}
