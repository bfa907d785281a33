#ifndef ZAVPL_TRAVERSE_H
#define ZAVPL_TRAVERSE_H

// Depth-first walk of an object list that descends into models: each object is
// returned before the objects of its model.

#include "Objects/objects.h"

// Starts a walk over the list. With visible_ones_only, invisible objects are
// skipped, an invisible model together with everything below it.
void initialize_object_traverse(object_traverse_struct *object_traverse, BOOLEAN visible_ones_only,
                                int n_objects, object_struct *object_list[]);

// TRUE and the next object in *object; FALSE (and the walk terminated) at the end.
BOOLEAN get_next_object_traverse(object_traverse_struct *object_traverse, object_struct **object);

// Frees the heap stack of a deep walk; safe to call more than once.
void terminate_object_traverse(object_traverse_struct *object_traverse);

#endif
