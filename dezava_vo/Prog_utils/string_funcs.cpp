#include "Prog_utils/string_funcs.h"

#include <cstring>

#include "Prog_utils/alloc.h"

STRING alloc_string(int length) {
    STRING string;
    ALLOC(string, (size_t)(length < 0 ? 0 : length) + 1);
    return string;
}

void delete_string(STRING string) {
    if (string != nullptr)
        FREE(string);
}

void replace_string(STRING *string, STRING new_string) {
    // Replacing a string by itself must not free what is then kept.
    if (*string == new_string)
        return;
    delete_string(*string);
    *string = new_string;
}

int string_length(const char *string) { return string == nullptr ? 0 : (int)strlen(string); }

STRING create_string(const char *initial) {
    if (initial == nullptr)
        initial = "";
    size_t length = strlen(initial);
    STRING string = alloc_string((int)length);
    if (string != nullptr)
        memcpy(string, initial, length + 1);
    return string;
}

STRING concat_strings(const char *str1, const char *str2) {
    size_t length1 = (size_t)string_length(str1);
    size_t length2 = (size_t)string_length(str2);
    STRING result = alloc_string((int)(length1 + length2));
    if (result == nullptr)
        return nullptr;
    if (length1 > 0)
        memcpy(result, str1, length1);
    if (length2 > 0)
        memcpy(result + length1, str2, length2);
    result[length1 + length2] = '\0';
    return result;
}

void concat_to_string(STRING *string, const char *str2) {
    // The new string is made before the old is freed, so str2 may be *string.
    STRING joined = concat_strings(*string, str2);
    delete_string(*string);
    *string = joined;
}

void concat_char_to_string(STRING *string, char ch) {
    int length = string_length(*string);
    if (*string == nullptr)
        *string = alloc_string(1);
    else
        SET_ARRAY_SIZE(*string, length + 1, length + 2, 1);
    if (*string == nullptr)
        return;
    (*string)[length] = ch;
    (*string)[length + 1] = '\0';
}

BOOLEAN equal_strings(const char *str1, const char *str2) {
    return strcmp(str1 == nullptr ? "" : str1, str2 == nullptr ? "" : str2) == 0;
}

BOOLEAN string_ends_in(const char *string, const char *ending) {
    int length = string_length(string);
    int ending_length = string_length(ending);
    if (ending_length > length)
        return FALSE;
    return ending_length == 0 || strcmp(string + length - ending_length, ending) == 0;
}

BOOLEAN is_lower_case(int ch) {
    unsigned char byte = (unsigned char)ch;
    return byte >= 'a' && byte <= 'z';
}

BOOLEAN is_upper_case(int ch) {
    unsigned char byte = (unsigned char)ch;
    return byte >= 'A' && byte <= 'Z';
}

int get_lower_case(int ch) { return is_upper_case(ch) ? ch + ('a' - 'A') : ch; }

int get_upper_case(int ch) { return is_lower_case(ch) ? ch - ('a' - 'A') : ch; }

void make_string_upper_case(STRING string) {
    for (int i = 0; i < string_length(string); ++i)
        string[i] = (char)get_upper_case(string[i]);
}

STRING strip_outer_blanks(const char *str) {
    int length = string_length(str);
    int first_non_blank = 0;
    while (first_non_blank < length && str[first_non_blank] == ' ')
        ++first_non_blank;
    if (first_non_blank == length)
        return create_string(nullptr);
    int last_non_blank = length - 1;
    while (str[last_non_blank] == ' ')
        --last_non_blank;

    int stripped_length = last_non_blank - first_non_blank + 1;
    STRING stripped = alloc_string(stripped_length);
    if (stripped == nullptr)
        return nullptr;
    memcpy(stripped, str + first_non_blank, (size_t)stripped_length);
    stripped[stripped_length] = '\0';
    return stripped;
}

int find_character(const char *string, int ch) {
    if (string == nullptr)
        return -1;
    const char *found = strchr(string, ch);
    return (found == nullptr || ch == '\0') ? -1 : (int)(found - string);
}

BOOLEAN blank_string(const char *string) {
    for (int i = 0; i < string_length(string); ++i) {
        char ch = string[i];
        if (ch != ' ' && ch != '\t' && ch != '\n')
            return FALSE;
    }
    return TRUE;
}
