// Models and object lists.

#include <gtest/gtest.h>

#include <vector>

#include "object_builders.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

std::vector<object_struct *> list_of(const model_struct *model) {
    return std::vector<object_struct *>(model->objects, model->objects + model->n_objects);
}

} // namespace

TEST(Models, InitializedModelIsEmptyWithAnEmptyName) {
    model_struct model;
    initialize_model(&model);
    EXPECT_STREQ(model.filename, "");
    EXPECT_EQ(model.n_objects, 0);
    EXPECT_EQ(get_model_extra_ptr(&model), nullptr);
    delete_model(&model);
}

TEST(Models, InsertAndRemoveKeepOrder) {
    object_struct *a = make_text_object("a");
    object_struct *b = make_text_object("b");
    object_struct *c = make_text_object("c");
    object_struct *fresh = make_text_object("new");
    object_struct *object = make_model_object({a, b});
    model_struct *model = get_model_ptr(object);

    insert_object_in_model(model, fresh, 0);
    EXPECT_EQ(list_of(model), (std::vector<object_struct *>{fresh, a, b}));
    remove_ith_object_from_model(model, 0);
    EXPECT_EQ(list_of(model), (std::vector<object_struct *>{a, b}));

    insert_object_in_model(model, fresh, 2); // at the end
    insert_object_in_model(model, c, 1);
    EXPECT_EQ(list_of(model), (std::vector<object_struct *>{a, c, b, fresh}));
    EXPECT_EQ(find_object_index_in_model(model, b), 2);

    remove_object_from_model(model, c);
    EXPECT_EQ(list_of(model), (std::vector<object_struct *>{a, b, fresh}));
    EXPECT_EQ(find_object_index_in_model(model, c), -1);
    delete_object(c); // removed objects belong to the caller
    delete_object(object);
}

TEST(Models, RemovingWhatIsNotThereLeavesTheListIntact) {
    ScopedEnv no_abort("ABORT_FLAG", nullptr);
    object_struct *a = make_text_object("a");
    object_struct *b = make_text_object("b");
    object_struct *stranger = make_text_object("s");
    object_struct *object = make_model_object({a, b});
    model_struct *model = get_model_ptr(object);

    CapturePrint capture;
    remove_object_from_model(model, stranger);
    EXPECT_EQ(capture.err(), "");
    EXPECT_EQ(list_of(model), (std::vector<object_struct *>{a, b}));

    // A bad position is a caller's mistake: reported, and nothing moves.
    for (int bad : {-1, 2, 50}) {
        capture.clear();
        remove_ith_object_from_model(model, bad);
        EXPECT_NE(capture.err().find("Internal error:  remove_object_from_list"),
                  std::string::npos);
        EXPECT_EQ(list_of(model), (std::vector<object_struct *>{a, b}));
    }
    capture.clear();
    insert_object_in_model(model, stranger, 3);
    EXPECT_NE(capture.err().find("insert_object_in_model"), std::string::npos);
    EXPECT_EQ(list_of(model), (std::vector<object_struct *>{a, b}));

    delete_object(stranger);
    delete_object(object);
}

TEST(Models, RemovingTheLastObjectFreesTheList) {
    ScopedAllocChecking checking;
    size_t start = get_total_memory_alloced();
    int n_objects = 0;
    object_struct **list = nullptr;
    object_struct *a = make_text_object("a");
    add_object_to_list(&n_objects, &list, a);
    remove_object_from_list(&n_objects, &list, 0);
    EXPECT_EQ(n_objects, 0);
    EXPECT_EQ(list, nullptr);
    delete_object(a);
    EXPECT_EQ(get_total_memory_alloced(), start);
}

TEST(Models, DeleteModelFreesExtraBlockAndSubModels) {
    ScopedAllocChecking checking;
    size_t start = get_total_memory_alloced();
    object_struct *object =
        make_model_object({make_model_object({make_text_object("deep")}), make_text_object("t")});
    void *extra = nullptr;
    extra = alloc_memory_in_bytes(64, __FILE__, __LINE__);
    assign_model_extra_ptr(get_model_ptr(object), extra);
    EXPECT_EQ(get_model_extra_ptr(get_model_ptr(object)), extra);
    EXPECT_GT(get_total_memory_alloced(), start);
    delete_object(object);
    EXPECT_EQ(get_total_memory_alloced(), start);
}
