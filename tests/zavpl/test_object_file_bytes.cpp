// The exact bytes and text of object files.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <zavpl.h>

#include "object_file_fixtures.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

class ObjectFileBytes : public TempDirTest {
  protected:
    // Runs `io` on a fresh file opened for writing and returns what it wrote.
    template <typename F> std::string bytes_written(F io) {
        std::string name = dir.file("bytes");
        FILE *file = fopen(name.c_str(), "wb");
        EXPECT_EQ(io(file), OK);
        fclose(file);
        return read_file(name);
    }

    object_struct *read_only_object(const std::string &contents) {
        std::string name = dir.file("read.obj");
        write_file(name, contents);
        ObjectList list;
        File_formats format;
        EXPECT_EQ(input_graphics_file(name.c_str(), &format, &list.n, &list.objects), OK);
        EXPECT_EQ(list.n, 1);
        if (list.n != 1) return nullptr;
        object_struct *object = list.objects[0];
        list.n = 0; // the caller owns the object now
        FREE(list.objects);
        return object;
    }
};

std::string bytes_of(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values)
        bytes += (char)v;
    return bytes;
}

} // namespace

TEST_F(ObjectFileBytes, BinaryColourIsAlphaBlueGreenRedWhateverTheHost) {
    Colour red = make_Colour(255, 0, 0);
    EXPECT_EQ(bytes_written([&](FILE *f) { return io_colour(f, WRITE_FILE, BINARY_FORMAT, &red); }),
              bytes_of({255, 0, 0, 255}));

    Colour mixed = make_rgba_Colour(1, 2, 3, 4);
    std::string bytes =
        bytes_written([&](FILE *f) { return io_colour(f, WRITE_FILE, BINARY_FORMAT, &mixed); });
    EXPECT_EQ(bytes, bytes_of({4, 3, 2, 1}));

    // A colour block moves the same bytes per colour.
    Colour_flags flag = ONE_COLOUR;
    Colour *colours = &mixed;
    std::string block = bytes_written(
        [&](FILE *f) { return io_colours(f, WRITE_FILE, BINARY_FORMAT, &flag, 1, 1, &colours); });
    EXPECT_EQ(block, std::string(4, '\0') + bytes_of({4, 3, 2, 1}));
}

TEST_F(ObjectFileBytes, AsciiColourIsFourComponentsBetweenZeroAndOne) {
    Colour colour = make_rgba_Colour(255, 0, 51, 102);
    EXPECT_EQ(
        bytes_written([&](FILE *f) { return io_colour(f, WRITE_FILE, ASCII_FORMAT, &colour); }),
        " 1 0 0.2 0.4");
}

TEST_F(ObjectFileBytes, BinaryRgbImageOf300PixelsIsA13ByteHeaderAnd900DataBytes) {
    object_struct *image = make_file_pixels(RGB_PIXEL, 300, 1);
    std::string bytes = bytes_written(
        [&](FILE *f) { return io_pixels(f, WRITE_FILE, BINARY_FORMAT, &image->specific.pixels); });
    ASSERT_EQ(bytes.size(), 13u + 900u);
    EXPECT_EQ(bytes[0], 'x');
    int header[3];
    memcpy(header, &bytes[1], sizeof(header));
    EXPECT_EQ(header[0], RGB_PIXEL);
    EXPECT_EQ(header[1], 300);
    EXPECT_EQ(header[2], 1);
    // Pixels 0, 255 and 299: red, green, blue bytes, no alpha.
    for (int k : {0, 255, 256, 299}) {
        Colour c = image->specific.pixels.data.pixels_rgb[k];
        EXPECT_EQ(bytes.substr(13 + 3 * k, 3),
                  bytes_of({get_Colour_r(c), get_Colour_g(c), get_Colour_b(c)}))
            << "pixel " << k;
    }
    delete_object(image);
}

TEST_F(ObjectFileBytes, RgbPixelsReadBackOpaque) {
    Colour translucent = make_rgba_Colour(10, 20, 30, 40);
    Colour *pixels = &translucent;
    std::string name = dir.file("rgb");
    for (File_formats format : {ASCII_FORMAT, BINARY_FORMAT}) {
        FILE *file = fopen(name.c_str(), "wb");
        ASSERT_EQ(io_pixel_colours(file, WRITE_FILE, format, 1, &pixels), OK);
        fclose(file);
        file = fopen(name.c_str(), "rb");
        Colour *read = nullptr;
        ASSERT_EQ(io_pixel_colours(file, READ_FILE, format, 1, &read), OK);
        fclose(file);
        EXPECT_EQ(read[0], make_Colour(10, 20, 30));
        FREE(read);
    }
    EXPECT_EQ(read_file(name).size(), 3u);
}

TEST_F(ObjectFileBytes, AsciiPolylineIsWrittenLineByLineAndReadsBack) {
    object_struct *object = create_object(LINES);
    lines_struct *lines = get_lines_ptr(object);
    initialize_lines(lines, make_Colour_0_1(1.0, 1.0, 1.0));
    for (Point p : {file_point(0, 0, 0), file_point(1, 0, 0), file_point(1, 1, 0)})
        add_point_to_line(lines, &p);
    const char *expected = "L 1 3\n 0 0 0\n 1 0 0\n 1 1 0\n\n 1\n 0 1 1 1 1\n\n 3\n\n 0 1 2\n";
    std::string name = dir.file("line.obj");
    ASSERT_EQ(output_graphics_file(name.c_str(), ASCII_FORMAT, 1, &object), OK);
    EXPECT_EQ(read_file(name), expected);

    object_struct *read = read_only_object(expected);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(as_vector(read->specific.lines.end_indices, 1), std::vector<int>{3});
    EXPECT_EQ(as_vector(read->specific.lines.indices, 3), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(read->specific.lines.colours[0], make_Colour(255, 255, 255));
    delete_object(read);
    delete_object(object);
}

TEST_F(ObjectFileBytes, AsciiImageOfTwoIndicesIsOneLine) {
    object_struct *read = read_only_object("X 0 2 1 7 9");
    ASSERT_NE(read, nullptr);
    pixels_struct *pixels = get_pixels_ptr(read);
    EXPECT_EQ(pixels->pixel_type, COLOUR_INDEX_8BIT_PIXEL);
    EXPECT_EQ(pixels->x_size, 2);
    EXPECT_EQ(pixels->y_size, 1);
    EXPECT_EQ(as_vector(pixels->data.pixels_8bit_colour_index, 2),
              (std::vector<unsigned char>{7, 9}));
    EXPECT_EQ(pixels->x_position, 0);
    EXPECT_EQ(pixels->x_zoom, 1.0);
    EXPECT_EQ(pixels->y_zoom, 1.0);

    std::string name = dir.file("image.obj");
    ASSERT_EQ(output_graphics_file(name.c_str(), ASCII_FORMAT, 1, &read), OK);
    EXPECT_EQ(read_file(name), "X 0 2 1 7 9\n");
    delete_object(read);
}

TEST_F(ObjectFileBytes, MarkerTextAndModelLayouts) {
    object_struct *marker = make_file_marker("m1");
    marker->specific.marker.colour = make_Colour(255, 0, 0);
    object_struct *text = make_file_text("hi");
    text->specific.text.colour = make_Colour(0, 0, 255);
    object_struct *model = make_file_model("sub.obj");
    object_struct *objects[] = {marker, text, model};
    std::string name = dir.file("layout");
    ASSERT_EQ(output_graphics_file(name.c_str(), ASCII_FORMAT, 3, objects), OK);
    EXPECT_EQ(read_file(name + ".obj"), "M 1 2.75 1 0 0 1 -12.5 7.25 0 42 -7 \"m1\"\n"
                                        "T 1 18.5 0 0 1 1 1 2.5 -3 \"hi\"\n"
                                        "F \"sub.obj\"\n");

    std::string binary = bytes_written(
        [&](FILE *f) { return io_model(f, WRITE_FILE, BINARY_FORMAT, &model->specific.model); });
    EXPECT_EQ(binary, "f" + bytes_of({7, 0, 0, 0}) + "sub.obj");
    for (object_struct *object : objects)
        delete_object(object);
}

TEST_F(ObjectFileBytes, LetterIsWrittenForEveryWritingFlagAndNotWhenReading) {
    struct Case {
        IO_types io_flag;
        File_formats format;
        Object_types type;
        const char *written;
    } cases[] = {
        {WRITE_FILE, ASCII_FORMAT, LINES, "L"},      {WRITE_FILE, BINARY_FORMAT, LINES, "l"},
        {WRITE_FILE, ASCII_FORMAT, MODEL, "F"},      {WRITE_FILE, BINARY_FORMAT, PIXELS, "x"},
        {APPEND_FILE, BINARY_FORMAT, QUADMESH, "q"}, {READ_FILE, ASCII_FORMAT, TEXT, ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(
            bytes_written([&](FILE *f) { return io_object_type(f, c.io_flag, c.format, c.type); }),
            c.written);
    }
}

TEST_F(ObjectFileBytes, ObjectOfNoKnownKindIsNotWritten) {
    object_struct *object = make_file_marker();
    object->object_type = N_OBJECT_TYPES;
    std::string name = dir.file("none");
    FILE *file = fopen(name.c_str(), "wb");
    EXPECT_EQ(output_object(file, ASCII_FORMAT, object), ERROR);
    fclose(file);
    EXPECT_EQ(read_file(name), "");
    object->object_type = MARKER;
    delete_object(object);
}

// The raw bytes of 16-bit pixels follow the digits of y_size in ASCII; an
// image whose first byte is a digit is written in binary instead, so that it
// reads back.
TEST_F(ObjectFileBytes, SixteenBitImageStartingWithADigitByteIsWrittenInBinary) {
    for (unsigned short first : {(unsigned short)0x0107, (unsigned short)0x0135}) {
        object_struct *image = make_file_pixels(COLOUR_INDEX_16BIT_PIXEL, 2, 1);
        image->specific.pixels.data.pixels_16bit_colour_index[0] = first;
        std::string name = dir.file("image16.obj");
        ASSERT_EQ(output_graphics_file(name.c_str(), ASCII_FORMAT, 1, &image), OK);
        unsigned char low = (unsigned char)(first & 0xff);
        bool digit = low >= '0' && low <= '9';
        EXPECT_EQ(read_file(name)[0], digit ? 'x' : 'X') << std::hex << first;
        object_struct *read = read_only_object(read_file(name));
        ASSERT_NE(read, nullptr);
        expect_same_object(image, read);
        delete_object(read);
        delete_object(image);
    }
}
