// Models and object lists. Lists grow and shrink one entry at a time.

#include "Objects/models.h"

#include "Objects/object_ops.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"

void initialize_model(model_struct *model) {
    model->filename = create_string(nullptr);
    model->n_objects = 0;
    model->objects = nullptr;
    model->extra_ptr = nullptr;
}

void delete_model(model_struct *model) {
    delete_string(model->filename);
    model->filename = nullptr;
    delete_object_list(model->n_objects, model->objects);
    model->n_objects = 0;
    model->objects = nullptr;
    if (model->extra_ptr != nullptr) FREE(model->extra_ptr);
}

void assign_model_extra_ptr(model_struct *model, void *ptr) {
    model->extra_ptr = ptr;
}

void *get_model_extra_ptr(model_struct *model) {
    return model->extra_ptr;
}

void add_object_to_list(int *n_objects, object_struct ***object_list, object_struct *new_object) {
    ADD_ELEMENT_TO_ARRAY(*object_list, *n_objects, new_object, 1);
}

void remove_object_from_list(int *n_objects, object_struct ***object_list, int obj_index) {
    if (obj_index < 0 || obj_index >= *n_objects) {
        handle_internal_error("remove_object_from_list");
        return;
    }
    object_struct **list = *object_list;
    for (int i = obj_index; i < *n_objects - 1; ++i)
        list[i] = list[i + 1];
    SET_ARRAY_SIZE(*object_list, *n_objects, *n_objects - 1, 1);
    --(*n_objects);
}

void delete_object_list(int n_objects, object_struct *object_list[]) {
    for (int i = 0; i < n_objects; ++i)
        delete_object(object_list[i]);
    if (n_objects > 0 && object_list != nullptr) FREE(object_list);
}

int find_object_index_in_model(model_struct *model, object_struct *object) {
    for (int i = 0; i < model->n_objects; ++i) {
        if (model->objects[i] == object) return i;
    }
    return -1;
}

void add_object_to_model(model_struct *model, object_struct *new_object) {
    add_object_to_list(&model->n_objects, &model->objects, new_object);
}

void insert_object_in_model(model_struct *model, object_struct *new_object, int obj_index) {
    if (obj_index < 0 || obj_index > model->n_objects) {
        handle_internal_error("insert_object_in_model");
        return;
    }
    SET_ARRAY_SIZE(model->objects, model->n_objects, model->n_objects + 1, 1);
    if (model->objects == nullptr) {
        model->n_objects = 0;
        return;
    }
    for (int i = model->n_objects - 1; i >= obj_index; --i)
        model->objects[i + 1] = model->objects[i];
    model->objects[obj_index] = new_object;
    ++model->n_objects;
}

void remove_ith_object_from_model(model_struct *model, int obj_index) {
    remove_object_from_list(&model->n_objects, &model->objects, obj_index);
}

void remove_object_from_model(model_struct *model, object_struct *object) {
    int obj_index = find_object_index_in_model(model, object);
    // An object that is not in the model leaves the list as it is.
    if (obj_index >= 0) remove_ith_object_from_model(model, obj_index);
}
