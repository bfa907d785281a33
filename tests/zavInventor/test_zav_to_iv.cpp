// Conversion of graphics objects to Inventor node trees, checked node by node.

#include <gtest/gtest.h>

#include <Inventor/SoDB.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoIndexedFaceSet.h>
#include <Inventor/nodes/SoIndexedLineSet.h>
#include <Inventor/nodes/SoMaterialBinding.h>
#include <Inventor/nodes/SoNormal.h>
#include <Inventor/nodes/SoNormalBinding.h>
#include <Inventor/nodes/SoQuadMesh.h>
#include <Inventor/nodes/SoSphere.h>
#include <Inventor/nodes/SoTransform.h>

#include <vector>

#include <zavInventor.h>

namespace {

class ZavToIv : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { SoDB::init(); }
    void TearDown() override {
        for (object_struct *object : objects_)
            delete_object(object);
        if (group_ != nullptr) group_->unref();
    }

    // Keeps a converted group alive (and released) for the test.
    SoSeparator *hold(SoSeparator *group) {
        group_ = group;
        if (group_ != nullptr) group_->ref();
        return group_;
    }

    object_struct *make(Object_types type) {
        objects_.push_back(create_object(type));
        return objects_.back();
    }

    lines_struct *two_polylines(Colour colour) {
        lines_struct *lines = get_lines_ptr(make(LINES));
        initialize_lines(lines, colour);
        const int runs[2][3] = {{0, 1, 2}, {2, 3, -1}};
        Point points[4];
        for (int v = 0; v < 4; ++v)
            fill_Point(points[v], v, 2 * v, 3 * v);
        // Points are shared: build them once, then the index runs.
        for (const auto &run : runs) {
            start_new_line(lines);
            for (int v : run) {
                if (v >= 0) add_point_to_line(lines, &points[v]);
            }
        }
        return lines;
    }

    template <typename Node> static Node *child(SoSeparator *group, int index) {
        EXPECT_LT(index, group->getNumChildren());
        SoNode *node = group->getChild(index);
        EXPECT_TRUE(node->isOfType(Node::getClassTypeId()))
            << "child " << index << " is " << node->getTypeId().getName().getString();
        return static_cast<Node *>(node);
    }

    std::vector<object_struct *> objects_;
    SoSeparator *group_ = nullptr;
};

std::vector<int> coord_indices(const SoMFInt32 &field) {
    return std::vector<int>(field.getValues(0), field.getValues(0) + field.getNum());
}

} // namespace

TEST_F(ZavToIv, OneColourLinesGiveOverallBindingAndRunsEndedByMinusOne) {
    lines_struct *lines = two_polylines(make_rgba_Colour(255, 0, 0, 255));
    SoSeparator *group = hold(zav_lines_to_iv(lines));
    ASSERT_EQ(group->getNumChildren(), 4);
    EXPECT_EQ(child<SoMaterialBinding>(group, 0)->value.getValue(), SoMaterialBinding::OVERALL);
    SoBaseColor *colour = child<SoBaseColor>(group, 1);
    ASSERT_EQ(colour->rgb.getNum(), 1);
    EXPECT_EQ(colour->rgb[0], SbColor(1, 0, 0));
    SoCoordinate3 *coordinates = child<SoCoordinate3>(group, 2);
    EXPECT_EQ(coordinates->point.getNum(), lines->n_points);
    EXPECT_EQ(coordinates->point[1], SbVec3f(1, 2, 3));
    // add_point_to_line gives each run its own points: 0,1,2 then 3,4.
    EXPECT_EQ(coord_indices(child<SoIndexedLineSet>(group, 3)->coordIndex),
              (std::vector<int>{0, 1, 2, -1, 3, 4, -1}));
}

TEST_F(ZavToIv, SharedPointsKeepTheirIndices) {
    lines_struct *lines = get_lines_ptr(make(LINES));
    initialize_lines(lines, make_rgba_Colour(0, 0, 255, 255));
    // Two runs, 0,1,2 and 2,3, over four shared points.
    lines->n_points = 4;
    ALLOC(lines->points, 4);
    for (int v = 0; v < 4; ++v)
        fill_Point(lines->points[v], v, 0, 0);
    lines->n_items = 2;
    ALLOC(lines->end_indices, 2);
    lines->end_indices[0] = 3;
    lines->end_indices[1] = 5;
    const int indices[] = {0, 1, 2, 2, 3};
    ALLOC(lines->indices, 5);
    for (int i = 0; i < 5; ++i)
        lines->indices[i] = indices[i];
    SoSeparator *group = hold(zav_lines_to_iv(lines));
    EXPECT_EQ(coord_indices(child<SoIndexedLineSet>(group, 3)->coordIndex),
              (std::vector<int>{0, 1, 2, -1, 2, 3, -1}));
}

TEST_F(ZavToIv, PerVertexColoursFillOneEntryPerPoint) {
    lines_struct *lines = two_polylines(make_rgba_Colour(0, 0, 0, 255));
    lines->colour_flag = PER_VERTEX_COLOURS;
    REALLOC(lines->colours, lines->n_points);
    for (int v = 0; v < lines->n_points; ++v)
        lines->colours[v] = make_rgba_Colour(v * 50, 255, 0, 255);
    SoSeparator *group = hold(zav_lines_to_iv(lines));
    EXPECT_EQ(child<SoMaterialBinding>(group, 0)->value.getValue(),
              SoMaterialBinding::PER_VERTEX_INDEXED);
    SoBaseColor *colour = child<SoBaseColor>(group, 1);
    ASSERT_EQ(colour->rgb.getNum(), lines->n_points);
    for (int v = 0; v < lines->n_points; ++v)
        EXPECT_EQ(colour->rgb[v], SbColor(v * 50 / 255.0f, 1, 0));
}

TEST_F(ZavToIv, PerItemColoursAreReportedButStillConverted) {
    lines_struct *lines = two_polylines(make_rgba_Colour(0, 0, 0, 255));
    lines->colour_flag = PER_ITEM_COLOURS;
    testing::internal::CaptureStderr();
    SoSeparator *group = hold(zav_lines_to_iv(lines));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to handle ZAV colour flag: 1\n");
    ASSERT_EQ(group->getNumChildren(), 4);
    EXPECT_EQ(child<SoBaseColor>(group, 1)->rgb.getNum(), 1); // default colour only
    EXPECT_EQ(child<SoCoordinate3>(group, 2)->point.getNum(), lines->n_points);
}

TEST_F(ZavToIv, MarkersBecomeTransformedCubesAndSpheres) {
    marker_struct *box = get_marker_ptr(make(MARKER));
    initialize_marker(box, BOX_MARKER, make_rgba_Colour(0, 255, 0, 255));
    fill_Point(box->position, 1, 2, 3);
    box->size = 2.0;
    SoSeparator *group = hold(zav_marker_to_iv(box));
    ASSERT_EQ(group->getNumChildren(), 4);
    EXPECT_EQ(child<SoTransform>(group, 2)->translation.getValue(), SbVec3f(1, 2, 3));
    SoCube *cube = child<SoCube>(group, 3);
    EXPECT_EQ(cube->width.getValue(), 2.0f);
    EXPECT_EQ(cube->height.getValue(), 2.0f);
    EXPECT_EQ(cube->depth.getValue(), 2.0f);
    group->unref();

    box->type = SPHERE_MARKER;
    group = hold(zav_marker_to_iv(box));
    EXPECT_EQ(child<SoSphere>(group, 3)->radius.getValue(), 2.0f);
    group->unref();

    box->type = (Marker_types)7;
    testing::internal::CaptureStderr();
    group = hold(zav_marker_to_iv(box));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Cannot handle marker type 7\n");
    EXPECT_EQ(group->getNumChildren(), 3); // colour and transform, no shape
}

TEST_F(ZavToIv, PolygonsHaveNamedNodesAndPerVertexNormals) {
    polygons_struct *polygons = get_polygons_ptr(make(POLYGONS));
    initialize_polygons(polygons, make_rgba_Colour(255, 255, 255, 255), nullptr);
    const float corners[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    const int triangles[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (const auto &triangle : triangles) {
        start_new_polygon(polygons);
        for (int v : triangle) {
            Point p;
            Vector n;
            fill_Point(p, corners[v][0], corners[v][1], corners[v][2]);
            fill_Vector(n, 0, 0, 1);
            add_point_to_polygon(polygons, &p, &n);
        }
    }
    SoSeparator *group = hold(zav_polygons_to_iv(polygons));
    ASSERT_EQ(group->getNumChildren(), 6);
    EXPECT_EQ(child<SoNormalBinding>(group, 2)->value.getValue(),
              SoNormalBinding::PER_VERTEX_INDEXED);
    SoNormal *normals = child<SoNormal>(group, 3);
    EXPECT_EQ(normals->getName(), SbName("Normals"));
    EXPECT_EQ(normals->vector.getNum(), polygons->n_points);
    EXPECT_EQ(normals->vector[0], SbVec3f(0, 0, 1));
    SoCoordinate3 *vertices = child<SoCoordinate3>(group, 4);
    EXPECT_EQ(vertices->getName(), SbName("Vertices"));
    EXPECT_EQ(vertices->point.getNum(), polygons->n_points);
    SoIndexedFaceSet *faces = child<SoIndexedFaceSet>(group, 5);
    EXPECT_EQ(faces->getName(), SbName("Polygons"));
    EXPECT_EQ(coord_indices(faces->coordIndex), (std::vector<int>{0, 1, 2, -1, 3, 4, 5, -1}));
}

TEST_F(ZavToIv, PolygonsWithoutNormalsKeepAnEmptyNormalNode) {
    polygons_struct *polygons = get_polygons_ptr(make(POLYGONS));
    initialize_polygons(polygons, make_rgba_Colour(255, 255, 255, 255), nullptr);
    start_new_polygon(polygons);
    for (int v = 0; v < 3; ++v) {
        Point p;
        fill_Point(p, v, v * v, 0);
        add_point_to_polygon(polygons, &p, nullptr);
    }
    FREE(polygons->normals);
    SoSeparator *group = hold(zav_polygons_to_iv(polygons));
    SoNormalBinding *binding = child<SoNormalBinding>(group, 2);
    EXPECT_TRUE(binding->value.isDefault());
    EXPECT_EQ(child<SoNormal>(group, 3)->vector.getNum(), 0);
    EXPECT_EQ(child<SoCoordinate3>(group, 4)->point.getNum(), 3);
}

namespace {

struct QuadCase {
    BOOLEAN m_closed, n_closed;
    int per_row, per_column;
    std::vector<int> first_points; // point index of the first vertices, row by row
};

} // namespace

TEST_F(ZavToIv, QuadmeshRepeatsTheFirstRowAndColumnWhenClosed) {
    const QuadCase cases[] = {
        {FALSE, FALSE, 3, 2, {0, 1, 2, 3, 4, 5}},
        {FALSE, TRUE, 4, 2, {0, 1, 2, 0, 3, 4, 5, 3}},
        {TRUE, TRUE, 4, 3, {0, 1, 2, 0, 3, 4, 5, 3, 0, 1, 2, 0}},
    };
    quadmesh_struct *quadmesh = get_quadmesh_ptr(make(QUADMESH));
    initialize_quadmesh(quadmesh, make_rgba_Colour(9, 9, 9, 255), nullptr, 2, 3);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) {
            Point p;
            Vector n;
            fill_Point(p, i * 3 + j, 0, 0); // x holds the point number
            fill_Vector(n, 0, 1, 0);
            set_quadmesh_point(quadmesh, i, j, &p, &n);
        }
    for (const QuadCase &c : cases) {
        quadmesh->m_closed = c.m_closed;
        quadmesh->n_closed = c.n_closed;
        SoSeparator *group = hold(zav_quadmesh_to_iv(quadmesh));
        ASSERT_EQ(group->getNumChildren(), 6);
        EXPECT_EQ(child<SoNormalBinding>(group, 2)->value.getValue(), SoNormalBinding::PER_VERTEX);
        SoCoordinate3 *coordinates = child<SoCoordinate3>(group, 4);
        ASSERT_EQ(coordinates->point.getNum(), (int)c.first_points.size());
        for (size_t v = 0; v < c.first_points.size(); ++v)
            EXPECT_EQ(coordinates->point[(int)v][0], (float)c.first_points[v]) << "vertex " << v;
        EXPECT_EQ(child<SoNormal>(group, 3)->vector.getNum(), (int)c.first_points.size());
        SoQuadMesh *mesh = child<SoQuadMesh>(group, 5);
        EXPECT_EQ(mesh->verticesPerRow.getValue(), c.per_row);
        EXPECT_EQ(mesh->verticesPerColumn.getValue(), c.per_column);
        group->unref();
        group_ = nullptr;
    }
}

TEST_F(ZavToIv, EmptyQuadmeshAndMissingColoursAreSafe) {
    quadmesh_struct *quadmesh = get_quadmesh_ptr(make(QUADMESH));
    initialize_quadmesh(quadmesh, make_rgba_Colour(9, 9, 9, 255), nullptr, 2, 2);
    quadmesh->m = 0; // as a damaged record would have it
    FREE(quadmesh->colours);
    SoSeparator *group = hold(zav_quadmesh_to_iv(quadmesh));
    EXPECT_EQ(child<SoBaseColor>(group, 1)->rgb[0], SbColor(1, 1, 1)); // opaque white
    EXPECT_EQ(child<SoCoordinate3>(group, 4)->point.getNum(), 0);
    EXPECT_EQ(child<SoQuadMesh>(group, 5)->verticesPerRow.getValue(), 0);
    quadmesh->m = 2;
}

TEST_F(ZavToIv, SkippedKindsAreNotedAndUnknownKindsReported) {
    object_struct *list[4] = {make(TEXT), make(PIXELS), make(MODEL), make(LINES)};
    // Only the kind matters to the dispatch: the other records stay empty.
    initialize_lines(get_lines_ptr(list[3]), make_rgba_Colour(1, 2, 3, 255));
    testing::internal::CaptureStderr();
    SoSeparator *root = hold(zav_objects_to_iv(4, list));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Skipping text object.\nSkipping pixels object.\nSkipping model object.\n");
    ASSERT_EQ(root->getNumChildren(), 1);

    object_struct odd = *list[3];
    odd.object_type = (Object_types)9;
    object_struct *odd_list[1] = {&odd};
    testing::internal::CaptureStderr();
    SoSeparator *empty = zav_objects_to_iv(1, odd_list);
    empty->ref();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ZAV object type 9 not handled.\n");
    EXPECT_EQ(empty->getNumChildren(), 0);
    empty->unref();
}
