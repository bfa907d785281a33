#ifndef ZAVPL_BINTREE_H
#define ZAVPL_BINTREE_H

// The hook through which records delete their optional spatial index.

#include "Objects/objects.h"

typedef void (*bintree_delete_function_type)(bintree_struct **bintree);

// Installs the function that deletes spatial indices (initially none).
void set_bintree_delete_function(bintree_delete_function_type func);

// Calls the installed function with the address of a record's bintree field.
void delete_bintree_if_any(bintree_struct **bintree);

#endif
