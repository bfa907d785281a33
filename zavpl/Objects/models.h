#ifndef ZAVPL_MODELS_H
#define ZAVPL_MODELS_H

// Models (objects holding a list of objects) and object lists.

#include "Objects/objects.h"

// An empty model: an empty filename, no objects, no extra block.
void initialize_model(model_struct *model);

// Frees the filename, every object of the list (recursively) and the list, and
// the extra block.
void delete_model(model_struct *model);

void assign_model_extra_ptr(model_struct *model, void *ptr);
void *get_model_extra_ptr(model_struct *model);

// Appends new_object to the list, growing it by one.
void add_object_to_list(int *n_objects, object_struct ***object_list, object_struct *new_object);

// Takes entry obj_index out of the list without deleting the object (the
// caller then owns it). An index outside the list is reported and ignored.
void remove_object_from_list(int *n_objects, object_struct ***object_list, int obj_index);

// Deletes every object of the list, then the list.
void delete_object_list(int n_objects, object_struct *object_list[]);

// Position of object in the model's list, or -1.
int find_object_index_in_model(model_struct *model, object_struct *object);

void add_object_to_model(model_struct *model, object_struct *new_object);

// Stores new_object at obj_index (0 to n_objects), moving later entries up.
void insert_object_in_model(model_struct *model, object_struct *new_object, int obj_index);

void remove_ith_object_from_model(model_struct *model, int obj_index);

// Takes object out of the model's list; nothing happens when it is not there.
void remove_object_from_model(model_struct *model, object_struct *object);

#endif
