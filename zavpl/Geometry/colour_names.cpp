#include "Geometry/colour_names.h"

#include "Geometry/colour_pack.h"
#include "Prog_utils/string_funcs.h"

namespace {

constexpr Colour packed(int r, int g, int b, int a) {
    return (static_cast<Colour>(r) << 24) | (static_cast<Colour>(g) << 16) |
           (static_cast<Colour>(b) << 8) | static_cast<Colour>(a);
}

} // namespace

// The variables start with their values so that code reading them before any
// lookup still sees the right colour.
#define ZAVPL_DEFINE_NAMED_COLOUR(name, r, g, b, a) Colour name##_COL = packed(r, g, b, a);
ZAVPL_NAMED_COLOURS(ZAVPL_DEFINE_NAMED_COLOUR)
#undef ZAVPL_DEFINE_NAMED_COLOUR

#define ZAVPL_NAMED_COLOUR_ROW(name, r, g, b, a) {#name, &name##_COL},
const colours_struct colour_lookup[N_NAMED_COLOURS] = {ZAVPL_NAMED_COLOURS(ZAVPL_NAMED_COLOUR_ROW)};
#undef ZAVPL_NAMED_COLOUR_ROW

namespace {

bool ignored_in_name(char ch) {
    return ch == ' ' || ch == '\t' || ch == '_';
}

const char *skip_ignored(const char *text) {
    while (*text != '\0' && ignored_in_name(*text))
        ++text;
    return text;
}

// Equal after dropping blanks, tabs and underscores and lowering the case.
bool same_colour_name(const char *given, const char *table_name) {
    for (;;) {
        given = skip_ignored(given);
        table_name = skip_ignored(table_name);
        if (*given == '\0' || *table_name == '\0') return *given == *table_name;
        if (get_lower_case((unsigned char)*given) != get_lower_case((unsigned char)*table_name))
            return false;
        ++given;
        ++table_name;
    }
}

} // namespace

void check_initialize_colours(void) {
    static BOOLEAN first_call = TRUE;
    if (!first_call) return;
    first_call = FALSE;

#define ZAVPL_SET_NAMED_COLOUR(name, r, g, b, a) name##_COL = make_rgba_Colour(r, g, b, a);
    ZAVPL_NAMED_COLOURS(ZAVPL_SET_NAMED_COLOUR)
#undef ZAVPL_SET_NAMED_COLOUR
}

BOOLEAN lookup_colour(const char *colour_name, Colour *col) {
    check_initialize_colours();
    if (colour_name == nullptr) return FALSE;
    for (const colours_struct &row : colour_lookup) {
        if (same_colour_name(colour_name, row.name)) {
            *col = *row.colour;
            return TRUE;
        }
    }
    return FALSE;
}

BOOLEAN lookup_colour_name(Colour col, STRING *colour_name) {
    check_initialize_colours();
    for (const colours_struct &row : colour_lookup) {
        if (equal_colours(*row.colour, col)) {
            STRING copy = create_string(row.name);
            if (copy == nullptr) return FALSE;
            *colour_name = copy;
            return TRUE;
        }
    }
    return FALSE;
}
