#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <string>
#include <unistd.h>

#include <dezava_vo.h>

#include "test_helpers.h"

using tarvex_test::ScopedEnv;
using tarvex_test::TempDirTest;
using tarvex_test::write_file;

namespace {

// Takes a returned STRING, frees it and gives its text ("(null)" for null).
std::string take(STRING str) {
    std::string text = str == nullptr ? "(null)" : str;
    delete_string(str);
    return text;
}

struct ExpansionCase {
    const char *input;
    const char *expected;
};

} // namespace

TEST(ExpandFilename, ResolvesReferencesAndEscapesAsDocumented) {
    ScopedEnv home("HOME", "/home/u");
    ScopedEnv unset("TARVEX_UNSET_VARIABLE", nullptr);
    ScopedEnv dash("DIR-old", "/old");
    ScopedEnv dir("DIR", "/new");
    ScopedEnv a("TARVEX_A", nullptr);
    ScopedEnv b("TARVEX_B", "x");
    ScopedEnv holds_reference("TARVEX_REF", "$HOME");

    const ExpansionCase cases[] = {
        {"~/data/x.obj", "/home/u/data/x.obj"},
        {"~", "/home/u"},
        {"~.cshrc", "/home/u.cshrc"},
        {"~tarvex_no_such_user/x", "~tarvex_no_such_user/x"},
        {"$TARVEX_UNSET_VARIABLE/x", "$TARVEX_UNSET_VARIABLE/x"},
        {"a\\$HOME", "a$HOME"},
        {"\\~/x", "~/x"},
        {"a~b", "a~b"},
        {"x/~/y", "x/~/y"},
        {"$DIR-old/x", "/old/x"},
        {"$DIR/x", "/new/x"},
        {"$DIR.d", "/new.d"},
        {"a\\\\b", "a\\b"},
        {"a\\b", "ab"},
        {"trailing\\", "trailing"},
        {"$TARVEX_A$TARVEX_B", "$TARVEX_Ax"},
        {"$HOME/$HOME", "/home/u//home/u"},
        {"end/$", "end/$"},
        {"$TARVEX_REF/x", "$HOME/x"}, // a value is not scanned again
        {"", ""},
        {"plain name.obj", "plain name.obj"},
    };
    for (const ExpansionCase &c : cases)
        EXPECT_EQ(take(expand_filename(c.input)), c.expected) << "input: " << c.input;
}

TEST(ExpandFilename, UnsetHomeLeavesTildeAndNamedUserGivesHomeDirectory) {
    ScopedEnv home("HOME", nullptr);
    EXPECT_EQ(take(expand_filename("~/x")), "~/x");

    struct passwd *me = getpwuid(getuid());
    if (me == nullptr) GTEST_SKIP() << "no password entry for this user";
    std::string user = me->pw_name;
    std::string home_dir = me->pw_dir;
    EXPECT_EQ(take(expand_filename(("~" + user + "/x").c_str())), home_dir + "/x");
}

TEST(FilenameParts, ExtensionsDirectoriesAndAbsoluteNames) {
    ScopedEnv home("HOME", "/home/u");

    struct {
        const char *name;
        const char *extension;
        BOOLEAN matches;
    } extension_cases[] = {
        {"x.obj.gz", "obj", TRUE}, {"x.OBJ", "obj", FALSE},  {"x.obj", "obj", TRUE},
        {"x.obj.Z", "obj", TRUE},  {"x.obj.z", "obj", TRUE}, {"x.obj.bz2", "obj", FALSE},
        {"xobj", "obj", FALSE},    {"~/s.tag", "tag", TRUE}, {"x.obj.gz.z", "obj", TRUE},
    };
    for (const auto &c : extension_cases)
        EXPECT_EQ(filename_extension_matches(c.name, c.extension), c.matches) << c.name;

    struct {
        const char *name;
        const char *directory;
        const char *base;
    } part_cases[] = {
        {"a/b/c.obj", "a/b/", "c.obj"}, {"/c", "/", "c"},     {"c.obj", ".", "c.obj"},
        {"~/d/e", "/home/u/d/", "e"},   {"dir/", "dir/", ""},
    };
    for (const auto &c : part_cases) {
        EXPECT_EQ(take(extract_directory(c.name)), c.directory) << c.name;
        EXPECT_EQ(take(remove_directories_from_filename(c.name)), c.base) << c.name;
    }

    EXPECT_EQ(take(get_absolute_filename("x.obj", "/data")), "/data/x.obj");
    EXPECT_EQ(take(get_absolute_filename("x.obj", "/data/")), "/data/x.obj");
    EXPECT_EQ(take(get_absolute_filename("/abs/x.obj", "/data")), "/abs/x.obj");
    EXPECT_EQ(take(get_absolute_filename("x.obj", "")), "x.obj");
    EXPECT_EQ(take(get_absolute_filename("x.obj", nullptr)), "x.obj");
    EXPECT_EQ(take(get_absolute_filename("~/x", "/data")), "/home/u/x");
    // The directory is used as given, not expanded.
    EXPECT_EQ(take(get_absolute_filename("x", "~/d")), "~/d/x");
}

using FileExistence = TempDirTest;

TEST_F(FileExistence, ExistsCompressedVariantsAndDirectories) {
    ScopedEnv base("TARVEX_BASE", dir.path().c_str());
    write_file(dir.file("plain"), "p");
    write_file(dir.file("both.z"), "z");
    write_file(dir.file("both.gz"), "gz");
    write_file(dir.file("only.Z"), "Z");

    EXPECT_TRUE(file_exists("$TARVEX_BASE/plain"));
    EXPECT_FALSE(file_exists("$TARVEX_BASE/missing"));

    // ".z" is tried before ".Z" and ".gz".
    STRING found = nullptr;
    EXPECT_TRUE(file_exists_as_compressed("$TARVEX_BASE/both", &found));
    EXPECT_EQ(take(found), dir.file("both.z"));

    // The string passed as the name is replaced (and freed) in place.
    STRING name = create_string("$TARVEX_BASE/only");
    EXPECT_TRUE(file_exists_as_compressed(name, &name));
    EXPECT_EQ(take(name), dir.file("only.Z"));

    STRING untouched = create_string("keep");
    EXPECT_FALSE(file_exists_as_compressed("$TARVEX_BASE/plain", &untouched));
    EXPECT_EQ(take(untouched), "keep");

    EXPECT_TRUE(file_directory_exists("$TARVEX_BASE/anything"));
    EXPECT_TRUE(file_directory_exists("relative-name"));
    EXPECT_FALSE(file_directory_exists("$TARVEX_BASE/no-dir/anything"));
}

TEST_F(FileExistence, UnreadableFileCountsAsAbsent) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    write_file(dir.file("secret"), "s");
    ASSERT_EQ(chmod(dir.file("secret").c_str(), 0), 0);
    EXPECT_FALSE(file_exists(dir.file("secret").c_str()));
}
