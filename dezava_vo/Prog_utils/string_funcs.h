#ifndef DEZAVA_VO_STRING_FUNCS_H
#define DEZAVA_VO_STRING_FUNCS_H

// Heap strings (STRING) with one owner each; a null STRING counts as empty.

#include "Prog_utils/basic.h"

STRING alloc_string(int length);
void delete_string(STRING string);
void replace_string(STRING *string, STRING new_string);
int string_length(const char *string);
STRING create_string(const char *initial);
STRING concat_strings(const char *str1, const char *str2);
void concat_to_string(STRING *string, const char *str2);
void concat_char_to_string(STRING *string, char ch);
BOOLEAN equal_strings(const char *str1, const char *str2);
BOOLEAN string_ends_in(const char *string, const char *ending);
BOOLEAN is_lower_case(int ch);
BOOLEAN is_upper_case(int ch);
int get_lower_case(int ch);
int get_upper_case(int ch);
void make_string_upper_case(STRING string);
STRING strip_outer_blanks(const char *str);
int find_character(const char *string, int ch);
BOOLEAN blank_string(const char *string);

#endif
