// Damaged object files: each ends the read with a message and ERROR, keeps
// the objects before the damage, frees the damaged object and closes the
// file.

#include <gtest/gtest.h>

#include <cstring>
#include <dirent.h>
#include <string>

#include <zavpl.h>

#include "object_file_fixtures.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

// Binary fields in host byte order.
struct Bytes {
    std::string data;
    Bytes &letter(char c) {
        data += c;
        return *this;
    }
    Bytes &i(int v) { return raw(&v, sizeof v); }
    Bytes &f(float v) { return raw(&v, sizeof v); }
    Bytes &floats(int n, float v) {
        for (int k = 0; k < n; ++k)
            f(v);
        return *this;
    }
    Bytes &raw(const void *p, size_t n) {
        data.append(static_cast<const char *>(p), n);
        return *this;
    }
};

// A binary polygon header: letter, surface property and the point count.
Bytes polygons_header(int n_points) {
    return Bytes().letter('p').floats(5, 0.5f).i(n_points);
}

// A binary polyline set of 3 points, one colour, n_items items, the given end
// indices and indices.
Bytes binary_lines(int n_items, std::initializer_list<int> ends,
                   std::initializer_list<int> indices) {
    Bytes b;
    b.letter('l').f(1.0f).i(3).floats(9, 0.0f).i(n_items).i(ONE_COLOUR).i(-1);
    for (int e : ends)
        b.i(e);
    for (int k : indices)
        b.i(k);
    return b;
}

int n_open_descriptors() {
    int n = 0;
    DIR *fds = opendir("/proc/self/fd");
    if (fds == nullptr) return -1;
    while (readdir(fds) != nullptr)
        ++n;
    closedir(fds);
    return n;
}

struct DamagedCase {
    const char *name;
    std::string contents; // after one good marker
    const char *message;  // part of what is reported
};

class DamagedObjectFile : public TempDirTest, public ::testing::WithParamInterface<DamagedCase> {};

void PrintTo(const DamagedCase &c, std::ostream *os) {
    *os << c.name;
}

std::string case_name(const ::testing::TestParamInfo<DamagedCase> &info) {
    return info.param.name;
}

const DamagedCase damaged_cases[] = {
    {"UnknownLetter", "Z 1 2 3", "Unrecognized object type in file.\n"},
    {"UnknownBinaryLetter", "\x01\x02", "Unrecognized object type in file.\n"},
    {"TruncatedAsciiPoints", "L 1 3\n 0 0 0\n 1 0", "Error in object 2"},
    {"TruncatedBinaryIndices", binary_lines(1, {3}, {0, 1}).data, "too short for 3 indices"},
    {"TruncatedBinaryMarker", Bytes().letter('m').i(0).raw("\0\0", 2).data,
     "Error inputting binary data"},
    {"TruncatedString", "M 0 1 1 1 1 1 0 0 0 0 0 \"no end", "Error in quoted string in file.\n"},
    {"NegativeItemCount", binary_lines(-2, {}, {}).data, "impossible count of -2 polylines"},
    {"NegativePointCountOfNoSphere", polygons_header(-5).data,
     "5 is not the triangle count of a compressed sphere"},
    {"NegativeMinimumInt", polygons_header(INT32_MIN).data, "is not the triangle count"},
    {"CompressedSphereLargerThanFile", polygons_header(-20 * (1 << 24)).data, "too short"},
    {"PointCountLargerThanFile", Bytes().letter('l').f(1.0f).i(100000000).data, "too short"},
    {"HugeAsciiIntList", "L 1 1\n 0 0 0\n 1 0 1 1 1 1 2000000000", "too short"},
    {"QuadmeshSizeBeyondAnInt",
     Bytes().letter('q').floats(5, 0.5f).i(100000).i(100000).i(0).i(0).data, "impossible count"},
    {"NegativeQuadmeshSize", "Q 0.3 0.3 0.4 10 1 -2 3 F F", "negative quadmesh size"},
    {"ImageSizeBeyondAnInt", Bytes().letter('x').i(RGB_PIXEL).i(70000).i(70000).data,
     "impossible pixel image size"},
    {"ImageLargerThanFile", Bytes().letter('x').i(RGB_PIXEL).i(7000).i(7000).data, "too short"},
    {"UnknownPixelType", "X 9 2 1 7 9", "Error, unrecognized pixel type 9.\n"},
    {"UnknownColourFlag",
     binary_lines(1, {3}, {0, 1, 2})
         .data.replace(1 + 4 + 4 + 36 + 4, 4, std::string("\x07\0\0\0", 4)),
     "Error inputting colour flag.\n"},
    {"UnknownMarkerType", "M 5 1 1 1 1 1 0 0 0 0 0 \"\"", "unrecognized marker type 5"},
    {"UnknownFont", "T 3 1 1 1 1 1 0 0 0 \"x\"", "unrecognized font type 3"},
    {"IndexPastThePoints", binary_lines(1, {3}, {0, 1, 3}).data, "point index 3"},
    {"NegativeIndex", binary_lines(1, {3}, {0, -1, 2}).data, "point index -1"},
    {"NegativeFirstEndIndex", binary_lines(1, {-3}, {}).data, "end index -3"},
    {"DecreasingEndIndices", binary_lines(2, {3, -1}, {0, 1, 2}).data, "below the item's start"},
    {"SizesBeyondAnInt", binary_lines(2, {2000000000, 2000000000}, {}).data,
     "add up to more than an int"},
    {"BinaryStringLongerThanFile",
     Bytes().letter('t').i(0).raw("\0\0\0\0\0\0\0\0", 8).floats(4, 1.0f).i(1 << 30).data,
     "Error in quoted string in file.\n"},
};

} // namespace

TEST_P(DamagedObjectFile, FailsCleanlyKeepingTheObjectsBefore) {
    const DamagedCase &c = GetParam();
    object_struct *marker = make_file_marker();
    std::string name = dir.file("damaged.obj");
    ASSERT_EQ(output_graphics_file(name.c_str(), BINARY_FORMAT, 1, &marker), OK);
    write_file(name, read_file(name) + c.contents);

    int descriptors = n_open_descriptors();
    ObjectList read;
    File_formats format;
    CapturePrint capture;
    EXPECT_EQ(input_graphics_file(name.c_str(), &format, &read.n, &read.objects), ERROR);
    EXPECT_NE(capture.err().find(c.message), std::string::npos) << capture.err();
    EXPECT_NE(capture.err().find("Error in object 2 of " + name), std::string::npos)
        << capture.err();
    ASSERT_EQ(read.n, 1);
    expect_same_object(marker, read.objects[0]);
    EXPECT_EQ(n_open_descriptors(), descriptors);
    delete_object(marker);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedObjectFile, ::testing::ValuesIn(damaged_cases), case_name);

// Straight through input_object: the damaged object is freed and not handed
// out.
TEST_F(TempDirTest, FailedObjectIsNotHandedToTheCaller) {
    write_file(dir.file("bad"), binary_lines(1, {3}, {0, 1, 7}).data);
    FILE *file = fopen(dir.file("bad").c_str(), "rb");
    object_struct *object = make_file_marker(); // any value that must be replaced
    object_struct *old = object;
    File_formats format;
    BOOLEAN eof = TRUE;
    CapturePrint capture;
    EXPECT_EQ(input_object(".", file, &format, &object, &eof), ERROR);
    EXPECT_EQ(object, nullptr);
    EXPECT_FALSE(eof);
    fclose(file);
    delete_object(old);
}

TEST_F(TempDirTest, EndOfFileAfterWhitespaceIsNoObject) {
    write_file(dir.file("blank"), " \n\t\n");
    FILE *file = fopen(dir.file("blank").c_str(), "rb");
    object_struct *object = nullptr;
    File_formats format = ASCII_FORMAT;
    BOOLEAN eof = FALSE;
    EXPECT_EQ(input_object(".", file, &format, &object, &eof), OK);
    EXPECT_TRUE(eof);
    EXPECT_EQ(object, nullptr);
    fclose(file);
}
