#ifndef ZAVPL_COLOUR_NAMES_H
#define ZAVPL_COLOUR_NAMES_H

// The named colours: one global NAME_COL variable per name and lookup in
// both directions through a table whose order decides which of several
// names a colour gets.

#include "Prog_utils/basic.h"

// X(name, red, green, blue, alpha) for every named colour, in table order.
#define ZAVPL_NAMED_COLOURS(X)                                                                     \
    X(TRANSPARENT, 0, 0, 0, 0)                                                                     \
    X(ALICE_BLUE, 240, 248, 255, 255)                                                              \
    X(ANTIQUE_WHITE, 250, 235, 215, 255)                                                           \
    X(AQUAMARINE, 127, 255, 212, 255)                                                              \
    X(AZURE, 240, 255, 255, 255)                                                                   \
    X(BEIGE, 245, 245, 220, 255)                                                                   \
    X(BISQUE, 255, 228, 196, 255)                                                                  \
    X(BLACK, 0, 0, 0, 255)                                                                         \
    X(BLANCHED_ALMOND, 255, 235, 205, 255)                                                         \
    X(BLUE, 0, 0, 255, 255)                                                                        \
    X(BLUE_VIOLET, 138, 43, 226, 255)                                                              \
    X(BRIGHT_MUSTARD, 255, 192, 48, 255)                                                           \
    X(BROWN, 255, 64, 64, 255)                                                                     \
    X(BURLYWOOD, 222, 184, 135, 255)                                                               \
    X(CADET_BLUE, 95, 158, 160, 255)                                                               \
    X(CHARTREUSE, 127, 255, 0, 255)                                                                \
    X(CHOCOLATE, 210, 105, 30, 255)                                                                \
    X(CORAL, 255, 114, 86, 255)                                                                    \
    X(CORNFLOWER_BLUE, 100, 149, 237, 255)                                                         \
    X(CORNSILK, 255, 248, 220, 255)                                                                \
    X(CYAN, 0, 255, 255, 255)                                                                      \
    X(DARK_BROWN, 80, 40, 30, 255)                                                                 \
    X(DARK_FIREBRICK, 134, 26, 26, 255)                                                            \
    X(DARK_GOLDENROD, 255, 185, 15, 255)                                                           \
    X(DARK_GREEN, 0, 100, 0, 255)                                                                  \
    X(DARK_KHAKI, 189, 183, 107, 255)                                                              \
    X(DARK_OLIVE_GREEN, 202, 255, 112, 255)                                                        \
    X(DARK_ORANGE, 255, 140, 0, 255)                                                               \
    X(DARK_ORCHID, 191, 62, 255, 255)                                                              \
    X(DARK_RED, 128, 0, 0, 255)                                                                    \
    X(DARK_SALMON, 233, 150, 122, 255)                                                             \
    X(DARK_SEA_GREEN, 193, 255, 193, 255)                                                          \
    X(DARK_SLATE_BLUE, 72, 61, 139, 255)                                                           \
    X(DARK_SLATE_GRAY, 151, 255, 255, 255)                                                         \
    X(DARK_SLATE_GREY, 47, 79, 79, 255)                                                            \
    X(DARK_TURQUOISE, 0, 206, 209, 255)                                                            \
    X(DARK_VIOLET, 148, 0, 211, 255)                                                               \
    X(DEEP_PINK, 255, 20, 147, 255)                                                                \
    X(DEEP_SKY_BLUE, 0, 191, 255, 255)                                                             \
    X(DIM_GRAY, 105, 105, 105, 255)                                                                \
    X(DIM_GREY, 105, 105, 105, 255)                                                                \
    X(DODGER_BLUE, 30, 144, 255, 255)                                                              \
    X(FIREBRICK, 178, 34, 34, 255)                                                                 \
    X(FLORAL_WHITE, 255, 250, 240, 255)                                                            \
    X(FOREST_GREEN, 34, 139, 34, 255)                                                              \
    X(GAINSBORO, 220, 220, 220, 255)                                                               \
    X(GHOST_WHITE, 248, 248, 255, 255)                                                             \
    X(GOLD, 255, 215, 0, 255)                                                                      \
    X(GOLDENROD, 255, 193, 37, 255)                                                                \
    X(GRAY, 192, 192, 192, 255)                                                                    \
    X(GREEN, 0, 255, 0, 255)                                                                       \
    X(GREEN_YELLOW, 173, 255, 47, 255)                                                             \
    X(GREY, 192, 192, 192, 255)                                                                    \
    X(HONEYDEW, 240, 255, 240, 255)                                                                \
    X(HOT_PINK, 255, 110, 180, 255)                                                                \
    X(INDIAN_RED, 255, 106, 106, 255)                                                              \
    X(IVORY, 255, 255, 240, 255)                                                                   \
    X(KHAKI, 255, 246, 143, 255)                                                                   \
    X(LAVENDER, 230, 230, 250, 255)                                                                \
    X(LAVENDER_BLUSH, 255, 240, 245, 255)                                                          \
    X(LAWN_GREEN, 124, 252, 0, 255)                                                                \
    X(LEMON_CHIFFON, 255, 250, 205, 255)                                                           \
    X(LIGHT_BLUE, 191, 239, 255, 255)                                                              \
    X(LIGHT_CORAL, 240, 128, 128, 255)                                                             \
    X(LIGHT_CYAN, 224, 255, 255, 255)                                                              \
    X(LIGHT_GOLDENROD, 255, 236, 139, 255)                                                         \
    X(LIGHT_GOLDENROD_YELLOW, 250, 250, 210, 255)                                                  \
    X(LIGHT_GRAY, 211, 211, 211, 255)                                                              \
    X(LIGHT_GREY, 211, 211, 211, 255)                                                              \
    X(LIGHT_PINK, 255, 182, 193, 255)                                                              \
    X(LIGHT_SALMON, 255, 160, 122, 255)                                                            \
    X(LIGHT_SEA_GREEN, 32, 178, 170, 255)                                                          \
    X(LIGHT_SKY_BLUE, 135, 206, 250, 255)                                                          \
    X(LIGHT_SLATE_BLUE, 132, 112, 255, 255)                                                        \
    X(LIGHT_SLATE_GRAY, 119, 136, 153, 255)                                                        \
    X(LIGHT_SLATE_GREY, 119, 136, 153, 255)                                                        \
    X(LIGHT_STEEL_BLUE, 202, 225, 255, 255)                                                        \
    X(LIGHT_YELLOW, 255, 255, 224, 255)                                                            \
    X(LIME_GREEN, 50, 205, 50, 255)                                                                \
    X(LINEN, 250, 240, 230, 255)                                                                   \
    X(MAGENTA, 255, 0, 255, 255)                                                                   \
    X(MAROON, 255, 52, 179, 255)                                                                   \
    X(MEDIUM_AQUAMARINE, 102, 205, 170, 255)                                                       \
    X(MEDIUM_BLUE, 0, 0, 205, 255)                                                                 \
    X(MEDIUM_ORCHID, 186, 85, 211, 255)                                                            \
    X(MEDIUM_PURPLE, 171, 130, 255, 255)                                                           \
    X(MEDIUM_SEA_GREEN, 60, 179, 113, 255)                                                         \
    X(MEDIUM_SLATE_BLUE, 123, 104, 238, 255)                                                       \
    X(MEDIUM_SPRING_GREEN, 0, 250, 154, 255)                                                       \
    X(MEDIUM_TURQUOISE, 72, 209, 204, 255)                                                         \
    X(MEDIUM_VIOLET_RED, 199, 21, 133, 255)                                                        \
    X(MIAMI_PINK, 255, 128, 144, 255)                                                              \
    X(MIAMI_TURQUOISE, 80, 255, 255, 255)                                                          \
    X(MIDNIGHT_BLUE, 25, 25, 112, 255)                                                             \
    X(MINT_CREAM, 245, 255, 250, 255)                                                              \
    X(MISTY_ROSE, 255, 228, 225, 255)                                                              \
    X(MOCCASIN, 255, 228, 181, 255)                                                                \
    X(NAVAJO_WHITE, 255, 222, 173, 255)                                                            \
    X(NAVY, 0, 0, 128, 255)                                                                        \
    X(NAVY_BLUE, 0, 0, 128, 255)                                                                   \
    X(OLD_LACE, 253, 245, 230, 255)                                                                \
    X(OLIVE_DRAB, 107, 142, 35, 255)                                                               \
    X(ORANGE, 255, 165, 0, 255)                                                                    \
    X(ORANGE_RED, 255, 69, 0, 255)                                                                 \
    X(ORCHID, 218, 112, 214, 255)                                                                  \
    X(PALE_GOLDENROD, 238, 232, 170, 255)                                                          \
    X(PALE_GREEN, 154, 255, 154, 255)                                                              \
    X(PALE_TURQUOISE, 187, 255, 255, 255)                                                          \
    X(PALE_VIOLET_RED, 255, 130, 171, 255)                                                         \
    X(PAPAYA_WHIP, 255, 239, 213, 255)                                                             \
    X(PEACH_PUFF, 255, 218, 185, 255)                                                              \
    X(PERU, 205, 133, 63, 255)                                                                     \
    X(PINK, 255, 192, 203, 255)                                                                    \
    X(PLUM, 255, 187, 255, 255)                                                                    \
    X(POWDER_BLUE, 176, 224, 230, 255)                                                             \
    X(PURPLE, 160, 32, 240, 255)                                                                   \
    X(RED, 255, 0, 0, 255)                                                                         \
    X(ROSY_BROWN, 255, 193, 193, 255)                                                              \
    X(ROYAL_BLUE, 72, 118, 255, 255)                                                               \
    X(SADDLE_BROWN, 139, 69, 19, 255)                                                              \
    X(SALMON, 255, 140, 105, 255)                                                                  \
    X(SANDY_BROWN, 244, 164, 96, 255)                                                              \
    X(SEASHELL, 255, 245, 238, 255)                                                                \
    X(SEA_GREEN, 84, 255, 159, 255)                                                                \
    X(SIENNA, 255, 130, 71, 255)                                                                   \
    X(SKY_BLUE, 135, 206, 255, 255)                                                                \
    X(SLATE_BLUE, 131, 111, 255, 255)                                                              \
    X(SLATE_GRAY, 198, 226, 255, 255)                                                              \
    X(SLATE_GREY, 112, 128, 144, 255)                                                              \
    X(SNOW, 255, 250, 250, 255)                                                                    \
    X(SPRING_GREEN, 0, 255, 127, 255)                                                              \
    X(STEEL_BLUE, 99, 184, 255, 255)                                                               \
    X(TAN, 255, 165, 79, 255)                                                                      \
    X(THISTLE, 255, 225, 255, 255)                                                                 \
    X(TOMATO, 255, 99, 71, 255)                                                                    \
    X(TURQUOISE, 64, 224, 208, 255)                                                                \
    X(VIOLET, 238, 130, 238, 255)                                                                  \
    X(VIOLET_RED, 255, 62, 150, 255)                                                               \
    X(WHEAT, 255, 231, 186, 255)                                                                   \
    X(WHITE, 255, 255, 255, 255)                                                                   \
    X(WHITE_SMOKE, 245, 245, 245, 255)                                                             \
    X(YELLOW, 255, 255, 0, 255)                                                                    \
    X(YELLOW_GREEN, 154, 205, 50, 255)

#define ZAVPL_DECLARE_NAMED_COLOUR(name, r, g, b, a) extern Colour name##_COL;
ZAVPL_NAMED_COLOURS(ZAVPL_DECLARE_NAMED_COLOUR)
#undef ZAVPL_DECLARE_NAMED_COLOUR

struct colours_struct {
    const char *name;
    Colour *colour;
};

#define N_NAMED_COLOURS 143

// The name table, in the order used by both lookups.
extern const colours_struct colour_lookup[N_NAMED_COLOURS];

// Gives every NAME_COL variable its value; later calls return at once.
void check_initialize_colours(void);

// TRUE and *col set when colour_name names a table colour, comparing without
// blanks, tabs and underscores and ignoring case; FALSE and *col untouched
// otherwise (also for a null name).
BOOLEAN lookup_colour(const char *colour_name, Colour *col);

// TRUE and *colour_name a new string holding the first table name whose
// colour equals all 32 bits of col; FALSE and nothing stored otherwise.
BOOLEAN lookup_colour_name(Colour col, STRING *colour_name);

#endif
