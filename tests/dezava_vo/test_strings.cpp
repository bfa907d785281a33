#include <gtest/gtest.h>

#include <string>

#include <dezava_vo.h>

namespace {

// Owns a STRING for the length of a test.
struct Owned {
    explicit Owned(STRING s) : value(s) {}
    ~Owned() { delete_string(value); }
    STRING value;
};

} // namespace

TEST(Strings, CreateAndConcatTreatNullAsEmpty) {
    Owned empty(create_string(nullptr));
    ASSERT_NE(empty.value, nullptr);
    EXPECT_STREQ(empty.value, "");

    Owned joined(concat_strings(nullptr, "abc"));
    EXPECT_STREQ(joined.value, "abc");
    EXPECT_TRUE(equal_strings(nullptr, ""));
    EXPECT_FALSE(equal_strings("a", "A"));
}

TEST(Strings, AppendingToNullMakesATwoByteString) {
    set_alloc_checking(TRUE);
    STRING s = nullptr;
    concat_char_to_string(&s, 'x');
    EXPECT_STREQ(s, "x");
    EXPECT_EQ(get_total_memory_alloced(), 2u);
    concat_char_to_string(&s, 'y');
    EXPECT_STREQ(s, "xy");
    EXPECT_EQ(get_total_memory_alloced(), 3u); // every append grows by one byte
    delete_string(s);
    EXPECT_EQ(get_total_memory_alloced(), 0u);
    set_alloc_checking(FALSE);
}

TEST(Strings, SelfReplaceAndSelfConcatAreSafe) {
    STRING s = create_string("ab");
    replace_string(&s, s);
    EXPECT_STREQ(s, "ab");
    concat_to_string(&s, s);
    EXPECT_STREQ(s, "abab");
    replace_string(&s, create_string("new"));
    EXPECT_STREQ(s, "new");
    delete_string(s);
}

TEST(Strings, StripOuterBlanksKeepsTabs) {
    const struct {
        const char *input, *expected;
    } cases[] = {{"  a b  ", "a b"}, {"\tab ", "\tab"}, {"   ", ""}, {"", ""}, {nullptr, ""}};
    for (const auto &c : cases) {
        Owned stripped(strip_outer_blanks(c.input));
        EXPECT_STREQ(stripped.value, c.expected) << (c.input ? c.input : "(null)");
    }
}

TEST(Strings, PredicatesAndSearch) {
    EXPECT_TRUE(string_ends_in("file.obj", ".obj"));
    EXPECT_FALSE(string_ends_in("obj", ".obj"));
    EXPECT_FALSE(string_ends_in("File.OBJ", ".obj"));
    EXPECT_TRUE(string_ends_in(nullptr, ""));
    EXPECT_EQ(find_character("abc", 'c'), 2);
    EXPECT_EQ(find_character("abc", 'z'), -1);
    EXPECT_EQ(find_character("", 'a'), -1);
    EXPECT_EQ(find_character(nullptr, 'a'), -1);
    EXPECT_TRUE(blank_string(" \t\n"));
    EXPECT_FALSE(blank_string(" \r"));
    EXPECT_TRUE(blank_string(nullptr));
    EXPECT_EQ(string_length(nullptr), 0);
}

TEST(Strings, CaseHandlingIsPlainAscii) {
    EXPECT_TRUE(is_lower_case('q'));
    EXPECT_FALSE(is_lower_case('Q'));
    EXPECT_TRUE(is_upper_case('Q'));
    EXPECT_FALSE(is_upper_case(0xC9)); // a Latin-1 capital is not ASCII
    EXPECT_EQ(get_upper_case('a'), 'A');
    EXPECT_EQ(get_lower_case('Z'), 'z');
    EXPECT_EQ(get_lower_case('5'), '5');
    Owned s(create_string("mixed Case 42"));
    make_string_upper_case(s.value);
    EXPECT_STREQ(s.value, "MIXED CASE 42");
}
