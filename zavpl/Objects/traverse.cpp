// Depth-first walk of object lists. The stack of lists being walked lives in
// the record for the usual shallow trees and moves to the heap for deep ones.

#include "Objects/traverse.h"

#include <cstring>

#include "Prog_utils/alloc.h"

namespace {

constexpr int HEAP_STACK_CHUNK = 100;

// First position at or after index holding an object the walk returns; n_objects
// when there is none.
int next_position(const object_traverse_struct *object_traverse, int n_objects,
                  object_struct *object_list[], int index) {
    if (object_traverse->visible_ones_only) {
        while (index < n_objects && !object_list[index]->visibility)
            ++index;
    }
    return index;
}

int chunked_room(int n_entries) {
    return (n_entries + HEAP_STACK_CHUNK - 1) / HEAP_STACK_CHUNK * HEAP_STACK_CHUNK;
}

void push_entry(object_traverse_struct *object_traverse, const object_stack_struct &entry) {
    int top = object_traverse->top_of_stack;
    if (top + 1 >= object_traverse->n_stack_alloced) {
        if (object_traverse->alloced_stack == nullptr) {
            // Moving to the heap: the entries on the inner stack come along.
            SET_ARRAY_SIZE(object_traverse->alloced_stack, 0, top + 1, HEAP_STACK_CHUNK);
            if (object_traverse->alloced_stack != nullptr && top > 0)
                memcpy(object_traverse->alloced_stack, object_traverse->static_stack,
                       (size_t)top * sizeof(object_stack_struct));
        } else {
            SET_ARRAY_SIZE(object_traverse->alloced_stack, top, top + 1, HEAP_STACK_CHUNK);
        }
        if (object_traverse->alloced_stack == nullptr) {
            // The allocation layer has reported the failure; the walk ends here.
            object_traverse->stack = object_traverse->static_stack;
            object_traverse->n_stack_alloced = MAX_OBJECT_TRAVERSE;
            object_traverse->top_of_stack = 0;
            return;
        }
        object_traverse->stack = object_traverse->alloced_stack;
        object_traverse->n_stack_alloced = chunked_room(top + 1);
    }
    object_traverse->stack[top] = entry;
    object_traverse->top_of_stack = top + 1;
}

// Pushes the walk of a list, unless it has nothing to return.
void push_list(object_traverse_struct *object_traverse, int n_objects,
               object_struct *object_list[]) {
    if (n_objects < 1) return;
    int first = next_position(object_traverse, n_objects, object_list, 0);
    if (first >= n_objects) return;
    object_stack_struct entry;
    entry.index = first;
    entry.n_objects = n_objects;
    entry.object_list = object_list;
    push_entry(object_traverse, entry);
}

} // namespace

void initialize_object_traverse(object_traverse_struct *object_traverse, BOOLEAN visible_ones_only,
                                int n_objects, object_struct *object_list[]) {
    object_traverse->visible_ones_only = visible_ones_only;
    object_traverse->n_stack_alloced = MAX_OBJECT_TRAVERSE;
    object_traverse->top_of_stack = 0;
    object_traverse->stack = object_traverse->static_stack;
    object_traverse->alloced_stack = nullptr;
    push_list(object_traverse, n_objects, object_list);
}

BOOLEAN get_next_object_traverse(object_traverse_struct *object_traverse, object_struct **object) {
    if (object_traverse->top_of_stack <= 0) {
        terminate_object_traverse(object_traverse);
        return FALSE;
    }

    object_stack_struct *top = &object_traverse->stack[object_traverse->top_of_stack - 1];
    object_struct *current = top->object_list[top->index];
    top->index = next_position(object_traverse, top->n_objects, top->object_list, top->index + 1);

    // Pushing may move the stack to the heap: top is not used after this.
    if (current->object_type == MODEL) {
        model_struct *model = &current->specific.model;
        push_list(object_traverse, model->n_objects, model->objects);
    }

    while (object_traverse->top_of_stack > 0) {
        const object_stack_struct &entry =
            object_traverse->stack[object_traverse->top_of_stack - 1];
        if (entry.index < entry.n_objects) break;
        --object_traverse->top_of_stack;
    }

    *object = current;
    return TRUE;
}

void terminate_object_traverse(object_traverse_struct *object_traverse) {
    if (object_traverse->alloced_stack != nullptr) FREE(object_traverse->alloced_stack);
    object_traverse->alloced_stack = nullptr;
    object_traverse->stack = object_traverse->static_stack;
    object_traverse->n_stack_alloced = MAX_OBJECT_TRAVERSE;
    object_traverse->top_of_stack = 0;
}
