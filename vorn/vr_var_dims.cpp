#include "vr_var_dims.h"

#include "vr_dispatch.h"

bool VR_var_dimensions(int cdfid, int varid, std::vector<int> *dims) {
    int ndims;
    if (VR2varinq(cdfid, varid, nullptr, nullptr, &ndims, nullptr, nullptr) < 0 || ndims < 0)
        return false;
    dims->assign(static_cast<size_t>(ndims) + 1, -1); // never an empty vector
    if (VR2varinq(cdfid, varid, nullptr, nullptr, nullptr, dims->data(), nullptr) < 0) return false;
    dims->resize(static_cast<size_t>(ndims));
    return true;
}
