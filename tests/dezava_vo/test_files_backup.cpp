#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include <dezava_vo.h>

#include "print_capture.h"
#include "test_helpers.h"

using tarvex_test::CapturePrint;
using tarvex_test::read_file;
using tarvex_test::TempDirTest;
using tarvex_test::write_file;

namespace {

std::string take(STRING str) {
    std::string text = str == nullptr ? "(null)" : str;
    delete_string(str);
    return text;
}

} // namespace

using FileCopies = TempDirTest;

TEST_F(FileCopies, CopyAndMoveNamesWithShellCharacters) {
    std::string src = dir.file("a b 'c\"; touch hacked");
    std::string dest = dir.file("-dest $(touch h2)");
    write_file(src, "contents");
    ASSERT_EQ(copy_file(src.c_str(), dest.c_str()), OK);
    EXPECT_EQ(read_file(dest), "contents");

    std::string moved = dir.file("moved;");
    ASSERT_EQ(move_file(dest.c_str(), moved.c_str()), OK);
    EXPECT_EQ(read_file(moved), "contents");
    EXPECT_TRUE(std::filesystem::exists(dest)) << "move_file keeps its source";
    EXPECT_FALSE(std::filesystem::exists(dir.file("hacked")));
    EXPECT_FALSE(std::filesystem::exists("h2"));

    remove_file(moved.c_str());
    EXPECT_FALSE(std::filesystem::exists(moved));
}

TEST_F(FileCopies, RelativeNamesStartingWithADashAreNotOptions) {
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    write_file("-n", "dash");
    Status status = copy_file("-n", "-r");
    std::filesystem::current_path(previous);
    EXPECT_EQ(status, OK);
    EXPECT_EQ(read_file(dir.file("-r")), "dash");
}

TEST_F(FileCopies, FailuresAreReportedWithTheirTexts) {
    std::string missing = dir.file("missing");
    std::string dest = dir.file("dest");
    CapturePrint capture;
    testing::internal::CaptureStderr(); // cp's own complaint
    EXPECT_EQ(copy_file(missing.c_str(), dest.c_str()), ERROR);
    EXPECT_EQ(move_file(missing.c_str(), dest.c_str()), ERROR);
    testing::internal::GetCapturedStderr();
    std::string copy_text = "Error copying file " + missing + " to " + dest + ": ";
    std::string move_text = "Error moving file " + missing + " to " + dest + ": ";
    EXPECT_EQ(capture.err().find(copy_text), 0u) << capture.err();
    EXPECT_NE(capture.err().find(move_text), std::string::npos) << capture.err();

    capture.clear();
    remove_file(missing.c_str());
    EXPECT_EQ(capture.err(),
              "Error removing " + missing + ".  \nSystem message: No such file or directory\n");
}

using Backups = TempDirTest;

TEST_F(Backups, MissingFileNeedsNoBackup) {
    STRING backup = create_string("stale");
    delete_string(backup);
    EXPECT_EQ(make_backup_file(dir.file("absent").c_str(), &backup), OK);
    EXPECT_EQ(backup, nullptr);
    cleanup_backup_file(dir.file("absent").c_str(), nullptr, ERROR); // nothing to do
}

TEST_F(Backups, BackupLandsBesideTheFileWithACleanedDatedName) {
    // The directory's blank and colon must survive: only the name is cleaned.
    std::filesystem::create_directory(dir.file("my dir:1"));
    std::string file = dir.file("my dir:1/surf.obj");
    write_file(file, "original");

    STRING backup = nullptr;
    ASSERT_EQ(make_backup_file(file.c_str(), &backup), OK);
    std::string name = take(backup);
    std::regex dated(R"(surf\.obj\.[A-Z][a-z]{2}_[A-Z][a-z]{2}_[_ 1-3][0-9]_[0-9]{2}-[0-9]{2}-)"
                     R"([0-9]{2}_[0-9]{4}_\.bkp)");
    std::string prefix = dir.file("my dir:1/");
    ASSERT_EQ(name.compare(0, prefix.size(), prefix), 0) << name;
    EXPECT_TRUE(std::regex_match(name.substr(prefix.size()), dated)) << name;
    EXPECT_EQ(read_file(name), "original");
}

TEST_F(Backups, TakenBackupNameGetsANumber) {
    std::string file = dir.file("surf.obj");
    write_file(file, "original");
    // Both backups must fall in the same second for the second to be numbered.
    for (int attempt = 0; attempt < 3; ++attempt) {
        STRING first = nullptr;
        STRING second = nullptr;
        ASSERT_EQ(make_backup_file(file.c_str(), &first), OK);
        ASSERT_EQ(make_backup_file(file.c_str(), &second), OK);
        std::string first_name = take(first);
        std::string second_name = take(second);
        if (second_name.compare(0, first_name.size(), first_name) != 0) continue;
        EXPECT_EQ(second_name, first_name + "_1");
        EXPECT_EQ(read_file(second_name), "original");
        return;
    }
    FAIL() << "the clock moved on between every pair of backups";
}

TEST_F(Backups, CleanupDiscardsAfterSuccessAndRestoresAfterFailure) {
    std::string file = dir.file("surf.obj");
    for (Status write_status : {OK, ERROR}) {
        write_file(file, "before");
        STRING backup = nullptr;
        ASSERT_EQ(make_backup_file(file.c_str(), &backup), OK);
        ASSERT_NE(backup, nullptr);
        write_file(file, "half-written");
        cleanup_backup_file(file.c_str(), backup, write_status);
        EXPECT_FALSE(std::filesystem::exists(backup));
        EXPECT_EQ(read_file(file), write_status == OK ? "half-written" : "before");
        delete_string(backup);
    }
}

TEST_F(Backups, FailedRestoreKeepsTheBackupAndSaysWhere) {
    std::string file = dir.file("surf.obj");
    write_file(file, "before");
    STRING backup = nullptr;
    ASSERT_EQ(make_backup_file(file.c_str(), &backup), OK);
    std::string unreachable = dir.file("gone/surf.obj");
    CapturePrint capture;
    testing::internal::CaptureStderr();
    cleanup_backup_file(unreachable.c_str(), backup, ERROR);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(capture.err().find("File " + unreachable + " was corrupted during a failed write,\n" +
                                 "File " + backup +
                                 " contains the state prior to the write attempt.\n"),
              std::string::npos)
        << capture.err();
    EXPECT_TRUE(std::filesystem::exists(backup));
    delete_string(backup);
}

namespace {

// Runs check_clobber_file in a child with `answer` as standard input; the
// child exits with 10 * result + the number of repeated prompts.
void expect_clobber_answer(const std::string &file, const std::string &input_path,
                           const std::string &answer, int expected_code,
                           BOOLEAN with_default_suffix = FALSE) {
    write_file(input_path, answer);
    EXPECT_EXIT(
        {
            if (freopen(input_path.c_str(), "r", stdin) == nullptr) _exit(99);
            CapturePrint capture;
            BOOLEAN may_write = with_default_suffix
                                    ? check_clobber_file_default_suffix(file.c_str(), "obj")
                                    : check_clobber_file(file.c_str());
            std::string out = capture.out();
            std::string question = "File <" + file + (with_default_suffix ? ".obj" : "") +
                                   "> exists, do you wish to overwrite (y or n): ";
            if (out.compare(0, question.size(), question) != 0) _exit(98);
            int prompts = 0;
            for (size_t at = out.find("  Please type y or n: "); at != std::string::npos;
                 at = out.find("  Please type y or n: ", at + 1))
                ++prompts;
            _exit(10 * may_write + prompts);
        },
        ::testing::ExitedWithCode(expected_code), "")
        << "answer: " << answer;
}

} // namespace

using ClobberCheck = TempDirTest;

TEST_F(ClobberCheck, AnswersFromStandardInput) {
    std::string file = dir.file("surf.obj");
    std::string input = dir.file("answer");
    EXPECT_TRUE(check_clobber_file(dir.file("missing").c_str()));

    write_file(file, "x");
    struct {
        const char *answer;
        int code;
    } cases[] = {
        {"what\nY\n", 11},  {"n\n", 0}, {"N", 0},
        {"q\n\nyes\n", 12}, {"zzz", 0}, {"y\nextra line\n", 10},
    };
    for (const auto &c : cases)
        expect_clobber_answer(file, input, c.answer, c.code);

    // The suffixed name is the one asked about.
    expect_clobber_answer(dir.file("surf"), input, "y\n", 10, TRUE);
}
