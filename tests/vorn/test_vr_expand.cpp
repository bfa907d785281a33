// Compressed inputs: found by suffix or as a sibling of a missing name,
// decompressed without a shell into TMPDIR, read-only, the programs tried in
// their order with their fallbacks, and header-only decompression.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "vorn_files.h"

using namespace tarvex_test;

namespace {

class VornExpandTest : public VornFileTest {
  protected:
    // A file of one version holding an image of n doubles 0, 1, 2, ...
    void write_volume(const std::string &name, int version, long n = 16) {
        int fd = create(version, name);
        ASSERT_GE(fd, 0);
        int dims[] = {VR2dimdef(fd, "xspace", n)};
        int image = VR2vardef(fd, "image", NC_DOUBLE, 1, dims);
        ASSERT_GE(VR2endef(fd), 0);
        std::vector<double> values(static_cast<size_t>(n));
        for (long i = 0; i < n; i++)
            values[static_cast<size_t>(i)] = static_cast<double>(i);
        long start = 0;
        ASSERT_EQ(VR2varput(fd, image, &start, &n, values.data()), 0);
        ASSERT_EQ(vrclose(fd), 0);
    }
    // Compresses a file with a program of the system ("gzip", "bzip2").
    void compress(const std::string &program, const std::string &from, const std::string &to) {
        const char *argv[] = {program.c_str(), "-c", from.c_str(), nullptr};
        ASSERT_EQ(vrrun_program(argv, to.c_str(), TRUE), 0);
    }
    // Opens a file read-only and checks the image, then closes it.
    void expect_readable(const std::string &path, long n = 16) {
        int fd = vropen(path.c_str(), NC_NOWRITE);
        ASSERT_GE(fd, 0) << path;
        std::vector<double> values(static_cast<size_t>(n));
        long start = 0;
        ASSERT_EQ(VR2varget(fd, VR2varid(fd, "image"), &start, &n, values.data()), 0);
        EXPECT_EQ(values.back(), static_cast<double>(n - 1));
        EXPECT_EQ(vrclose(fd), 0);
    }
    int files_in_tmpdir() {
        int status;
        std::string listing = run_tool(dir, {"ls", "-A", tmp_}, &status);
        return static_cast<int>(std::count(listing.begin(), listing.end(), '\n'));
    }
};

TEST_F(VornExpandTest, MissingNameIsFoundAsACompressedSibling) {
    write_volume("sibling.nc", 1);
    compress("gzip", dir.file("sibling.nc"), dir.file("sibling.nc.gz"));
    remove(dir.file("sibling.nc").c_str());
    expect_readable(dir.file("sibling.nc"));
    EXPECT_EQ(files_in_tmpdir(), 0) << "the temporary copy is removed once open";
}

TEST_F(VornExpandTest, BothVersionsOpenFromEachCompression) {
    struct {
        int version;
        const char *program;
        const char *suffix;
    } cases[] = {{1, "gzip", ".gz"},  {2, "gzip", ".gz"}, {1, "bzip2", ".bz2"},
                 {2, "bzip2", ".bz"}, {2, "gzip", ".Z"},  {1, "gzip", ".z"}};
    for (const auto &c : cases) {
        std::string name = std::string("v") + std::to_string(c.version) + c.suffix;
        write_volume(name + ".plain", c.version);
        compress(c.program, dir.file(name + ".plain"), dir.file(name));
        expect_readable(dir.file(name));
    }
    EXPECT_EQ(files_in_tmpdir(), 0);
}

TEST_F(VornExpandTest, NamesWithShellCharactersAreOnlyData) {
    write_volume("plain.h5", 2);
    std::string odd = "odd name; 'quoted' $(touch pwned) & \"more\".h5.gz";
    compress("gzip", dir.file("plain.h5"), dir.file(odd));
    expect_readable(dir.file(odd));

    // A relative name starting with "-" is not taken for an option.
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    compress("gzip", dir.file("plain.h5"), dir.file("-dash.h5.gz"));
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    int fd = vropen("-dash.h5.gz", NC_NOWRITE);
    EXPECT_EQ(chdir(cwd), 0);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(vrclose(fd), 0);
    struct stat info;
    EXPECT_NE(stat((dir.path() + "/pwned").c_str(), &info), 0);
}

TEST_F(VornExpandTest, CompressedFilesAreReadOnlyAndSuffixesAreCaseSensitive) {
    write_volume("plain.nc", 1);
    compress("gzip", dir.file("plain.nc"), dir.file("volume.nc.gz"));
    compress("gzip", dir.file("plain.nc"), dir.file("volume.GZ"));
    {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vropen(dir.file("volume.nc.gz").c_str(), NC_WRITE), -1);
        EXPECT_TRUE(has_message(err.finish(), "Can't write compressed file"));
    }
    for (const std::string &name : {std::string("volume.GZ"), std::string("missing.xyz")}) {
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vropen(dir.file(name).c_str(), NC_NOWRITE), -1);
        std::string text = err.finish();
        EXPECT_TRUE(has_message(text, "Unable to open file '" + dir.file(name) + "'")) << text;
        EXPECT_NE(text.find("vropen: VORN package entry point\n"), std::string::npos);
    }
    EXPECT_EQ(files_in_tmpdir(), 0);
}

TEST_F(VornExpandTest, ExpandAnswersPlainFilesUnchangedAndUsesAGivenName) {
    write_volume("plain.nc", 1);
    write_volume("plain.h5", 2);
    for (const char *name : {"plain.nc", "plain.h5", "missing.gz", "missing"}) {
        int created = TRUE;
        char *expanded = vrexpand_file(dir.file(name).c_str(), nullptr, FALSE, &created);
        ASSERT_NE(expanded, nullptr);
        EXPECT_EQ(std::string(expanded), dir.file(name));
        EXPECT_FALSE(created);
        free(expanded);
    }
    compress("gzip", dir.file("plain.nc"), dir.file("packed.gz"));
    int created = FALSE;
    std::string target = dir.file("unpacked.nc");
    char *expanded = vrexpand_file(dir.file("packed.gz").c_str(), target.c_str(), FALSE, &created);
    ASSERT_NE(expanded, nullptr);
    EXPECT_EQ(std::string(expanded), target);
    EXPECT_TRUE(created);
    EXPECT_EQ(read_file(target), read_file(dir.file("plain.nc")));
    free(expanded);
}

TEST_F(VornExpandTest, HeaderOnlyStopsOnceThePartialCopyOpens) {
    const long n = 400000; // 3.2 MB of values, far more than one step of 64 KiB
    for (int version : {1, 2}) {
        std::string name = "big" + std::to_string(version);
        write_volume(name, version, n);
        compress("gzip", dir.file(name), dir.file(name + ".gz"));
        int created = FALSE;
        char *expanded = vrexpand_file(dir.file(name + ".gz").c_str(), nullptr, TRUE, &created);
        ASSERT_NE(expanded, nullptr);
        EXPECT_TRUE(created);
        size_t partial = read_file(expanded).size();
        EXPECT_GT(partial, 0u);
        EXPECT_LT(partial, read_file(dir.file(name)).size() / 4);
        if (version == 1) {
            EXPECT_NE(run_tool(dir, {"ncdump", "-h", expanded}).find("xspace = 400000"),
                      std::string::npos);
        }
        remove(expanded);
        free(expanded);
    }
    EXPECT_EQ(files_in_tmpdir(), 0);
}

// Stand-ins for the decompression programs record how they were called and
// fail, so that the order of the programs and their fallbacks shows.
class VornDecompressorTest : public VornExpandTest {
  protected:
    void SetUp() override {
        VornExpandTest::SetUp();
        bin_ = dir.file("bin");
        log_ = dir.file("calls.log");
        mkdir(bin_.c_str(), 0700);
        for (const char *program : {"gunzip", "bunzip2", "zcat", "pcat"})
            install(program, "exit 1\n");
        const char *old_path = getenv("PATH");
        path_env_.reset(new ScopedEnv(
            "PATH", (bin_ + ":" + (old_path != nullptr ? old_path : "/usr/bin:/bin")).c_str()));
    }
    void install(const std::string &program, const std::string &action) {
        std::string script = bin_ + "/" + program;
        write_file(script, "#!/bin/sh\necho \"" + program + " $*\" >> '" + log_ + "'\n" + action);
        chmod(script.c_str(), 0700);
    }
    std::string bin_, log_;
    std::unique_ptr<ScopedEnv> path_env_;
};

TEST_F(VornDecompressorTest, ProgramsAreTriedInOrderAndAFailureLeavesNothing) {
    struct {
        const char *suffix;
        std::vector<std::string> calls;
    } cases[] = {
        {".gz", {"gunzip -c"}},   {".Z", {"gunzip -c", "zcat"}}, {".z", {"gunzip -c", "pcat"}},
        {".bz2", {"bunzip2 -c"}}, {".bz", {"bunzip2 -c"}},       {".zip", {"gunzip -c"}},
    };
    for (const auto &c : cases) {
        std::string path = dir.file(std::string("in put") + c.suffix);
        write_file(path, "not compressed at all");
        remove(log_.c_str());
        StreamCapture err(STDERR_FILENO);
        EXPECT_EQ(vropen(path.c_str(), NC_NOWRITE), -1) << c.suffix;
        std::string text = err.finish();
        EXPECT_TRUE(has_message(text, "Cannot uncompress the file")) << text;
        std::string expected;
        for (const std::string &call : c.calls)
            expected += call + " " + path + "\n";
        EXPECT_EQ(read_file(log_), expected) << c.suffix;
        EXPECT_EQ(files_in_tmpdir(), 0) << c.suffix;
    }
}

TEST_F(VornDecompressorTest, FallbackProgramIsUsedWhenTheFirstFails) {
    write_volume("plain.nc", 1);
    compress("gzip", dir.file("plain.nc"), dir.file("old.Z"));
    install("zcat", "exec gzip -dc \"$1\"\n");
    expect_readable(dir.file("old.Z"));
    EXPECT_EQ(read_file(log_),
              "gunzip -c " + dir.file("old.Z") + "\nzcat " + dir.file("old.Z") + "\n");
}

} // namespace
