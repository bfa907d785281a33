// Generic object operations: kind records, names, colours, topology.

#include <gtest/gtest.h>

#include <string>

#include "object_builders.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

std::string name_of(object_struct *object) {
    STRING name = get_object_name(object);
    std::string text = name == nullptr ? "(null)" : name;
    delete_string(name);
    return text;
}

// Keeps the abort question away from internal errors.
class ObjectTest : public ::testing::Test {
  protected:
    ScopedEnv no_abort{"ABORT_FLAG", nullptr};
};

} // namespace

TEST_F(ObjectTest, CreateObjectIsVisibleAndOfItsKind) {
    object_struct *object = create_object(POLYGONS);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(get_object_type(object), POLYGONS);
    EXPECT_TRUE(get_object_visibility(object));
    set_object_visibility(object, FALSE);
    EXPECT_FALSE(get_object_visibility(object));
    initialize_polygons(get_polygons_ptr(object), make_Colour(1, 2, 3), nullptr);
    delete_object(object);
}

TEST_F(ObjectTest, KindRecordOfAnotherKindIsAnInternalErrorAndNull) {
    object_struct *object = make_lines_object({make_point(0, 0, 0)});
    CapturePrint capture;
    EXPECT_EQ(get_lines_ptr(object), &object->specific.lines);
    EXPECT_EQ(capture.err(), "");

    struct Case {
        const char *name;
        void *(*get)(object_struct *);
    };
    const Case cases[] = {
        {"get_marker_ptr", [](object_struct *o) -> void * { return get_marker_ptr(o); }},
        {"get_model_ptr", [](object_struct *o) -> void * { return get_model_ptr(o); }},
        {"get_pixels_ptr", [](object_struct *o) -> void * { return get_pixels_ptr(o); }},
        {"get_polygons_ptr", [](object_struct *o) -> void * { return get_polygons_ptr(o); }},
        {"get_quadmesh_ptr", [](object_struct *o) -> void * { return get_quadmesh_ptr(o); }},
        {"get_text_ptr", [](object_struct *o) -> void * { return get_text_ptr(o); }},
    };
    for (const Case &c : cases) {
        capture.clear();
        EXPECT_EQ(c.get(object), nullptr) << c.name;
        EXPECT_EQ(capture.err(), std::string("Internal error:  ") + c.name + "\n");
    }
    delete_object(object);
}

TEST_F(ObjectTest, NamesOfEachKind) {
    object_struct *lines = make_lines_object({make_point(0, 0, 0), make_point(1, 0, 0)});
    object_struct *marker = make_marker_object(make_point(1, 2, 3));
    get_marker_ptr(marker)->patient_id = 7;
    get_marker_ptr(marker)->structure_id = 4;
    object_struct *labelled = make_marker_object(make_point(0.5f, -1, 0));
    get_marker_ptr(labelled)->label = create_string("hippocampus");
    object_struct *model = make_model_object({});
    replace_string(&get_model_ptr(model)->filename, create_string("sub.obj"));
    object_struct *pixels = make_pixels_object(3, 2, RGB_PIXEL);
    object_struct *polygons =
        make_polygons_object({{make_point(0, 0, 0), make_point(1, 0, 0), make_point(0, 1, 0)}});
    object_struct *quadmesh = make_quadmesh_object(4, 5);
    object_struct *text = make_text_object("hello");

    const std::pair<object_struct *, const char *> cases[] = {
        {lines, "Lines (1:2)"},
        {marker, "Marker:7:4: (1 2 3)"},
        {labelled, "hippocampus:0:0: (0.5 -1 0)"},
        {model, "Model (sub.obj) ->"},
        {pixels, "Pixels (3 by 2)"},
        {polygons, "Polygons (1:3)"},
        {quadmesh, "Quadmesh [4][5]"},
        {text, "Text (hello)"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(name_of(c.first), c.second);
        delete_object(c.first);
    }
}

TEST_F(ObjectTest, LongLabelNameIsBoundedNotOverrun) {
    object_struct *marker = make_marker_object(make_point(0, 0, 0));
    std::string label(30000, 'x');
    get_marker_ptr(marker)->label = create_string(label.c_str());
    std::string name = name_of(marker);
    EXPECT_LT(name.size(), 10000u);
    EXPECT_EQ(name.substr(0, 100), label.substr(0, 100));
    delete_object(marker);
}

TEST_F(ObjectTest, SingleColourGetAndSetByKind) {
    const Colour col = make_Colour(12, 34, 56);

    // A mesh with one colour per vertex has no single colour until it is given one.
    object_struct *mesh =
        make_polygons_object({{make_point(0, 0, 0), make_point(1, 0, 0), make_point(0, 1, 0)}});
    polygons_struct *polygons = get_polygons_ptr(mesh);
    FREE(polygons->colours);
    ALLOC(polygons->colours, 3);
    polygons->colour_flag = PER_VERTEX_COLOURS;
    Colour got = 0;
    EXPECT_FALSE(get_object_colour(mesh, &got));
    set_object_colour(mesh, col);
    EXPECT_EQ(polygons->colour_flag, ONE_COLOUR);
    EXPECT_EQ(get_n_colours(polygons->colour_flag, polygons->n_points, polygons->n_items), 1);
    ASSERT_TRUE(get_object_colour(mesh, &got));
    EXPECT_EQ(got, col);
    delete_object(mesh);

    // Markers and text answer with their colour field; models and pixels have none.
    object_struct *marker = make_marker_object(make_point(0, 0, 0));
    set_object_colour(marker, col);
    EXPECT_EQ(get_marker_ptr(marker)->colour, col);
    EXPECT_TRUE(get_object_colour(marker, &got));
    EXPECT_EQ(got, col);

    object_struct *text = make_text_object("t");
    set_object_colour(text, col);
    EXPECT_EQ(get_text_ptr(text)->colour, col);

    object_struct *model = make_model_object({});
    object_struct *pixels = make_pixels_object(1, 1, RGB_PIXEL);
    for (object_struct *object : {model, pixels}) {
        set_object_colour(object, col);
        got = 0;
        EXPECT_FALSE(get_object_colour(object, &got));
        EXPECT_EQ(got, 0u);
    }
    for (object_struct *object : {marker, text, model, pixels})
        delete_object(object);
}

TEST_F(ObjectTest, SurfpropOnlyForShadedKinds) {
    Surfprop spr = {0.1f, 0.2f, 0.3f, 4.0f, 0.5f};
    object_struct *quadmesh = make_quadmesh_object(2, 2);
    object_struct *lines = make_lines_object({});
    set_object_surfprop(quadmesh, &spr);
    set_object_surfprop(lines, &spr);
    ASSERT_NE(get_object_surfprop(quadmesh), nullptr);
    EXPECT_EQ(get_object_surfprop(quadmesh)->se, 4.0f);
    EXPECT_EQ(get_object_surfprop(lines), nullptr);
    delete_object(quadmesh);
    delete_object(lines);
}

TEST_F(ObjectTest, PointsAndNormalsPerKind) {
    object_struct *quadmesh = make_quadmesh_object(2, 3);
    Point *points = nullptr;
    Vector *normals = nullptr;
    EXPECT_EQ(get_object_points(quadmesh, &points), 6);
    EXPECT_EQ(points, get_quadmesh_ptr(quadmesh)->points);
    EXPECT_EQ(get_object_normals(quadmesh, &normals), 6);

    // A mesh built without normals reports none rather than a null array of n_points.
    object_struct *mesh =
        make_polygons_object({{make_point(0, 0, 0), make_point(1, 0, 0), make_point(0, 1, 0)}});
    normals = reinterpret_cast<Vector *>(&normals);
    EXPECT_EQ(get_object_normals(mesh, &normals), 0);
    EXPECT_EQ(normals, nullptr);

    // Kinds without points leave the caller's address alone.
    object_struct *model = make_model_object({});
    Point sentinel;
    points = &sentinel;
    EXPECT_EQ(get_object_points(model, &points), 0);
    EXPECT_EQ(points, &sentinel);

    object_struct *text = make_text_object("x");
    EXPECT_EQ(get_object_points(text, &points), 1);
    EXPECT_EQ(points, &get_text_ptr(text)->origin);
    for (object_struct *object : {quadmesh, mesh, model, text})
        delete_object(object);
}

TEST_F(ObjectTest, NumberOfColoursPerFlag) {
    EXPECT_EQ(get_n_colours(ONE_COLOUR, 5, 3), 1);
    EXPECT_EQ(get_n_colours(PER_ITEM_COLOURS, 5, 3), 3);
    EXPECT_EQ(get_n_colours(PER_VERTEX_COLOURS, 5, 3), 5);
    CapturePrint capture;
    EXPECT_EQ(get_n_colours((Colour_flags)7, 5, 3), 0);
    EXPECT_EQ(capture.err(), "invalid colour flag\n");
}

TEST_F(ObjectTest, TopologyComparison) {
    const int end_a[] = {3, 6};
    const int idx_a[] = {0, 1, 2, 2, 1, 3};
    const int idx_b[] = {0, 1, 2, 2, 3, 1};
    const int end_c[] = {3, 7};
    struct Case {
        const char *what;
        int n_points2, n_items2;
        const int *end2, *idx2;
        BOOLEAN same;
    };
    const Case cases[] = {
        {"identical", 4, 2, end_a, idx_a, TRUE},   {"point count", 5, 2, end_a, idx_a, FALSE},
        {"item count", 4, 1, end_a, idx_a, FALSE}, {"end indices", 4, 2, end_c, idx_a, FALSE},
        {"one index", 4, 2, end_a, idx_b, FALSE},
    };
    for (const Case &c : cases)
        EXPECT_EQ(
            objects_are_same_topology(4, 2, end_a, idx_a, c.n_points2, c.n_items2, c.end2, c.idx2),
            c.same)
            << c.what;
    EXPECT_TRUE(objects_are_same_topology(4, 0, nullptr, nullptr, 4, 0, nullptr, nullptr));

    // Meshes that differ only in coordinates share their topology.
    polygons_struct p1, p2;
    make_indexed_mesh(&p1, {make_point(0, 0, 0), make_point(1, 0, 0), make_point(0, 1, 0)},
                      {{0, 1, 2}});
    make_indexed_mesh(&p2, {make_point(5, 0, 0), make_point(1, 7, 0), make_point(0, 1, 9)},
                      {{0, 1, 2}});
    EXPECT_TRUE(polygons_are_same_topology(&p1, &p2));
    p2.indices[2] = 1;
    EXPECT_FALSE(polygons_are_same_topology(&p1, &p2));
    delete_polygons(&p1);
    delete_polygons(&p2);
}

TEST_F(ObjectTest, BadObjectTypeIsAnInternalErrorNotACrash) {
    object_struct *object = create_object((Object_types)42);
    CapturePrint capture;
    Point *points = nullptr;
    EXPECT_EQ(get_object_points(object, &points), 0);
    EXPECT_EQ(get_object_name(object), nullptr);
    EXPECT_NE(capture.err().find("Internal error:  get_object_points"), std::string::npos);
    delete_object(object);
}

TEST_F(ObjectTest, MarkerAndTextRecordsStartFromTheirDefaults) {
    marker_struct marker;
    initialize_marker(&marker, SPHERE_MARKER, make_Colour(1, 2, 3));
    EXPECT_EQ(marker.type, SPHERE_MARKER);
    EXPECT_EQ(marker.size, 1.0);
    EXPECT_EQ(marker.label, nullptr);
    EXPECT_EQ(marker.structure_id, 0);
    EXPECT_EQ(marker.patient_id, 0);
    delete_marker(&marker);

    text_struct text;
    text.origin = make_point(4, 5, 6);
    initialize_text(&text, nullptr, make_Colour(1, 2, 3), SIZED_FONT, 14.0);
    EXPECT_EQ(text.origin.coords[1], 5.0f); // kept when no position is given
    EXPECT_STREQ(text.string, "");
    EXPECT_EQ(text.font, SIZED_FONT);
    delete_text(&text);
    EXPECT_EQ(text.string, nullptr);
}
