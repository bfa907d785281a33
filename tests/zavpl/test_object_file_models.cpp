// Whole object files: finding them, compressed inputs, the list read, and
// models whose objects live in the files they name.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <vorn.h>
#include <zavpl.h>

#include "object_file_fixtures.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

class GraphicsFile : public TempDirTest {
  protected:
    GraphicsFile() : tmpdir_env("TMPDIR", tmp.path().c_str()) {}

    // Writes the objects (which are then deleted) to the file.
    void write_objects(const std::string &name, std::initializer_list<object_struct *> objects,
                       File_formats format = BINARY_FORMAT) {
        std::filesystem::create_directories(std::filesystem::path(name).parent_path());
        std::vector<object_struct *> list(objects);
        EXPECT_EQ(output_graphics_file(name.c_str(), format, (int)list.size(), list.data()), OK);
        for (object_struct *object : list)
            delete_object(object);
    }

    Status read(const std::string &name, ObjectList &list) {
        File_formats format;
        return input_graphics_file(name.c_str(), &format, &list.n, &list.objects);
    }

    TempDir tmp;
    ScopedEnv tmpdir_env;
};

} // namespace

TEST_F(GraphicsFile, ListHoldsTheObjectsInFileOrder) {
    write_objects(dir.file("three.obj"),
                  {make_file_marker("a"), make_file_lines(), make_file_marker("c")});
    ObjectList list;
    ASSERT_EQ(read(dir.file("three.obj"), list), OK);
    ASSERT_EQ(list.n, 3);
    EXPECT_STREQ(list.objects[0]->specific.marker.label, "a");
    EXPECT_EQ(list.objects[1]->object_type, LINES);
    EXPECT_STREQ(list.objects[2]->specific.marker.label, "c");
}

TEST_F(GraphicsFile, EmptyFileIsAnEmptyListAndLeavesTheFormat) {
    write_file(dir.file("empty.obj"), "");
    ObjectList list;
    File_formats format = ASCII_FORMAT;
    EXPECT_EQ(input_graphics_file(dir.file("empty.obj").c_str(), &format, &list.n, &list.objects),
              OK);
    EXPECT_EQ(list.n, 0);
    EXPECT_EQ(format, ASCII_FORMAT);
}

TEST_F(GraphicsFile, NameWithoutSuffixFindsTheObjFileAndCompressedFilesAreRead) {
    write_objects(dir.file("scene.obj"), {make_file_marker("plain")});
    ObjectList plain;
    ASSERT_EQ(read(dir.file("scene"), plain), OK);
    ASSERT_EQ(plain.n, 1);
    EXPECT_STREQ(plain.objects[0]->specific.marker.label, "plain");

    write_objects(dir.file("packed-source.obj"), {make_file_marker("packed")});
    std::string source = dir.file("packed-source.obj");
    const char *argv[] = {"gzip", "-c", source.c_str(), nullptr};
    ASSERT_EQ(vrrun_program(argv, dir.file("packed.obj.gz").c_str(), 0), 0);
    ObjectList packed;
    ASSERT_EQ(read(dir.file("packed.obj"), packed), OK);
    ASSERT_EQ(packed.n, 1);
    EXPECT_STREQ(packed.objects[0]->specific.marker.label, "packed");
}

TEST_F(GraphicsFile, WritingAddsTheSuffixAndSkipsEmptyMeshes) {
    object_struct *empty = make_file_polygons();
    empty->specific.polygons.n_items = 0;
    object_struct *objects[] = {make_file_polygons(), empty, make_file_polygons()};
    ASSERT_EQ(output_graphics_file(dir.file("out").c_str(), ASCII_FORMAT, 3, objects), OK);
    empty->specific.polygons.n_items = 3;
    for (object_struct *object : objects)
        delete_object(object);

    std::string text = read_file(dir.file("out.obj"));
    EXPECT_EQ(text[0], 'P');
    ObjectList list;
    File_formats format = BINARY_FORMAT;
    ASSERT_EQ(input_graphics_file(dir.file("out.obj").c_str(), &format, &list.n, &list.objects),
              OK);
    EXPECT_EQ(list.n, 2);
    EXPECT_EQ(format, ASCII_FORMAT);
}

TEST_F(GraphicsFile, OpenFailuresAreReported) {
    object_struct *marker = make_file_marker();
    CapturePrint capture;
    EXPECT_EQ(output_graphics_file(dir.file("no/such/dir/out").c_str(), ASCII_FORMAT, 1, &marker),
              ERROR);
    ObjectList list;
    list.n = 5; // set to 0 even when the open fails
    EXPECT_EQ(read(dir.file("missing"), list), ERROR);
    EXPECT_EQ(list.n, 0);
    EXPECT_NE(capture.err().find("could not open file"), std::string::npos);
    delete_object(marker);
}

TEST_F(GraphicsFile, ModelSubFilesAreFoundRelativeToTheFileNamingThem) {
    // models/body.obj -> models/parts/arm.obj -> models/parts/hand.obj, and
    // an absolute name that ignores the directory.
    write_objects(dir.file("models/parts/hand.obj"), {make_file_marker("hand")});
    write_objects(dir.file("abs/leg.obj"), {make_file_marker("leg")}, ASCII_FORMAT);
    write_objects(dir.file("models/parts/arm.obj"),
                  {make_file_model("hand.obj"), make_file_lines()}, ASCII_FORMAT);
    write_objects(dir.file("models/body.obj"), {make_file_model("parts/arm.obj"),
                                                make_file_model(dir.file("abs/leg.obj").c_str())});

    ObjectList list;
    ASSERT_EQ(read(dir.file("models/body.obj"), list), OK);
    ASSERT_EQ(list.n, 2);
    model_struct *body_arm = get_model_ptr(list.objects[0]);
    EXPECT_STREQ(body_arm->filename, "parts/arm.obj"); // kept as stored
    ASSERT_EQ(body_arm->n_objects, 2);
    model_struct *hand = get_model_ptr(body_arm->objects[0]);
    ASSERT_EQ(hand->n_objects, 1);
    EXPECT_STREQ(hand->objects[0]->specific.marker.label, "hand");
    EXPECT_EQ(body_arm->objects[1]->object_type, LINES);
    model_struct *leg = get_model_ptr(list.objects[1]);
    ASSERT_EQ(leg->n_objects, 1);
    EXPECT_STREQ(leg->objects[0]->specific.marker.label, "leg");
}

// Model files that cannot be read end the whole read at that model, keeping
// the objects before it.
TEST_F(GraphicsFile, BrokenModelReferencesEndTheReadWithAnError) {
    struct Case {
        const char *name;
        const char *model_file;   // named by the model in top.obj
        const char *other_target; // what other.obj's model names, if written
        const char *message;
    } cases[] = {
        {"self", "top.obj", nullptr, "names itself"},
        {"self without suffix", "top", nullptr, "names itself"},
        {"cycle of two", "other.obj", "top.obj", "names itself"},
        {"missing", "gone.obj", nullptr, "could not open file"},
        {"damaged", "other.obj", nullptr, "Unrecognized object type"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        write_objects(
            dir.file("top.obj"),
            {make_file_marker("first"), make_file_model(c.model_file), make_file_marker("never")});
        if (c.other_target != nullptr)
            write_objects(dir.file("other.obj"), {make_file_model(c.other_target)});
        else
            write_file(dir.file("other.obj"), "Z");

        ObjectList list;
        CapturePrint capture;
        EXPECT_EQ(read(dir.file("top.obj"), list), ERROR);
        EXPECT_NE(capture.err().find(c.message), std::string::npos) << capture.err();
        ASSERT_EQ(list.n, 1);
        EXPECT_STREQ(list.objects[0]->specific.marker.label, "first");
    }
}

// A file naming itself through its compressed copy gets a new temporary file
// at every level; the depth limit ends it.
TEST_F(GraphicsFile, DeepNestingEndsWithAnError) {
    write_objects(dir.file("deep-source.obj"), {make_file_model("deep.obj")});
    std::string source = dir.file("deep-source.obj");
    const char *argv[] = {"gzip", "-c", source.c_str(), nullptr};
    ASSERT_EQ(vrrun_program(argv, dir.file("deep.obj.gz").c_str(), 0), 0);
    ObjectList list;
    CapturePrint capture;
    EXPECT_EQ(read(dir.file("deep.obj"), list), ERROR);
    EXPECT_NE(capture.err().find("nested more than 64 deep"), std::string::npos);
    EXPECT_EQ(list.n, 0);
}
