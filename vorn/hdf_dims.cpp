// Dimensions of version 2 files: registry entries whose lengths are kept as
// the "length" attribute of the dataset of the same name.

#include <cstdint>
#include <cstring>

#include "hdf_internal.h"
#include "vr_log.h"

int hdf_dimid(int fd, const char *dimnm) {
    struct m2_dim *dim = m2_find_dim_by_name(m2_find_file(fd), dimnm);
    return dim != nullptr ? dim->id : -1;
}

int hdf_diminq(int fd, int dimid, char *dimnm_ptr, long *len_ptr) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr || dimid < 0 || dimid >= file->ndims) return -1;
    struct m2_dim *dim = file->dims[dimid];
    if (dimnm_ptr != nullptr) strcpy(dimnm_ptr, dim->name);
    if (len_ptr != nullptr) *len_ptr = dim->length;
    return 0;
}

int hdf_dimdef(int fd, const char *dimnm, long length) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr || !file->wr_ok || dimnm == nullptr) return -1;
    // Lengths are stored as unsigned 32-bit values and there is no
    // unlimited (zero-length) dimension in this format.
    if (length <= 0 || static_cast<unsigned long>(length) > UINT32_MAX) return -1;
    if (m2_find_dim_by_name(file, dimnm) != nullptr) return -1;
    struct m2_dim *dim = m2_add_dim(file, dimnm, length);
    if (dim == nullptr) return -1;
    struct m2_var *var = m2_find_var_by_name(file, dimnm);
    if (var != nullptr && m2_put_length(var->dset_id, length) < 0) return -1;
    return dim->id;
}

// Renaming would move datasets and rewrite every "dimorder"; it is not
// offered, and saying so must not look like success.
int hdf_dimrename(int, int, const char *) {
    vrlog_message(VR_MSG_NOTIMPL, "dimrename");
    return -1;
}
