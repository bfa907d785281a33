#ifndef TARVEX_TEST_VORN_FILES_H
#define TARVEX_TEST_VORN_FILES_H

// Shared pieces of the VORN file tests: a fixture with its own HOME and
// TMPDIR that checks no HDF5 handle outlives a test, creating files of either
// version, and the independent readers ncdump and h5dump.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <hdf5.h>
#include <vorn.h>

#include "stream_capture.h"
#include "test_helpers.h"

namespace tarvex_test {

// Runs a program with an argument vector (never through a shell) and
// answers its standard output; its exit status goes to *status.
inline std::string run_tool(const TempDir &dir, const std::vector<std::string> &args,
                            int *status = nullptr) {
    std::vector<const char *> argv;
    for (const std::string &arg : args)
        argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    std::string out = dir.file("tool-output.txt");
    int result = vrrun_program(argv.data(), out.c_str(), TRUE);
    if (status != nullptr) *status = result;
    std::string text = read_file(out);
    remove(out.c_str());
    return text;
}

// TRUE when text holds the numbered message line "(from <routine>): message".
inline bool has_message(const std::string &text, const std::string &message) {
    size_t at = text.find("): " + message + "\n");
    return at != std::string::npos && text.rfind("(from ", at) != std::string::npos;
}

// Open HDF5 objects of every file (files included).
inline ssize_t open_hdf5_objects() {
    return H5Fget_obj_count(H5F_OBJ_ALL, H5F_OBJ_ALL);
}

class VornFileTest : public TempDirTest {
  protected:
    void SetUp() override {
        home_ = dir.file("home");
        tmp_ = dir.file("tmp");
        mkdir(home_.c_str(), 0700);
        mkdir(tmp_.c_str(), 0700);
        env_.emplace_back(new ScopedEnv("HOME", home_.c_str()));
        env_.emplace_back(new ScopedEnv("TMPDIR", tmp_.c_str()));
        for (const char *name :
             {"VORN_FORCE_V2", "VORN_COMPRESS", "VORN_CHUNKING", "VORN_LOGFILE", "VORN_LOGLEVEL"})
            env_.emplace_back(new ScopedEnv(name, nullptr));
        H5open();
        objects_before_ = open_hdf5_objects();
    }
    void TearDown() override {
        EXPECT_EQ(open_hdf5_objects(), objects_before_) << "HDF5 handles left open";
    }

    // A new file of version 1 or 2.
    int create(int version, const std::string &name, int extra_mode = 0) {
        return vrcreate(dir.file(name).c_str(),
                        (version == 2 ? VR_CREATE_V2 : VR_CREATE_V1) | extra_mode);
    }

    std::string ncdump(const std::string &name, const char *option = nullptr) {
        std::vector<std::string> args{"ncdump"};
        if (option != nullptr) args.push_back(option);
        args.push_back(dir.file(name));
        return run_tool(dir, args);
    }
    std::string h5dump(const std::string &name, const std::vector<std::string> &options) {
        std::vector<std::string> args{"h5dump"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(dir.file(name));
        return run_tool(dir, args);
    }

    std::string home_, tmp_;

  private:
    std::vector<std::unique_ptr<ScopedEnv>> env_;
    ssize_t objects_before_ = 0;
};

// The same tests for both versions.
class VornBothVersions : public VornFileTest, public ::testing::WithParamInterface<int> {
  protected:
    int version() const { return GetParam(); }
};

inline std::string version_name(const ::testing::TestParamInfo<int> &info) {
    return "Version" + std::to_string(info.param);
}

} // namespace tarvex_test

#endif
