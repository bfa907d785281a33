#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include <dezava_vo.h>
#include <vorn.h>

#include "print_capture.h"
#include "test_helpers.h"

using tarvex_test::CapturePrint;
using tarvex_test::read_file;
using tarvex_test::ScopedEnv;
using tarvex_test::TempDir;
using tarvex_test::write_file;

namespace {

// Files in a fresh directory, with TMPDIR pointing at a directory of its own
// so that leftover temporary files can be seen.
class FileOpen : public ::testing::Test {
  protected:
    FileOpen() : tmpdir_env("TMPDIR", tmp.path().c_str()) {}

    // Compresses `contents` with the named program into `name`.
    void write_compressed(const std::string &name, const std::string &contents,
                          const char *program) {
        std::string plain = dir.file("plain-source");
        write_file(plain, contents);
        const char *argv[] = {program, "-c", plain.c_str(), nullptr};
        ASSERT_EQ(vrrun_program(argv, name.c_str(), 0), 0);
        std::filesystem::remove(plain);
    }

    size_t n_temporary_files() const {
        size_t n = 0;
        for (auto &entry : std::filesystem::directory_iterator(tmp.path())) {
            (void)entry;
            ++n;
        }
        return n;
    }

    // Reads the whole stream and closes it.
    static std::string read_and_close(FILE *file) {
        std::string text;
        int ch;
        while ((ch = getc(file)) != EOF)
            text += (char)ch;
        EXPECT_EQ(close_file(file), OK);
        return text;
    }

    TempDir dir;
    TempDir tmp;
    ScopedEnv tmpdir_env;
};

} // namespace

TEST_F(FileOpen, NameThatExistsOnlyCompressedOpensTemporaryCopyThatIsAlreadyUnlinked) {
    // Blanks, quotes, ";" and "$(...)" would be commands to a shell.
    std::vector<std::string> names = {"surf.obj", "my surf 'x\"; touch hacked $(touch h2).obj"};
    for (const std::string &name : names) {
        write_compressed(dir.file(name + ".gz"), "P 0.3 0.3\n", "gzip");
        FILE *file = nullptr;
        ASSERT_EQ(open_file(dir.file(name).c_str(), READ_FILE, ASCII_FORMAT, &file), OK) << name;
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(n_temporary_files(), 0u) << "temporary copy left in the directory";
        EXPECT_EQ(read_and_close(file), "P 0.3 0.3\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("hacked")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("h2")));
    EXPECT_FALSE(std::filesystem::exists("h2"));
}

TEST_F(FileOpen, CompressedEndingsAndBzip2Fallback) {
    write_compressed(dir.file("named.gz"), "gzip data", "gzip");
    write_compressed(dir.file("bz-inside.gz"), "bzip2 data", "bzip2");
    write_compressed(dir.file("kept.bz2"), "raw", "bzip2");

    FILE *file = nullptr;
    testing::internal::CaptureStderr(); // gunzip complains before bunzip2 succeeds
    ASSERT_EQ(open_file(dir.file("bz-inside.gz").c_str(), READ_FILE, BINARY_FORMAT, &file), OK);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(read_and_close(file), "bzip2 data");

    ASSERT_EQ(open_file(dir.file("named.gz").c_str(), READ_FILE, ASCII_FORMAT, &file), OK);
    EXPECT_EQ(read_and_close(file), "gzip data");

    // ".bz2" is not a compressed ending: the bytes come as they are.
    ASSERT_EQ(open_file(dir.file("kept.bz2").c_str(), READ_FILE, BINARY_FORMAT, &file), OK);
    EXPECT_EQ(read_and_close(file).substr(0, 3), "BZh");
    EXPECT_EQ(n_temporary_files(), 0u);
}

TEST_F(FileOpen, FailedDecompressionReportsAndLeavesNoTemporaryFile) {
    write_file(dir.file("broken.gz"), "this is not compressed data");
    FILE *file = reinterpret_cast<FILE *>(1);
    CapturePrint capture;
    testing::internal::CaptureStderr();
    EXPECT_EQ(open_file(dir.file("broken.gz").c_str(), READ_FILE, ASCII_FORMAT, &file), ERROR);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(file, nullptr);
    std::string expected_start =
        "Error uncompressing " + dir.file("broken.gz") + " into " + tmp.path() + "/vorn-";
    EXPECT_EQ(capture.err().rfind(expected_start, 0), 0u) << capture.err();
    EXPECT_NE(capture.err().find(" using gunzip and bunzip2\n"), std::string::npos);
    EXPECT_EQ(n_temporary_files(), 0u);
}

TEST_F(FileOpen, NoTemporaryNameIsAnErrorAndNothingRuns) {
    write_compressed(dir.file("surf.obj.gz"), "x", "gzip");
    std::string missing_tmp = dir.file("no-such-tmp");
    ScopedEnv bad_tmp("TMPDIR", missing_tmp.c_str());
    FILE *file = nullptr;
    CapturePrint capture;
    EXPECT_EQ(open_file(dir.file("surf.obj").c_str(), READ_FILE, ASCII_FORMAT, &file), ERROR);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(capture.err().rfind("Error creating a temporary file to uncompress " +
                                      dir.file("surf.obj.gz") + " into.  \nSystem message: ",
                                  0),
              0u)
        << capture.err();
}

TEST_F(FileOpen, MissingFileMessageNamesTheExpandedName) {
    ScopedEnv base("TARVEX_BASE", dir.path().c_str());
    FILE *file = nullptr;
    CapturePrint capture;
    EXPECT_EQ(open_file("$TARVEX_BASE/none", READ_FILE, ASCII_FORMAT, &file), ERROR);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(capture.err(), "Error:  could not open file \"" + dir.file("none") +
                                 "\".  \nSystem message: No such file or directory\n");
}

TEST_F(FileOpen, DefaultSuffixRulesForReadingAndWriting) {
    FILE *file = nullptr;
    write_file(dir.file("both"), "bare");
    write_file(dir.file("both.obj"), "suffixed");
    write_file(dir.file("only.obj"), "only suffixed");

    ASSERT_EQ(open_file_with_default_suffix(dir.file("both").c_str(), "obj", READ_FILE,
                                            ASCII_FORMAT, &file),
              OK);
    EXPECT_EQ(read_and_close(file), "bare");
    ASSERT_EQ(open_file_with_default_suffix(dir.file("only").c_str(), "obj", READ_FILE,
                                            ASCII_FORMAT, &file),
              OK);
    EXPECT_EQ(read_and_close(file), "only suffixed");
    {
        CapturePrint capture;
        EXPECT_EQ(open_file_with_default_suffix(dir.file("neither").c_str(), "obj", READ_FILE,
                                                ASCII_FORMAT, &file),
                  ERROR);
        EXPECT_NE(capture.err().find("\"" + dir.file("neither") + "\""), std::string::npos)
            << capture.err();
    }

    ASSERT_EQ(open_file_with_default_suffix(dir.file("new").c_str(), "obj", WRITE_FILE,
                                            ASCII_FORMAT, &file),
              OK);
    EXPECT_EQ(output_string(file, "w"), OK);
    EXPECT_EQ(close_file(file), OK);
    EXPECT_EQ(read_file(dir.file("new.obj")), "w");
    EXPECT_FALSE(std::filesystem::exists(dir.file("new")));

    ASSERT_EQ(open_file_with_default_suffix(dir.file("my.surf").c_str(), "obj", APPEND_FILE,
                                            BINARY_FORMAT, &file),
              OK);
    EXPECT_EQ(output_string(file, "a1"), OK);
    EXPECT_EQ(close_file(file), OK);
    ASSERT_EQ(open_file(dir.file("my.surf").c_str(), APPEND_FILE, ASCII_FORMAT, &file), OK);
    EXPECT_EQ(output_string(file, "a2"), OK);
    EXPECT_EQ(close_file(file), OK);
    EXPECT_EQ(read_file(dir.file("my.surf")), "a1a2");
}

TEST_F(FileOpen, EscapedDollarIsExpandedOnlyOnce) {
    ScopedEnv variable("X", "bad");
    write_file(dir.file("cost$X.obj"), "right");
    write_file(dir.file("costbad.obj"), "wrong");
    std::string name = dir.path() + "/cost\\$X";
    FILE *file = nullptr;
    ASSERT_EQ(open_file_with_default_suffix(name.c_str(), "obj", READ_FILE, ASCII_FORMAT, &file),
              OK);
    EXPECT_EQ(read_and_close(file), "right");

    write_compressed(dir.file("gz$X.gz"), "right again", "gzip");
    write_compressed(dir.file("gzbad.gz"), "wrong again", "gzip");
    std::string compressed = dir.path() + "/gz\\$X";
    ASSERT_EQ(open_file(compressed.c_str(), READ_FILE, ASCII_FORMAT, &file), OK);
    EXPECT_EQ(read_and_close(file), "right again");
}

TEST_F(FileOpen, CloseFlushAndSeekReportFailures) {
    EXPECT_EQ(close_file(nullptr), ERROR);

    CapturePrint capture;
    FILE *full = fopen("/dev/full", "w");
    if (full == nullptr) GTEST_SKIP() << "no /dev/full";
    ASSERT_EQ(output_string(full, "buffered until close"), OK);
    EXPECT_EQ(close_file(full), ERROR);
    EXPECT_EQ(capture.err(), "Error closing file.  \nSystem message: No space left on device\n");

    capture.clear();
    full = fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    ASSERT_EQ(output_string(full, "x"), OK);
    EXPECT_EQ(flush_file(full), ERROR);
    EXPECT_EQ(capture.err(), "Error flushing file.  \nSystem message: No space left on device\n");
    (void)fclose(full);

    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    FILE *pipe_stream = fdopen(ends[0], "r");
    capture.clear();
    EXPECT_EQ(set_file_position(pipe_stream, 0), ERROR);
    EXPECT_EQ(capture.err(), "Error setting the file position.  \nSystem message: Illegal seek\n");
    (void)close(ends[1]);
    EXPECT_EQ(close_file(pipe_stream), OK);

    // A read stream closes OK and a seek within a file works.
    write_file(dir.file("r"), "abc");
    FILE *file = nullptr;
    ASSERT_EQ(open_file(dir.file("r").c_str(), READ_FILE, ASCII_FORMAT, &file), OK);
    EXPECT_EQ(set_file_position(file, 2), OK);
    EXPECT_EQ(read_and_close(file), "c");
}

TEST_F(FileOpen, CharacterInputAndOutput) {
    write_file(dir.file("chars"), " \t\n x;tail\nnext");
    FILE *file = nullptr;
    ASSERT_EQ(open_file(dir.file("chars").c_str(), READ_FILE, ASCII_FORMAT, &file), OK);
    char ch = 0;
    ASSERT_EQ(input_nonwhite_character(file, &ch), OK);
    EXPECT_EQ(ch, 'x');
    ASSERT_EQ(skip_input_until(file, ';'), OK);
    ASSERT_EQ(input_character(file, &ch), OK);
    EXPECT_EQ(ch, 't');
    ASSERT_EQ(unget_character(file, 'T'), OK);
    ASSERT_EQ(input_character(file, &ch), OK);
    EXPECT_EQ(ch, 'T');
    ASSERT_EQ(input_newline(file), OK);
    ASSERT_EQ(input_character(file, &ch), OK);
    EXPECT_EQ(ch, 'n');
    EXPECT_EQ(skip_input_until(file, '!'), ERROR);
    {
        CapturePrint capture;
        EXPECT_EQ(input_character(file, &ch), ERROR);
        EXPECT_EQ(input_nonwhite_character(file, &ch), ERROR);
        EXPECT_EQ(capture.err(), "");
        EXPECT_EQ(input_newline(file), ERROR);
        EXPECT_EQ(capture.err().rfind("Error inputting newline.  \nSystem message: ", 0), 0u);
    }
    EXPECT_EQ(close_file(file), OK);

    ASSERT_EQ(open_file(dir.file("out").c_str(), WRITE_FILE, ASCII_FORMAT, &file), OK);
    EXPECT_EQ(output_character(file, 'q'), OK);
    EXPECT_EQ(close_file(file), OK);
    EXPECT_EQ(read_file(dir.file("out")), "q");
}
