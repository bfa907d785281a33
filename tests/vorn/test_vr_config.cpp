// Configuration lookups: the environment first, then "$HOME/.vornrc".

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include <vorn.h>

#include "test_helpers.h"

using tarvex_test::ScopedEnv;
using tarvex_test::TempDir;

namespace {

class VornConfigTest : public ::testing::Test {
  protected:
    void write_config(const std::string &text) {
        tarvex_test::write_file(home.file(".vornrc"), text);
    }
    // vrget_cfg_str as a std::string ("<null>" when not set).
    static std::string cfg_str(const char *name) {
        char *value = vrget_cfg_str(name);
        std::string text = value != nullptr ? value : "<null>";
        free(value);
        return text;
    }

    TempDir home;
    ScopedEnv home_env{"HOME", home.path().c_str()};
    ScopedEnv test_env{"VORN_TEST_SWITCH", nullptr};
};

} // namespace

TEST_F(VornConfigTest, FileLinesMatchByNamePrefixIgnoringCase) {
    write_config("# VORN_TEST_SWITCH = commented out\n"
                 "VORN_TEST_SWITCH without an equals sign\n"
                 "other = 5\n"
                 "vorn_test_switchX= \t  first value  \n"
                 "VORN_TEST_SWITCH = second value\n");
    char buffer[64];
    ASSERT_TRUE(vrread_cfg("VORN_TEST_SWITCH", buffer, sizeof(buffer)));
    EXPECT_STREQ(buffer, "first value");
    EXPECT_FALSE(vrread_cfg("VORN_MISSING", buffer, sizeof(buffer)));
    EXPECT_FALSE(vrread_cfg("", buffer, sizeof(buffer)));
    EXPECT_EQ(cfg_str("VORN_TEST_SWITCH"), "first value");
    EXPECT_EQ(cfg_str("VORN_MISSING"), "<null>");
}

TEST_F(VornConfigTest, ReadCfgCutsTheValueToTheBuffer) {
    write_config("VORN_TEST_SWITCH=abcdefgh\n");
    char buffer[5] = "zzzz";
    ASSERT_TRUE(vrread_cfg("VORN_TEST_SWITCH", buffer, sizeof(buffer)));
    EXPECT_STREQ(buffer, "abcd");
    char one[1] = {'z'};
    ASSERT_TRUE(vrread_cfg("VORN_TEST_SWITCH", one, 1));
    EXPECT_EQ(one[0], '\0');
    EXPECT_FALSE(vrread_cfg("VORN_TEST_SWITCH", buffer, 0));
}

TEST_F(VornConfigTest, LongLinesAreNotSplitIntoFalseMatches) {
    // The tail of an over-long line must not be read as a line of its own.
    std::string long_line = "comment = " + std::string(600, 'x') + "VORN_TEST_SWITCH=9\n";
    write_config(long_line + "VORN_TEST_SWITCH=" + std::string(300, 'v') + "\n");
    EXPECT_EQ(cfg_str("VORN_TEST_SWITCH"), std::string(300, 'v'));
}

TEST_F(VornConfigTest, EnvironmentComesFirstEvenWhenEmpty) {
    write_config("VORN_TEST_SWITCH = 1\n");
    {
        ScopedEnv env("VORN_TEST_SWITCH", "0");
        EXPECT_FALSE(vrget_cfg_bool("VORN_TEST_SWITCH"));
        EXPECT_EQ(cfg_str("VORN_TEST_SWITCH"), "0");
    }
    {
        ScopedEnv env("VORN_TEST_SWITCH", "");
        EXPECT_FALSE(vrget_cfg_bool("VORN_TEST_SWITCH"));
        EXPECT_EQ(cfg_str("VORN_TEST_SWITCH"), "");
    }
    EXPECT_TRUE(vrget_cfg_bool("VORN_TEST_SWITCH"));
}

TEST_F(VornConfigTest, NumbersAreTheLeadingIntegerOfTheText) {
    const struct {
        const char *text; // null: not set anywhere
        int number;
        int flag;
    } cases[] = {
        {"1", 1, TRUE},
        {" 1", 1, TRUE},
        {"1 yes", 1, TRUE},
        {"yes", 0, FALSE},
        {"0", 0, FALSE},
        {"-3", -3, TRUE},
        {"99999999999999999999", INT_MAX, TRUE},
        {"-99999999999999999999", INT_MIN, TRUE},
        {nullptr, 0, FALSE},
    };
    for (const auto &c : cases) {
        ScopedEnv env("VORN_TEST_SWITCH", c.text);
        const char *label = c.text != nullptr ? c.text : "<unset>";
        EXPECT_EQ(vrget_cfg_int("VORN_TEST_SWITCH"), c.number) << label;
        EXPECT_EQ(vrget_cfg_bool("VORN_TEST_SWITCH"), c.flag) << label;
    }
}

TEST_F(VornConfigTest, MissingHomeOrFileMeansNotSet) {
    EXPECT_EQ(cfg_str("VORN_TEST_SWITCH"), "<null>");
    EXPECT_EQ(vrget_cfg_int("VORN_TEST_SWITCH"), 0);
    ScopedEnv no_home("HOME", (home.path() + "/does-not-exist").c_str());
    char buffer[16];
    EXPECT_FALSE(vrread_cfg("VORN_TEST_SWITCH", buffer, sizeof(buffer)));
}
