// The converter end to end: object files written by the library's own writer,
// converted by the tarvex program, the scene read back by the Inventor reader.

#include <gtest/gtest.h>

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoIndexedFaceSet.h>
#include <Inventor/nodes/SoIndexedLineSet.h>
#include <Inventor/nodes/SoNormal.h>
#include <Inventor/nodes/SoQuadMesh.h>
#include <Inventor/nodes/SoSphere.h>
#include <Inventor/nodes/SoTransform.h>

#include <sys/stat.h>

#include <zavInventor.h>

#include "run_tarvex.h"

namespace {

object_struct *triangle_pair(void) {
    object_struct *object = create_object(POLYGONS);
    polygons_struct *polygons = get_polygons_ptr(object);
    initialize_polygons(polygons, make_rgba_Colour(255, 0, 0, 255), nullptr);
    const float corners[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    const int faces[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (const auto &face : faces) {
        start_new_polygon(polygons);
        for (int v : face) {
            Point p;
            fill_Point(p, corners[v][0], corners[v][1], corners[v][2]);
            add_point_to_polygon(polygons, &p, nullptr);
        }
    }
    compute_polygon_normals(polygons);
    return object;
}

object_struct *open_quadmesh(void) {
    object_struct *object = create_object(QUADMESH);
    quadmesh_struct *quadmesh = get_quadmesh_ptr(object);
    initialize_quadmesh(quadmesh, make_rgba_Colour(0, 255, 0, 255), nullptr, 2, 3);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) {
            Point p;
            Vector n;
            fill_Point(p, j, i, 0);
            fill_Vector(n, 0, 0, 1);
            set_quadmesh_point(quadmesh, i, j, &p, &n);
        }
    return object;
}

object_struct *polyline(void) {
    object_struct *object = create_object(LINES);
    lines_struct *lines = get_lines_ptr(object);
    initialize_lines(lines, make_rgba_Colour(0, 0, 255, 255));
    for (int k = 0; k < 3; ++k) {
        Point p;
        fill_Point(p, k, k * k, 0);
        add_point_to_line(lines, &p);
    }
    return object;
}

object_struct *marker(Marker_types type, float x, float y, float z, double size) {
    object_struct *object = create_object(MARKER);
    marker_struct *m = get_marker_ptr(object);
    initialize_marker(m, type, make_rgba_Colour(255, 255, 0, 255));
    fill_Point(m->position, x, y, z);
    m->size = size;
    return object;
}

object_struct *text(void) {
    object_struct *object = create_object(TEXT);
    text_struct *t = get_text_ptr(object);
    Point origin;
    fill_Point(origin, 0, 0, 0);
    initialize_text(t, &origin, make_rgba_Colour(255, 255, 255, 255), FIXED_FONT, 10.0);
    replace_string(&t->string, create_string("label"));
    return object;
}

void write_objects(const std::string &path, File_formats format,
                   std::vector<object_struct *> objects) {
    int n_objects = 0;
    object_struct **list = nullptr;
    for (object_struct *object : objects)
        add_object_to_list(&n_objects, &list, object);
    ASSERT_EQ(output_graphics_file(path.c_str(), format, n_objects, list), OK);
    delete_object_list(n_objects, list);
}

bool file_exists(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Runs a program found on PATH, waiting for it; its exit status or -1.
int run_program(const std::vector<std::string> &words) {
    std::vector<char *> argv;
    std::vector<std::string> copy = words;
    for (std::string &word : copy)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

class TarvexConvert : public tarvex_test::TempDirTest {
  protected:
    static void SetUpTestSuite() { SoDB::init(); }
    void TearDown() override {
        if (scene_ != nullptr) scene_->unref();
    }

    // Reads a scene file with the Inventor reader; null when it cannot.
    SoSeparator *read_scene(const std::string &path) {
        SoInput input;
        if (!input.openFile(path.c_str())) return nullptr;
        scene_ = SoDB::readAll(&input);
        if (scene_ != nullptr) scene_->ref();
        return scene_;
    }

    SoSeparator *scene_ = nullptr;
};

template <typename Node> Node *find_first(SoNode *root) {
    SoSearchAction search;
    search.setType(Node::getClassTypeId());
    search.setInterest(SoSearchAction::FIRST);
    search.apply(root);
    return search.getPath() != nullptr ? static_cast<Node *>(search.getPath()->getTail()) : nullptr;
}

void expect_every_kind_converted(SoSeparator *root) {
    ASSERT_NE(root, nullptr);
    // Polygons, quadmesh, lines, box and sphere markers; the text is skipped.
    ASSERT_EQ(root->getNumChildren(), 5);

    SoSeparator *mesh = static_cast<SoSeparator *>(root->getChild(0));
    auto *vertices = static_cast<SoCoordinate3 *>(SoNode::getByName(SbName("Vertices")));
    ASSERT_NE(vertices, nullptr);
    EXPECT_EQ(vertices->point.getNum(), 6);
    EXPECT_EQ(vertices->point[2], SbVec3f(1, 1, 0));
    auto *faces = static_cast<SoIndexedFaceSet *>(SoNode::getByName(SbName("Polygons")));
    ASSERT_NE(faces, nullptr);
    const int expected_faces[] = {0, 1, 2, -1, 3, 4, 5, -1};
    ASSERT_EQ(faces->coordIndex.getNum(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(faces->coordIndex[i], expected_faces[i]);
    auto *normals = static_cast<SoNormal *>(SoNode::getByName(SbName("Normals")));
    ASSERT_NE(normals, nullptr);
    EXPECT_EQ(normals->vector.getNum(), 6);
    EXPECT_EQ(mesh->findChild(faces), 5);

    SoQuadMesh *quad = find_first<SoQuadMesh>(root->getChild(1));
    ASSERT_NE(quad, nullptr);
    EXPECT_EQ(quad->verticesPerRow.getValue(), 3);
    EXPECT_EQ(quad->verticesPerColumn.getValue(), 2);

    SoIndexedLineSet *lines = find_first<SoIndexedLineSet>(root->getChild(2));
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->coordIndex.getNum(), 4);

    SoTransform *box_place = find_first<SoTransform>(root->getChild(3));
    ASSERT_NE(box_place, nullptr);
    EXPECT_EQ(box_place->translation.getValue(), SbVec3f(1, 2, 3));
    SoCube *cube = find_first<SoCube>(root->getChild(3));
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(cube->width.getValue(), 2.0f);
    SoSphere *sphere = find_first<SoSphere>(root->getChild(4));
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(sphere->radius.getValue(), 0.5f);
}

} // namespace

TEST_F(TarvexConvert, EveryKindInBothEncodingsReadsBackThroughInventor) {
    const File_formats formats[] = {ASCII_FORMAT, BINARY_FORMAT};
    for (File_formats format : formats) {
        SCOPED_TRACE(format == ASCII_FORMAT ? "ascii" : "binary");
        std::string input = dir.file(format == ASCII_FORMAT ? "a.obj" : "b.obj");
        std::string scene = dir.file("scene.iv");
        write_objects(input, format,
                      {triangle_pair(), open_quadmesh(), polyline(),
                       marker(BOX_MARKER, 1, 2, 3, 2.0), marker(SPHERE_MARKER, 0, 0, 0, 0.5),
                       text()});
        RunResult result = run_tarvex(dir, "tarvex", {input, "-out_file", scene});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "Skipping text object.\n");
        EXPECT_EQ(result.out, "");
        expect_every_kind_converted(read_scene(scene));
        scene_->unref();
        scene_ = nullptr;
    }
}

TEST_F(TarvexConvert, SceneGoesToStandardOutputWithoutTheLibraryNotes) {
    std::string input = dir.file("mesh.obj");
    write_objects(input, ASCII_FORMAT, {triangle_pair()});
    RunResult result = run_tarvex(dir, "tarvex", {input});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("#Inventor V2.1 ascii", 0), 0u);
    tarvex_test::write_file(dir.file("from_stdout.iv"), result.out);
    SoSeparator *root = read_scene(dir.file("from_stdout.iv"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getNumChildren(), 1);
}

TEST_F(TarvexConvert, CompressedInputAndDefaultSuffixAreFound) {
    write_objects(dir.file("mesh.obj"), BINARY_FORMAT, {triangle_pair(), polyline()});
    // The name without its suffix finds mesh.obj.
    RunResult plain = run_tarvex(dir, "tarvex", {dir.file("mesh"), "-o", dir.file("p.iv")});
    EXPECT_EQ(plain.status, 0) << plain.err;

    ASSERT_EQ(run_program({"gzip", dir.file("mesh.obj")}), 0);
    ASSERT_TRUE(file_exists(dir.file("mesh.obj.gz")));
    RunResult zipped = run_tarvex(dir, "tarvex", {dir.file("mesh.obj"), "-o", dir.file("z.iv")});
    EXPECT_EQ(zipped.status, 0) << zipped.err;
    EXPECT_EQ(tarvex_test::read_file(dir.file("z.iv")), tarvex_test::read_file(dir.file("p.iv")));
    SoSeparator *root = read_scene(dir.file("z.iv"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getNumChildren(), 2);
}

TEST_F(TarvexConvert, ModelsAreSkippedWithTheirObjects) {
    write_objects(dir.file("part.obj"), ASCII_FORMAT, {triangle_pair()});
    object_struct *model = create_object(MODEL);
    initialize_model(get_model_ptr(model));
    replace_string(&get_model_ptr(model)->filename, create_string("part.obj"));
    write_objects(dir.file("scene.obj"), ASCII_FORMAT, {model, polyline()});
    RunResult result =
        run_tarvex(dir, "tarvex", {dir.file("scene.obj"), "-out_file", dir.file("s.iv")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "Skipping model object.\n");
    SoSeparator *root = read_scene(dir.file("s.iv"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getNumChildren(), 1);
    EXPECT_EQ(SoNode::getByName(SbName("Polygons")), nullptr);
}

TEST_F(TarvexConvert, FailuresWriteNoSceneAndExitWithOne) {
    write_objects(dir.file("good.obj"), ASCII_FORMAT, {triangle_pair()});
    tarvex_test::write_file(dir.file("damaged.obj"), "P 0.3 0.3 0.4 10 1 4\n 0 0 0\n 1 0");
    tarvex_test::write_file(dir.file("letter.obj"), "W nothing");

    struct Case {
        const char *name;
        std::vector<std::string> args;
        std::string err_start;
        std::string output; // must not exist afterwards ("" for stdout cases)
    };
    const Case cases[] = {
        {"missing input",
         {dir.file("absent.obj"), "-o", dir.file("o1.iv")},
         "Error:  could not open file \"" + dir.file("absent.obj") + "\".  ",
         dir.file("o1.iv")},
        {"truncated object",
         {dir.file("damaged.obj"), "-o", dir.file("o2.iv")},
         "",
         dir.file("o2.iv")},
        {"unknown object letter",
         {dir.file("letter.obj"), "-o", dir.file("o3.iv")},
         "Unrecognized object type in file.\n",
         dir.file("o3.iv")},
        {"output in a missing directory",
         {dir.file("good.obj"), "-o", dir.file("no/such.iv")},
         "cannot open file: " + dir.file("no/such.iv") + "\n",
         dir.file("no/such.iv")},
        {"output is a directory",
         {dir.file("good.obj"), "-o", dir.path()},
         "cannot open file: " + dir.path() + "\n",
         ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RunResult result = run_tarvex(dir, "tarvex", c.args);
        EXPECT_EQ(result.status, 1);
        EXPECT_FALSE(result.err.empty());
        EXPECT_EQ(result.err.rfind(c.err_start, 0), 0u) << result.err;
        EXPECT_EQ(result.out, "");
        if (!c.output.empty()) {
            EXPECT_FALSE(file_exists(c.output));
        }
    }
}

TEST_F(TarvexConvert, WriteErrorsAreFailures) {
    write_objects(dir.file("good.obj"), ASCII_FORMAT, {triangle_pair()});
    // /dev/full accepts the open and fails every write.
    RunResult result = run_tarvex(dir, "tarvex", {dir.file("good.obj"), "-o", "/dev/full"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("/dev/full"), std::string::npos);
    EXPECT_TRUE(file_exists("/dev/full"));
}

TEST_F(TarvexConvert, TheProjectSampleConverts) {
    std::string sample = std::string(TARVEX_SOURCE_DIR) + "/data/sample.obj";
    RunResult result = run_tarvex(dir, "tarvex", {sample, "-out_file", dir.file("sample.iv")});
    EXPECT_EQ(result.status, 0) << result.err;
    SoSeparator *root = read_scene(dir.file("sample.iv"));
    ASSERT_NE(root, nullptr);
    // Sphere, torus, polylines and two markers; the model is skipped.
    EXPECT_EQ(root->getNumChildren(), 5);
}
