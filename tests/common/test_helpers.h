#ifndef TARVEX_TEST_HELPERS_H
#define TARVEX_TEST_HELPERS_H

// Shared pieces of the test suites: a fresh temporary directory per test,
// environment variables set for a scope, and small file helpers.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tarvex_test {

// A fresh directory under the system's temporary area, removed at the end.
class TempDir {
  public:
    TempDir() {
        const char *base = getenv("TMPDIR");
        std::string buffer = std::string(base != nullptr && base[0] ? base : "/tmp") +
                             "/tarvex-test-XXXXXX";
        if (mkdtemp(&buffer[0]) == nullptr)
            ADD_FAILURE() << "cannot make a temporary directory";
        path_ = buffer;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Test fixture giving each test its own temporary directory.
class TempDirTest : public ::testing::Test {
  protected:
    TempDir dir;
};

inline std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

inline void write_file(const std::string &path, const std::string &contents) {
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

// Sets (or, with a null value, unsets) an environment variable for a scope.
class ScopedEnv {
  public:
    ScopedEnv(const char *name, const char *value) : name_(name) {
        const char *old = getenv(name);
        had_value_ = old != nullptr;
        if (had_value_)
            old_value_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (had_value_)
            setenv(name_.c_str(), old_value_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

  private:
    std::string name_;
    bool had_value_ = false;
    std::string old_value_;
};

} // namespace tarvex_test

#endif
