// The adaptor's list of open files and, per file, its numbered variables and
// dimensions.

#include <cstdlib>
#include <cstring>
#include <vector>

#include "hdf_internal.h"
#include "vr_dispatch_table.h"
#include "vr_log.h"

// Open files, newest first.
static struct m2_file *_m2_list = nullptr;

// Out of memory ends the process with its message (a fatal code).
static void *m2_calloc(size_t size) {
    void *memory = calloc(1, size);
    if (memory == nullptr) vrlog_message(VR_MSG_OUTOFMEM, static_cast<int>(size));
    return memory;
}

static char *m2_strdup(const char *text) {
    size_t size = strlen(text) + 1;
    char *copy = static_cast<char *>(m2_calloc(size));
    memcpy(copy, text, size);
    return copy;
}

int m2_name_ok(const char *name) {
    // A "/" would make the name a path of groups.
    return name != nullptr && name[0] != '\0' && strlen(name) <= VR2_MAX_NAME &&
           strchr(name, '/') == nullptr;
}

struct m2_file *m2_find_file(int fd) {
    for (struct m2_file *file = _m2_list; file != nullptr; file = file->link)
        if (file->fd == fd) return file;
    return nullptr;
}

int hdf_is_open(int fd) {
    return m2_find_file(fd) != nullptr;
}

struct m2_var *m2_find_var(struct m2_file *file, int varid) {
    if (file == nullptr || varid < 0 || varid >= file->nvars) return nullptr;
    return file->vars[varid];
}

struct m2_var *m2_find_var_by_name(struct m2_file *file, const char *name) {
    if (file == nullptr || name == nullptr) return nullptr;
    for (int i = 0; i < file->nvars; i++)
        if (strcmp(file->vars[i]->name, name) == 0) return file->vars[i];
    return nullptr;
}

struct m2_dim *m2_find_dim_by_name(struct m2_file *file, const char *name) {
    if (file == nullptr || name == nullptr) return nullptr;
    for (int i = 0; i < file->ndims; i++)
        if (strcmp(file->dims[i]->name, name) == 0) return file->dims[i];
    return nullptr;
}

struct m2_file *m2_new_file(hid_t file_id, int wr_ok) {
    hid_t grp_id;
    {
        hdf_quiet quiet;
        grp_id = H5Gopen2(file_id, VR2_GROUP, H5P_DEFAULT);
    }
    if (grp_id < 0) return nullptr;

    int fd = VR_register_own_file(&VR_hdf_dispatch);
    if (fd < 0) {
        H5Gclose(grp_id);
        return nullptr;
    }
    auto *file = static_cast<struct m2_file *>(m2_calloc(sizeof(struct m2_file)));
    file->fd = fd;
    file->file_id = file_id;
    file->wr_ok = wr_ok;
    file->resolution = 0;
    file->grp_id = grp_id;
    file->comp_type = -1;
    file->comp_param = 0;
    file->chunk_type = -1;
    file->chunk_param = 0;
    file->link = _m2_list;
    _m2_list = file;
    return file;
}

static void free_var(struct m2_var *var) {
    if (var->dset_id >= 0) H5Dclose(var->dset_id);
    if (var->ftyp_id >= 0) H5Tclose(var->ftyp_id);
    if (var->mtyp_id >= 0) H5Tclose(var->mtyp_id);
    if (var->fspc_id >= 0) H5Sclose(var->fspc_id);
    free(var->dims);
    free(var->name);
    free(var->path);
    free(var);
}

hid_t m2_free_file(struct m2_file *file) {
    for (struct m2_file **link = &_m2_list; *link != nullptr; link = &(*link)->link) {
        if (*link == file) {
            *link = file->link;
            break;
        }
    }
    for (int i = 0; i < file->nvars; i++)
        free_var(file->vars[i]);
    for (int i = 0; i < file->ndims; i++) {
        free(file->dims[i]->name);
        free(file->dims[i]);
    }
    if (file->grp_id >= 0) H5Gclose(file->grp_id);
    VR_unregister_file(file->fd);
    hid_t file_id = file->file_id;
    free(file);
    return file_id;
}

struct m2_var *m2_add_var(struct m2_file *file, const char *name, const char *path, int ndims,
                          const hsize_t *sizes) {
    if (file->nvars >= VR2_MAX_VARS || !m2_name_ok(name) || ndims < 0 || ndims > VR2_MAX_VAR_DIMS) {
        vrlog_message(VR_MSG_OPENDSET, path);
        return nullptr;
    }
    auto *var = static_cast<struct m2_var *>(m2_calloc(sizeof(struct m2_var)));
    var->dset_id = var->ftyp_id = var->mtyp_id = var->fspc_id = H5I_INVALID_HID;
    var->name = m2_strdup(name);
    var->path = m2_strdup(path);
    var->ndims = ndims;
    if (ndims > 0) {
        var->dims = static_cast<hsize_t *>(m2_calloc(sizeof(hsize_t) * static_cast<size_t>(ndims)));
        memcpy(var->dims, sizes, sizeof(hsize_t) * static_cast<size_t>(ndims));
    }
    {
        hdf_quiet quiet;
        var->dset_id = H5Dopen2(file->file_id, path, H5P_DEFAULT);
        if (var->dset_id >= 0) {
            var->ftyp_id = H5Dget_type(var->dset_id);
            var->fspc_id = H5Dget_space(var->dset_id);
        }
        if (var->ftyp_id >= 0) {
            var->is_cmpd = H5Tget_class(var->ftyp_id) == H5T_COMPOUND;
            var->mtyp_id = m2_memory_type(var->ftyp_id);
        }
    }
    nc_type type;
    // A dataset whose type has no netCDF counterpart, or whose shape is not
    // the one declared (the vector dimension is not HDF5's), cannot be used.
    bool usable = var->mtyp_id >= 0 && var->fspc_id >= 0 && m2_var_nc_type(var, &type) >= 0;
    if (usable && type != NC_CHAR) {
        int rank = H5Sget_simple_extent_ndims(var->fspc_id);
        std::vector<hsize_t> extent(static_cast<size_t>(rank > 0 ? rank : 0));
        usable =
            rank == ndims - (var->is_cmpd ? 1 : 0) &&
            (rank == 0 || H5Sget_simple_extent_dims(var->fspc_id, extent.data(), nullptr) >= 0);
        for (int i = 0; usable && i < rank; i++)
            usable = extent[static_cast<size_t>(i)] == sizes[i];
    }
    if (!usable) {
        vrlog_message(VR_MSG_OPENDSET, path);
        free_var(var);
        return nullptr;
    }
    var->id = file->nvars;
    file->vars[file->nvars++] = var;
    return var;
}

struct m2_dim *m2_add_dim(struct m2_file *file, const char *name, long length) {
    if (file->ndims >= VR2_MAX_DIMS) {
        vrlog_message(VR_MSG_TOOMANYDIMS, VR2_MAX_DIMS);
        return nullptr;
    }
    // Dimension names are joined by commas in "dimorder".
    if (!m2_name_ok(name) || strchr(name, ',') != nullptr) {
        vrlog_message(VR_MSG_DIMDEF, name != nullptr ? name : "");
        return nullptr;
    }
    auto *dim = static_cast<struct m2_dim *>(m2_calloc(sizeof(struct m2_dim)));
    dim->name = m2_strdup(name);
    dim->length = length;
    dim->id = file->ndims;
    file->dims[file->ndims++] = dim;
    return dim;
}

int hdf_var_declare(int fd, const char *varnm, const char *varpath, int ndims,
                    const hsize_t *sizes) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr || varnm == nullptr || varpath == nullptr) return -1;
    if (ndims > 0 && sizes == nullptr) return -1;
    return m2_add_var(file, varnm, varpath, ndims, sizes) != nullptr ? 0 : -1;
}
