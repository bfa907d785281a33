// Deleting an object frees everything it owns: with allocation checking on,
// building and deleting objects of every kind returns the total to its start
// and raises no checker finding.

#include <gtest/gtest.h>

#include "object_builders.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

class CheckedMemory : public ::testing::Test {
  protected:
    void SetUp() override { start_ = get_total_memory_alloced(); }
    void expect_all_freed() { EXPECT_EQ(get_total_memory_alloced(), start_); }

    ScopedEnv no_abort{"ABORT_FLAG", nullptr};
    ScopedAllocChecking checking;
    size_t start_ = 0;
};

// A mesh that uses every optional array.
object_struct *full_polygons() {
    object_struct *object = make_polygons_object(
        {{make_point(0, 0, 0), make_point(1, 0, 0), make_point(0, 1, 0)},
         {make_point(0, 0, 1), make_point(1, 0, 1), make_point(1, 1, 1), make_point(0, 1, 1)}});
    polygons_struct *polygons = get_polygons_ptr(object);
    compute_polygon_normals(polygons);
    set_polygon_per_item_colours(polygons);
    create_polygons_visibilities(polygons);
    ALLOC(polygons->neighbours, 7);
    return object;
}

object_struct *per_vertex_lines() {
    object_struct *object =
        make_lines_object({make_point(0, 0, 0), make_point(1, 0, 0), make_point(1, 1, 0)});
    lines_struct *lines = get_lines_ptr(object);
    FREE(lines->colours);
    ALLOC(lines->colours, 3);
    lines->colour_flag = PER_VERTEX_COLOURS;
    return object;
}

object_struct *labelled_marker() {
    object_struct *object = make_marker_object(make_point(1, 2, 3));
    get_marker_ptr(object)->label = create_string("label");
    return object;
}

} // namespace

TEST_F(CheckedMemory, EveryKindFreesWhatItOwns) {
    CapturePrint capture;
    object_struct *(*const builders[])() = {
        full_polygons,
        per_vertex_lines,
        labelled_marker,
        [] { return make_text_object("some text"); },
        [] { return make_pixels_object(13, 7, COLOUR_INDEX_8BIT_PIXEL); },
        [] { return make_pixels_object(3, 5, COLOUR_INDEX_16BIT_PIXEL); },
        [] { return make_pixels_object(9, 9, RGB_PIXEL); },
        [] {
            object_struct *object = make_quadmesh_object(3, 4);
            set_object_colour(object, make_Colour(1, 2, 3));
            return object;
        },
        [] { return make_model_object({}); },
    };
    for (auto build : builders) {
        object_struct *object = build();
        EXPECT_GT(get_total_memory_alloced(), start_);
        STRING name = get_object_name(object);
        delete_string(name);
        delete_object(object);
        expect_all_freed();
    }
    EXPECT_EQ(capture.err(), "");
}

TEST_F(CheckedMemory, ModelTreeIsFreedWithItsRoot) {
    CapturePrint capture;
    object_struct *root = make_model_object(
        {full_polygons(), make_model_object({per_vertex_lines(), labelled_marker()}),
         make_model_object({make_model_object({make_text_object("deep")})})});
    object_traverse_struct traverse;
    initialize_object_traverse(&traverse, FALSE, 1, &root);
    object_struct *object;
    int n = 0;
    while (get_next_object_traverse(&traverse, &object))
        ++n;
    EXPECT_EQ(n, 8);
    delete_object(root);
    expect_all_freed();
    EXPECT_EQ(capture.err(), "");
}

TEST_F(CheckedMemory, ConversionsAndCopiesAreFreedByTheirDeletes) {
    CapturePrint capture;
    pixels_struct rgb, out;
    initialize_pixels(&rgb, 0, 0, 5, 3, 1.0, 1.0, RGB_PIXEL);
    for (int i = 0; i < 15; ++i)
        rgb.data.pixels_rgb[i] = make_Colour(i * 10, 255 - i * 10, 7);
    Colour table[] = {make_Colour(0, 0, 0), make_Colour(255, 255, 255)};
    ASSERT_EQ(convert_pixels24_to_dithered(&rgb, &out, 2, table), OK);
    delete_pixels(&out);
    ASSERT_EQ(convert_pixels24_to_dithered(&rgb, &out, 0, table), ERROR);
    delete_pixels(&out);
    copy_pixel_region(&rgb, 1, 2, 0, 1, &out);
    delete_pixels(&out);
    delete_pixels(&rgb);

    lines_struct lines;
    initialize_lines_with_size(&lines, 0, 6, TRUE);
    delete_lines(&lines);

    polygons_struct polygons;
    initialize_polygons_with_size(&polygons, 0, nullptr, 4, 2, 3);
    delete_polygons(&polygons);
    expect_all_freed();
    EXPECT_EQ(capture.err().find("Tried to free"), std::string::npos) << capture.err();
}
