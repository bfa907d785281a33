// Depth-first traversal of object lists and the operations built on it.

#include <gtest/gtest.h>

#include <vector>

#include "object_builders.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

std::vector<object_struct *> walk(int n_objects, object_struct **list, BOOLEAN visible_only) {
    std::vector<object_struct *> order;
    object_traverse_struct traverse;
    initialize_object_traverse(&traverse, visible_only, n_objects, list);
    object_struct *object;
    while (get_next_object_traverse(&traverse, &object))
        order.push_back(object);
    return order;
}

object_struct *triangle_mesh(float offset) {
    return make_polygons_object(
        {{make_point(offset, 0, 0), make_point(offset + 1, 0, 0), make_point(offset, 1, 0)}});
}

// model_k holds [model_(k+1), leaf_k]; the innermost model holds leaf_depth
// only. The walk order is model_0, model_1, ..., leaf_depth, leaf_(depth-1), ...
// leaf_0: unwinding needs every level's entry, including those pushed before
// the walk moved to the heap.
struct DeepModel {
    object_struct *root = nullptr;
    std::vector<object_struct *> expected;

    explicit DeepModel(int depth) {
        std::vector<object_struct *> models, leaves;
        for (int k = 0; k <= depth; ++k) {
            models.push_back(make_model_object({}));
            leaves.push_back(make_lines_object({make_point((float)k, 0, 0)}));
        }
        for (int k = 0; k < depth; ++k) {
            add_object_to_model(get_model_ptr(models[k]), models[k + 1]);
            add_object_to_model(get_model_ptr(models[k]), leaves[k]);
        }
        add_object_to_model(get_model_ptr(models[depth]), leaves[depth]);
        root = models[0];
        expected = models;
        for (int k = depth; k >= 0; --k)
            expected.push_back(leaves[k]);
    }
    ~DeepModel() { delete_object(root); }
};

} // namespace

TEST(Traverse, DepthFirstWithAndWithoutInvisibleModels) {
    object_struct *mesh = triangle_mesh(0);
    object_struct *line = make_lines_object({make_point(0, 0, 0), make_point(1, 1, 1)});
    object_struct *inner = make_model_object({line});
    object_struct *outer = make_model_object({mesh, inner});

    EXPECT_EQ(walk(1, &outer, FALSE), (std::vector<object_struct *>{outer, mesh, inner, line}));
    EXPECT_EQ(walk(1, &outer, TRUE), (std::vector<object_struct *>{outer, mesh, inner, line}));

    // An invisible model is skipped together with its subtree.
    set_object_visibility(inner, FALSE);
    EXPECT_EQ(walk(1, &outer, TRUE), (std::vector<object_struct *>{outer, mesh}));
    EXPECT_EQ(walk(1, &outer, FALSE), (std::vector<object_struct *>{outer, mesh, inner, line}));

    // Invisible objects at the start and the end of a list.
    set_object_visibility(inner, TRUE);
    set_object_visibility(mesh, FALSE);
    set_object_visibility(line, FALSE);
    EXPECT_EQ(walk(1, &outer, TRUE), (std::vector<object_struct *>{outer, inner}));

    // Nothing visible: nothing returned.
    set_object_visibility(outer, FALSE);
    EXPECT_TRUE(walk(1, &outer, TRUE).empty());
    EXPECT_TRUE(walk(0, nullptr, FALSE).empty());
    delete_object(outer);
}

TEST(Traverse, TrailingInvisibleObjectsEndTheListWithoutReadingPastIt) {
    // A list whose last entries are invisible: the skip must stop at its end
    // (the list is exactly as long as its entries, so the sanitizer sees overruns).
    object_struct *visible = triangle_mesh(0);
    object_struct *hidden1 = triangle_mesh(1);
    object_struct *hidden2 = triangle_mesh(2);
    set_object_visibility(hidden1, FALSE);
    set_object_visibility(hidden2, FALSE);
    object_struct *model = make_model_object({visible, hidden1, hidden2});
    EXPECT_EQ(walk(1, &model, TRUE), (std::vector<object_struct *>{model, visible}));
    delete_object(model);
}

TEST(Traverse, DeepModelsOverflowTheInnerStackInOrder) {
    for (int depth : {50, 98, 99, 100, 101, 250}) {
        SCOPED_TRACE(depth);
        DeepModel deep(depth);
        EXPECT_EQ(walk(1, &deep.root, FALSE), deep.expected);
        EXPECT_EQ(walk(1, &deep.root, TRUE), deep.expected);
    }
}

TEST(Traverse, StoppingEarlyAndTerminatingTwiceIsSafe) {
    DeepModel deep(300);
    object_traverse_struct traverse;
    initialize_object_traverse(&traverse, FALSE, 1, &deep.root);
    object_struct *object = nullptr;
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(get_next_object_traverse(&traverse, &object));
    EXPECT_EQ(object, deep.expected[199]);
    terminate_object_traverse(&traverse);
    terminate_object_traverse(&traverse);

    // A walk that ran to its end has terminated itself; terminating again is harmless.
    initialize_object_traverse(&traverse, FALSE, 1, &deep.root);
    while (get_next_object_traverse(&traverse, &object)) {
    }
    terminate_object_traverse(&traverse);
}

TEST(Traverse, RangeCoversEverythingBelowTheObject) {
    object_struct *mesh = triangle_mesh(0);
    object_struct *far_line = make_lines_object({make_point(-5, 2, 3), make_point(1, 9, -4)});
    object_struct *inner = make_model_object({far_line});
    object_struct *outer = make_model_object({mesh, inner});

    Point min_corner, max_corner;
    ASSERT_TRUE(get_range_of_object(outer, FALSE, &min_corner, &max_corner));
    EXPECT_EQ(min_corner.coords[0], -5);
    EXPECT_EQ(min_corner.coords[1], 0);
    EXPECT_EQ(min_corner.coords[2], -4);
    EXPECT_EQ(max_corner.coords[0], 1);
    EXPECT_EQ(max_corner.coords[1], 9);
    EXPECT_EQ(max_corner.coords[2], 3);

    set_object_visibility(inner, FALSE);
    ASSERT_TRUE(get_range_of_object(outer, TRUE, &min_corner, &max_corner));
    EXPECT_EQ(min_corner.coords[0], 0);
    EXPECT_EQ(max_corner.coords[1], 1);
    EXPECT_EQ(max_corner.coords[2], 0);
    delete_object(outer);
}

TEST(Traverse, RangeOfModelsAndPixelsOnlyIsFalseAndLeavesCorners) {
    object_struct *outer = make_model_object(
        {make_model_object({make_pixels_object(2, 2, RGB_PIXEL)}), make_model_object({})});
    Point min_corner = make_point(7, 7, 7), max_corner = make_point(8, 8, 8);
    EXPECT_FALSE(get_range_of_object(outer, FALSE, &min_corner, &max_corner));
    EXPECT_EQ(min_corner.coords[0], 7);
    EXPECT_EQ(max_corner.coords[2], 8);
    delete_object(outer);
}

TEST(Traverse, ReverseNormalsReachesInvisibleObjectsAndSkipsMissingArrays) {
    object_struct *with_normals = triangle_mesh(0);
    compute_polygon_normals(get_polygons_ptr(with_normals));
    object_struct *without_normals = triangle_mesh(1);
    object_struct *quadmesh = make_quadmesh_object(2, 2);
    compute_quadmesh_normals(get_quadmesh_ptr(quadmesh));
    object_struct *inner = make_model_object({with_normals, quadmesh});
    set_object_visibility(inner, FALSE);
    object_struct *outer = make_model_object({inner, without_normals});

    reverse_object_normals(outer);
    const polygons_struct *polygons = get_polygons_ptr(with_normals);
    for (int i = 0; i < polygons->n_points; ++i)
        EXPECT_EQ(polygons->normals[i].coords[2], -1.0f);
    EXPECT_EQ(get_quadmesh_ptr(quadmesh)->normals[0].coords[2], -1.0f);
    EXPECT_EQ(get_polygons_ptr(without_normals)->normals, nullptr);
    delete_object(outer);
}
