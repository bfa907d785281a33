#include <gtest/gtest.h>

#include <string>

#include <zavpl.h>

namespace {

std::string text_of(Colour colour) {
    STRING text = convert_colour_to_string(colour);
    std::string result = text;
    delete_string(text);
    return result;
}

} // namespace

TEST(ColourText, TextToColourTable) {
    const Colour black = make_Colour(0, 0, 0);
    struct Case {
        const char *text;
        Colour colour;
    } cases[] = {
        {"Light Sky Blue", make_Colour(135, 206, 250)},
        {"1 0 0 0.5", make_rgba_Colour(255, 0, 0, 128)},
        {"1,0,0", make_Colour(255, 0, 0)},
        {"1, 0, 0", make_Colour(255, 0, 0)},
        {"1,0,0,0", make_rgba_Colour(255, 0, 0, 0)},
        {"  0.5\t0.5 \n0.5", make_Colour(128, 128, 128)},
        {"0 1 0 trailing words", make_Colour(0, 255, 0)},
        {"0 0 1 0.5 9", make_rgba_Colour(0, 0, 255, 128)},
        {"2 -1 0.5", make_Colour(255, 0, 128)}, // out of range saturates
        {"not a colour", black},
        {"1 0", black},
        {"1,0", black},
        {"1 0,0", black},
        {"", black},
        {"1e999 0 0", make_Colour(255, 0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(convert_string_to_colour(c.text), c.colour);
    }
    EXPECT_EQ(convert_string_to_colour(nullptr), black);
}

TEST(ColourText, TextStopsAtItsTerminator) {
    // The numbers end exactly where the text ends, with nothing after them
    // in the allocation, so a read past the end would be caught.
    STRING text = create_string("0.25 0.5 1");
    EXPECT_EQ(convert_string_to_colour(text), make_Colour(64, 128, 255));
    delete_string(text);
    text = create_string("0.25,0.5,");
    EXPECT_EQ(convert_string_to_colour(text), make_Colour(0, 0, 0));
    delete_string(text);
}

TEST(ColourText, ColourToTextUsesNamesOrThreeNumbers) {
    EXPECT_EQ(text_of(make_Colour(255, 0, 0)), "RED");
    EXPECT_EQ(text_of(make_Colour(255, 128, 0)), "1 0.501961 0");
    EXPECT_EQ(text_of(make_rgba_Colour(255, 128, 0, 128)), "1 0.501961 0");
    // Red with alpha 128 has no name, so its numbers are written.
    EXPECT_EQ(text_of(make_rgba_Colour(255, 0, 0, 128)), "1 0 0");
}

TEST(ColourText, NamedAndOpaqueColoursSurviveARoundTrip) {
    const Colour colours[] = {make_Colour(135, 206, 250), make_Colour(1, 2, 3),
                              make_Colour(254, 127, 0), make_rgba_Colour(0, 0, 0, 0)};
    for (Colour colour : colours)
        EXPECT_EQ(convert_string_to_colour(text_of(colour).c_str()), colour) << text_of(colour);
}
