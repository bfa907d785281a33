// The process-wide hook that deletes spatial indices owned by records.

#include "Objects/bintree.h"

namespace {
bintree_delete_function_type bintree_delete_function = nullptr;
}

void set_bintree_delete_function(bintree_delete_function_type func) {
    bintree_delete_function = func;
}

void delete_bintree_if_any(bintree_struct **bintree) {
    if (bintree_delete_function != nullptr) bintree_delete_function(bintree);
}
