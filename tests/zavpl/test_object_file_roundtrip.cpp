// Objects written to object files and read back, in both encodings.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <zavpl.h>

#include "object_file_fixtures.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

class ObjectFileRoundTrip : public TempDirTest, public ::testing::WithParamInterface<File_formats> {
  protected:
    // Writes the objects to a file and reads them back into `read`.
    void write_and_read(const std::vector<object_struct *> &objects, ObjectList &read,
                        File_formats format) {
        std::string name = dir.file("objects.obj");
        ASSERT_EQ(output_graphics_file(name.c_str(), format, (int)objects.size(),
                                       const_cast<object_struct **>(objects.data())),
                  OK);
        File_formats read_format = format == ASCII_FORMAT ? BINARY_FORMAT : ASCII_FORMAT;
        ASSERT_EQ(input_graphics_file(name.c_str(), &read_format, &read.n, &read.objects), OK);
        EXPECT_EQ(read_format, format);
    }
};

std::string format_name(const ::testing::TestParamInfo<File_formats> &info) {
    return info.param == ASCII_FORMAT ? "Ascii" : "Binary";
}

} // namespace

TEST_P(ObjectFileRoundTrip, EveryKindReadsBackFieldForField) {
    std::vector<object_struct *> objects = {
        make_file_lines(),
        make_file_polygons(),
        make_file_quadmesh(),
        make_file_marker(),
        make_file_marker(""),
        make_file_text(),
        make_file_pixels(COLOUR_INDEX_8BIT_PIXEL, 5, 3),
        make_file_pixels(RGB_PIXEL, 300, 1),
        make_file_pixels(COLOUR_INDEX_16BIT_PIXEL),
    };
    ObjectList read;
    write_and_read(objects, read, GetParam());

    ASSERT_EQ(read.n, (int)objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE("object " + std::to_string(i));
        expect_same_object(objects[i], read.objects[i]);
        EXPECT_TRUE(get_object_visibility(read.objects[i]));
    }
    for (object_struct *object : objects)
        delete_object(object);
}

TEST_P(ObjectFileRoundTrip, ModelReadsItsObjectsFromTheFileItNames) {
    object_struct *marker = make_file_marker();
    ASSERT_EQ(output_graphics_file(dir.file("sub").c_str(), GetParam(), 1, &marker), OK);
    std::vector<object_struct *> objects = {make_file_model("sub.obj")};
    ObjectList read;
    write_and_read(objects, read, GetParam());

    ASSERT_EQ(read.n, 1);
    expect_same_object(objects[0], read.objects[0]);
    model_struct *model = get_model_ptr(read.objects[0]);
    ASSERT_EQ(model->n_objects, 1);
    expect_same_object(marker, model->objects[0]);
    delete_object(marker);
    delete_object(objects[0]);
}

TEST_P(ObjectFileRoundTrip, EmptyObjectsAreNotWritten) {
    object_struct *no_items = make_file_polygons();
    no_items->specific.polygons.n_items = 0;
    object_struct *no_points = make_file_lines();
    no_points->specific.lines.n_points = 0;
    object_struct *thin_grid = make_file_quadmesh(1, 4);
    object_struct *no_pixels = make_file_pixels(RGB_PIXEL, 0, 5);
    std::vector<object_struct *> objects = {no_items, no_points, thin_grid, no_pixels};

    std::string name = dir.file("empty.obj");
    ASSERT_EQ(output_graphics_file(name.c_str(), GetParam(), (int)objects.size(), objects.data()),
              OK);
    EXPECT_EQ(read_file(name), "");

    no_items->specific.polygons.n_items = 3;
    no_points->specific.lines.n_points = 5;
    for (object_struct *object : objects)
        delete_object(object);
}

TEST_P(ObjectFileRoundTrip, MeshWithoutNormalsIsWrittenWithComputedOnes) {
    object_struct *mesh = make_file_polygons();
    polygons_struct *polygons = get_polygons_ptr(mesh);
    FREE(polygons->normals);
    object_struct *grid = make_file_quadmesh();
    FREE(grid->specific.quadmesh.normals);
    std::vector<object_struct *> objects = {mesh, grid};
    ObjectList read;
    write_and_read(objects, read, GetParam());

    // The caller's objects are not changed by writing.
    EXPECT_EQ(polygons->normals, nullptr);
    EXPECT_EQ(grid->specific.quadmesh.normals, nullptr);
    ASSERT_EQ(read.n, 2);
    compute_polygon_normals(polygons);
    compute_quadmesh_normals(&grid->specific.quadmesh);
    const float tolerance = GetParam() == ASCII_FORMAT ? 1e-5f : 0.0f;
    for (int i = 0; i < polygons->n_points; ++i)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(read.objects[0]->specific.polygons.normals[i].coords[c],
                        polygons->normals[i].coords[c], tolerance);
    for (int i = 0; i < 12; ++i)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(read.objects[1]->specific.quadmesh.normals[i].coords[c],
                        grid->specific.quadmesh.normals[i].coords[c], tolerance);
    delete_object(mesh);
    delete_object(grid);
}

// Long lists, which ASCII reading parses in runs.
TEST_P(ObjectFileRoundTrip, LargeMeshReadsBack) {
    object_struct *sphere = make_file_sphere(5120);
    std::vector<object_struct *> objects = {sphere, make_file_marker()};
    ObjectList read;
    write_and_read(objects, read, GetParam());
    ASSERT_EQ(read.n, 2);
    polygons_struct *original = get_polygons_ptr(sphere);
    polygons_struct *polygons = get_polygons_ptr(read.objects[0]);
    EXPECT_TRUE(polygons_are_same_topology(original, polygons));
    ASSERT_EQ(polygons->colour_flag, PER_VERTEX_COLOURS);
    EXPECT_EQ(as_vector(polygons->colours, 2562), as_vector(original->colours, 2562));
    // " %g" keeps six significant digits of coordinates below 1 in size.
    const float tolerance = GetParam() == ASCII_FORMAT ? 1e-6f : 0.0f;
    for (int i = 0; i < 2562; ++i)
        for (int c = 0; c < 3; ++c) {
            ASSERT_NEAR(polygons->points[i].coords[c], original->points[i].coords[c], tolerance);
            ASSERT_NEAR(polygons->normals[i].coords[c], original->normals[i].coords[c], tolerance);
        }
    expect_same_object(objects[1], read.objects[1]);
    for (object_struct *object : objects)
        delete_object(object);
}

INSTANTIATE_TEST_SUITE_P(BothEncodings, ObjectFileRoundTrip,
                         ::testing::Values(ASCII_FORMAT, BINARY_FORMAT), format_name);

// One file holding objects of both encodings, as the letter of each object
// decides.
TEST_F(TempDirTest, FileMixingEncodingsReadsEveryObjectAndReportsTheLastEncoding) {
    std::vector<object_struct *> objects = {make_file_polygons(), make_file_marker(),
                                            make_file_lines(), make_file_text(),
                                            make_file_quadmesh()};
    std::string name = dir.file("mixed.obj");
    FILE *file = fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    for (size_t i = 0; i < objects.size(); ++i)
        ASSERT_EQ(output_object(file, i % 2 == 0 ? ASCII_FORMAT : BINARY_FORMAT, objects[i]), OK);
    ASSERT_EQ(output_object(file, BINARY_FORMAT, objects[1]), OK);
    fclose(file);

    ObjectList read;
    File_formats format = ASCII_FORMAT;
    ASSERT_EQ(input_graphics_file(name.c_str(), &format, &read.n, &read.objects), OK);
    EXPECT_EQ(format, BINARY_FORMAT);
    ASSERT_EQ(read.n, 6);
    for (size_t i = 0; i < objects.size(); ++i)
        expect_same_object(objects[i], read.objects[i]);
    expect_same_object(objects[1], read.objects[5]);
    for (object_struct *object : objects)
        delete_object(object);
}

// Reading one object of `text` (one encoding) back through input_object.
static object_struct *read_one(const std::string &path, Status expected = OK) {
    FILE *file = fopen(path.c_str(), "rb");
    object_struct *object = nullptr;
    File_formats format;
    BOOLEAN eof = FALSE;
    EXPECT_EQ(input_object(".", file, &format, &object, &eof), expected);
    fclose(file);
    return object;
}

TEST_F(TempDirTest, OutOfRangeBinaryLineThicknessBecomesOneAndAsciiKeepsIt) {
    struct Case {
        float written;
        File_formats format;
        float read;
    } cases[] = {
        {0.0f, BINARY_FORMAT, 1.0f},   {0.001f, BINARY_FORMAT, 1.0f},
        {25.0f, BINARY_FORMAT, 1.0f},  {0.0015f, BINARY_FORMAT, 0.0015f},
        {20.0f, BINARY_FORMAT, 20.0f}, {0.0f, ASCII_FORMAT, 0.0f},
        {25.0f, ASCII_FORMAT, 25.0f},
    };
    for (const Case &c : cases) {
        object_struct *lines = make_file_lines();
        lines->specific.lines.line_thickness = c.written;
        std::string name = dir.file("thick.obj");
        ASSERT_EQ(output_graphics_file(name.c_str(), c.format, 1, &lines), OK);
        object_struct *read = read_one(name);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->specific.lines.line_thickness, c.read)
            << c.written << (c.format == ASCII_FORMAT ? " ascii" : " binary");
        delete_object(read);
        delete_object(lines);
    }
}

TEST_F(TempDirTest, ZeroTransparencyReadsAsOpaqueAndMeshThicknessAsOne) {
    for (File_formats format : {ASCII_FORMAT, BINARY_FORMAT}) {
        object_struct *mesh = make_file_polygons();
        mesh->specific.polygons.surfprop.t = 0.0f;
        mesh->specific.polygons.line_thickness = 4.0f;
        object_struct *grid = make_file_quadmesh();
        grid->specific.quadmesh.surfprop.t = 0.0f;
        object_struct *objects[] = {mesh, grid};
        ObjectList read;
        File_formats read_format;
        std::string name = dir.file("spr.obj");
        ASSERT_EQ(output_graphics_file(name.c_str(), format, 2, objects), OK);
        ASSERT_EQ(input_graphics_file(name.c_str(), &read_format, &read.n, &read.objects), OK);
        ASSERT_EQ(read.n, 2);
        EXPECT_EQ(read.objects[0]->specific.polygons.surfprop.t, 1.0f);
        EXPECT_EQ(read.objects[0]->specific.polygons.line_thickness, 1.0f);
        EXPECT_EQ(read.objects[1]->specific.quadmesh.surfprop.t, 1.0f);
        delete_object(mesh);
        delete_object(grid);
    }
}

// End indices as they are or as item sizes ("NEW_OBJ_FORMAT").
class EndIndexForms : public TempDirTest {
  protected:
    // A polygon mesh of polygons of the given sizes over enough points.
    object_struct *mesh_of_sizes(const std::vector<int> &sizes) {
        object_struct *object = make_file_polygons();
        polygons_struct *polygons = get_polygons_ptr(object);
        FREE(polygons->end_indices);
        FREE(polygons->indices);
        FREE(polygons->colours);
        polygons->colour_flag = ONE_COLOUR;
        polygons->colours = alloc_copy(std::vector<Colour>{test_colour(1)});
        std::vector<int> ends, indices;
        for (int size : sizes) {
            for (int k = 0; k < size; ++k)
                indices.push_back(k % polygons->n_points);
            ends.push_back((int)indices.size());
        }
        polygons->n_items = (int)sizes.size();
        polygons->end_indices = alloc_copy(ends);
        polygons->indices = alloc_copy(indices);
        return object;
    }

    // The end indices as they stand in the ASCII file of the object: the
    // third line after the item count.
    std::string written_end_indices(object_struct *object) {
        std::string name = dir.file("ends.obj");
        EXPECT_EQ(output_graphics_file(name.c_str(), ASCII_FORMAT, 1, &object), OK);
        std::istringstream text(read_file(name));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        std::string n_items = " " + std::to_string(object->specific.polygons.n_items);
        for (size_t i = 1; i + 3 < lines.size(); ++i) {
            if (lines[i] == n_items) return lines[i + 3];
        }
        return "(no item count)";
    }

    std::vector<int> read_back_end_indices(object_struct *object, File_formats format) {
        std::string name = dir.file("ends.obj");
        EXPECT_EQ(output_graphics_file(name.c_str(), format, 1, &object), OK);
        object_struct *read = read_one(name);
        if (read == nullptr) return {};
        std::vector<int> ends =
            as_vector(read->specific.polygons.end_indices, read->specific.polygons.n_items);
        expect_same_object(object, read);
        delete_object(read);
        return ends;
    }
};

TEST_F(EndIndexForms, SizesAreWrittenOnlyWithNewObjFormat) {
    object_struct *triangles = mesh_of_sizes({3, 3, 3});
    {
        ScopedEnv unset("NEW_OBJ_FORMAT", nullptr);
        EXPECT_EQ(written_end_indices(triangles), " 3 6 9");
    }
    {
        ScopedEnv set("NEW_OBJ_FORMAT", "");
        EXPECT_EQ(written_end_indices(triangles), " 3 3 3");
        for (File_formats format : {ASCII_FORMAT, BINARY_FORMAT})
            EXPECT_EQ(read_back_end_indices(triangles, format), (std::vector<int>{3, 6, 9}));
    }
    delete_object(triangles);
}

// Either form is misread for some meshes; the writer then uses the other, so
// every mesh reads back as it was.
TEST_F(EndIndexForms, FormThatWouldBeMisreadIsReplacedByTheOther) {
    struct Case {
        std::vector<int> sizes;
        const char *new_obj_format;
        const char *written;
    } cases[] = {
        {{3, 6, 9}, "", " 3 9 18"},     // growing sizes would read as end indices
        {{3, 1, 4}, nullptr, " 3 1 4"}, // a small polygon would make ends read as sizes
        {{2, 4, 3}, nullptr, " 2 6 9"}, // the first item's size is not tested
        {{4}, "", " 4"},
    };
    for (const Case &c : cases) {
        ScopedEnv env("NEW_OBJ_FORMAT", c.new_obj_format);
        object_struct *mesh = mesh_of_sizes(c.sizes);
        EXPECT_EQ(written_end_indices(mesh), c.written);
        std::vector<int> ends(mesh->specific.polygons.end_indices,
                              mesh->specific.polygons.end_indices + c.sizes.size());
        for (File_formats format : {ASCII_FORMAT, BINARY_FORMAT})
            EXPECT_EQ(read_back_end_indices(mesh, format), ends);
        delete_object(mesh);
    }
}

TEST_F(TempDirTest, PolylineEndIndicesWithAnEmptyLineAreReadAsSizes) {
    write_file(dir.file("sizes.obj"), "L 1 4\n 0 0 0\n 1 0 0\n 1 1 0\n 0 1 0\n\n 3\n 0 1 1 1 1\n\n"
                                      " 2 2 5\n\n 0 1 2 3 0 1 2 3 0\n");
    object_struct *read = read_one(dir.file("sizes.obj"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(as_vector(read->specific.lines.end_indices, 3), (std::vector<int>{2, 4, 9}));
    delete_object(read);
}

// Sphere meshes of the tetrahedral family in the compressed form.
class CompressedSpheres : public TempDirTest {
  protected:
    CompressedSpheres() : was_on(get_use_compressed_polygons_flag()) {
        set_use_compressed_polygons_flag(TRUE);
    }
    ~CompressedSpheres() override { set_use_compressed_polygons_flag(was_on); }
    BOOLEAN was_on;
};

TEST_F(CompressedSpheres, SphereIsWrittenAsItsCountAndReadBackWithTheSameTopology) {
    object_struct *sphere = make_file_sphere(320);
    polygons_struct *original = get_polygons_ptr(sphere);
    ASSERT_EQ(original->n_items, 320);
    for (File_formats format : {ASCII_FORMAT, BINARY_FORMAT}) {
        std::string name = dir.file("sphere.obj");
        ASSERT_EQ(output_graphics_file(name.c_str(), format, 1, &sphere), OK);
        std::string bytes = read_file(name);
        if (format == ASCII_FORMAT) {
            EXPECT_EQ(bytes.substr(0, bytes.find('\n')), "P 0.3 0.3 0.4 10 1 -320");
        } else {
            int count;
            memcpy(&count, &bytes[21], 4);
            EXPECT_EQ(count, -320);
            // letter, surface property, count, 162 points, flag, 162 colours
            EXPECT_EQ(bytes.size(), 1u + 20 + 4 + 162 * 12 + 4 + 162 * 4);
        }

        object_struct *read = read_one(name);
        ASSERT_NE(read, nullptr);
        polygons_struct *polygons = get_polygons_ptr(read);
        EXPECT_TRUE(polygons_are_same_topology(original, polygons));
        ASSERT_EQ(polygons->colour_flag, PER_VERTEX_COLOURS);
        EXPECT_EQ(as_vector(polygons->colours, 162), as_vector(original->colours, 162));
        // The stored points replace the generated ones; normals follow them.
        for (int i = 0; i < 162; ++i)
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(polygons->points[i].coords[c], original->points[i].coords[c], 1e-6);
        for (int i = 0; i < 162; ++i)
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(polygons->normals[i].coords[c], original->normals[i].coords[c], 1e-5);
        delete_object(read);
    }
    delete_object(sphere);
}

TEST_F(CompressedSpheres, OtherMeshOfASphereCountKeepsItsTopology) {
    object_struct *mesh = make_file_sphere(320);
    polygons_struct *polygons = get_polygons_ptr(mesh);
    std::swap(polygons->indices[0], polygons->indices[1]);
    std::string name = dir.file("not-sphere.obj");
    ASSERT_EQ(output_graphics_file(name.c_str(), BINARY_FORMAT, 1, &mesh), OK);
    object_struct *read = read_one(name);
    ASSERT_NE(read, nullptr);
    expect_same_object(mesh, read);
    delete_object(read);
    delete_object(mesh);
}

TEST_F(CompressedSpheres, SphereIsWrittenWholeWhenCompressionIsOff) {
    set_use_compressed_polygons_flag(FALSE);
    EXPECT_FALSE(get_use_compressed_polygons_flag());
    object_struct *sphere = make_file_sphere(80);
    std::string name = dir.file("whole.obj");
    ASSERT_EQ(output_graphics_file(name.c_str(), BINARY_FORMAT, 1, &sphere), OK);
    object_struct *read = read_one(name);
    ASSERT_NE(read, nullptr);
    expect_same_object(sphere, read);
    delete_object(read);
    delete_object(sphere);
}

// The environment decides on first use only, so each case runs in a fresh
// process.
TEST(CompressedPolygonsFlag, EnvironmentDecidesOnFirstUse) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("USE_COMPRESSED_POLYGONS", "", 1);
            bool first = use_compressed_polygons();
            unsetenv("USE_COMPRESSED_POLYGONS");
            _exit(first && use_compressed_polygons() ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(
        {
            unsetenv("USE_COMPRESSED_POLYGONS");
            _exit(use_compressed_polygons() ? 3 : 4);
        },
        ::testing::ExitedWithCode(4), "");
}
