#ifndef VORN_VR_VAR_DIMS_H
#define VORN_VR_VAR_DIMS_H

// The dimension ids of a variable, for the library's own use.

#include <vector>

// Fills dims with the variable's dimension ids, asking for their number
// first so that no fixed table can overflow; false when it cannot be inquired.
bool VR_var_dimensions(int cdfid, int varid, std::vector<int> *dims);

#endif
