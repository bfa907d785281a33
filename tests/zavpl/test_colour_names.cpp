#include <gtest/gtest.h>

#include <set>
#include <string>

#include <zavpl.h>

namespace {

std::string name_of(Colour colour) {
    STRING name = nullptr;
    if (!lookup_colour_name(colour, &name)) return "<none>";
    std::string result = name;
    delete_string(name);
    return result;
}

} // namespace

TEST(ColourNames, TableHasEveryNameOnceInOrder) {
    EXPECT_STREQ(colour_lookup[0].name, "TRANSPARENT");
    EXPECT_STREQ(colour_lookup[1].name, "ALICE_BLUE");
    EXPECT_STREQ(colour_lookup[N_NAMED_COLOURS - 1].name, "YELLOW_GREEN");
    std::set<std::string> names;
    for (const colours_struct &row : colour_lookup)
        names.insert(row.name);
    EXPECT_EQ(names.size(), 143u);
    EXPECT_EQ(colour_lookup[0].colour, &TRANSPARENT_COL);
}

TEST(ColourNames, GlobalVariablesHoldTheirColours) {
    check_initialize_colours();
    struct Case {
        Colour actual;
        int r, g, b, a;
    } cases[] = {
        {TRANSPARENT_COL, 0, 0, 0, 0},
        {ALICE_BLUE_COL, 240, 248, 255, 255},
        {BLACK_COL, 0, 0, 0, 255},
        {RED_COL, 255, 0, 0, 255},
        {BROWN_COL, 255, 64, 64, 255},
        {DARK_SLATE_GRAY_COL, 151, 255, 255, 255},
        {DARK_SLATE_GREY_COL, 47, 79, 79, 255},
        {MAROON_COL, 255, 52, 179, 255},
        {WHITE_COL, 255, 255, 255, 255},
        {YELLOW_GREEN_COL, 154, 205, 50, 255},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.actual, make_rgba_Colour(c.r, c.g, c.b, c.a));
    for (const colours_struct &row : colour_lookup) {
        if (row.colour != &TRANSPARENT_COL) {
            EXPECT_EQ(get_Colour_a(*row.colour), 255) << row.name;
        }
    }
}

TEST(ColourNames, LookupIgnoresCaseBlanksTabsAndUnderscores) {
    const char *spellings[] = {"ANTIQUE_WHITE", "antique white", "AntiqueWhite", "antique_white  ",
                               "\tAnTi_Que White"};
    for (const char *text : spellings) {
        Colour colour = 0;
        EXPECT_TRUE(lookup_colour(text, &colour)) << text;
        EXPECT_EQ(colour, make_Colour(250, 235, 215)) << text;
    }
}

TEST(ColourNames, UnknownNamesLeaveTheColourUntouched) {
    const char *unknown[] = {"", " _\t", "antique", "antique whites", "reds", "re", nullptr};
    for (const char *text : unknown) {
        Colour colour = 0x12345678u;
        EXPECT_FALSE(lookup_colour(text, &colour)) << (text ? text : "(null)");
        EXPECT_EQ(colour, 0x12345678u);
    }
}

TEST(ColourNames, NameOfAColourIsTheFirstInTableOrder) {
    struct Case {
        Colour colour;
        const char *name;
    } cases[] = {
        {make_Colour(192, 192, 192), "GRAY"},
        {make_Colour(105, 105, 105), "DIM_GRAY"},
        {make_Colour(211, 211, 211), "LIGHT_GRAY"},
        {make_Colour(119, 136, 153), "LIGHT_SLATE_GRAY"},
        {make_Colour(0, 0, 128), "NAVY"},
        {make_rgba_Colour(0, 0, 0, 0), "TRANSPARENT"},
        {make_Colour(0, 0, 0), "BLACK"},
        {make_Colour(240, 248, 255), "ALICE_BLUE"},
        {make_Colour(154, 205, 50), "YELLOW_GREEN"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(name_of(c.colour), c.name);
}

TEST(ColourNames, ColoursWithoutANameReportAbsence) {
    // Alpha takes part in the comparison.
    const Colour unnamed[] = {make_rgba_Colour(255, 0, 0, 254), make_Colour(1, 2, 3)};
    for (Colour colour : unnamed) {
        STRING name = nullptr;
        EXPECT_FALSE(lookup_colour_name(colour, &name));
        EXPECT_EQ(name, nullptr);
    }
}

TEST(ColourNames, EveryNameFindsItsOwnColour) {
    for (const colours_struct &row : colour_lookup) {
        Colour colour = 0x01020304u;
        ASSERT_TRUE(lookup_colour(row.name, &colour)) << row.name;
        EXPECT_EQ(colour, *row.colour) << row.name;
    }
}
