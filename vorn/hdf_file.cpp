// Opening, creating, flushing and closing version 2 files.

#include <string>
#include <vector>

#include "hdf_internal.h"
#include "vr_dispatch_table.h"
#include "vr_log.h"

// TRUE when every component of an absolute path exists (H5Lexists fails on
// a missing intermediate group instead of answering false).
static bool path_exists(hid_t file_id, const std::string &path) {
    hdf_quiet quiet;
    size_t slash = 0;
    while ((slash = path.find('/', slash + 1)) != std::string::npos)
        if (H5Lexists(file_id, path.substr(0, slash).c_str(), H5P_DEFAULT) <= 0) return false;
    return H5Lexists(file_id, path.c_str(), H5P_DEFAULT) > 0;
}

// The current extent of a dataset; false when it cannot be read.
static bool dataset_extent(hid_t file_id, const std::string &path, std::vector<hsize_t> *sizes,
                           int *nmembers) {
    hdf_quiet quiet;
    hid_t dset_id = H5Dopen2(file_id, path.c_str(), H5P_DEFAULT);
    if (dset_id < 0) return false;
    hid_t space_id = H5Dget_space(dset_id);
    hid_t type_id = H5Dget_type(dset_id);
    int rank = space_id >= 0 ? H5Sget_simple_extent_ndims(space_id) : -1;
    bool ok = rank >= 0 && type_id >= 0;
    if (ok) {
        sizes->assign(static_cast<size_t>(rank), 0);
        if (rank > 0) ok = H5Sget_simple_extent_dims(space_id, sizes->data(), nullptr) >= 0;
        *nmembers = H5Tget_class(type_id) == H5T_COMPOUND ? H5Tget_nmembers(type_id) : 0;
        if (*nmembers < 0) ok = false;
    }
    if (type_id >= 0) H5Tclose(type_id);
    if (space_id >= 0) H5Sclose(space_id);
    H5Dclose(dset_id);
    return ok;
}

// Registers one image dataset when it is present; a compound "image" gets
// the emulated vector dimension as its last dimension.
static bool register_image_dataset(struct m2_file *file, const char *name) {
    std::string path = std::string(VR2_GROUP) + "/image/0/" + name;
    if (!path_exists(file->file_id, path)) return true;
    std::vector<hsize_t> sizes;
    int nmembers = 0;
    if (!dataset_extent(file->file_id, path, &sizes, &nmembers)) {
        vrlog_message(VR_MSG_OPENDSET, path.c_str());
        return false;
    }
    if (nmembers > 0) {
        struct m2_dim *dim = m2_add_dim(file, VR2_VECTOR_DIMENSION, nmembers);
        if (dim == nullptr) return false;
        dim->is_fake = 1;
        sizes.push_back(static_cast<hsize_t>(nmembers));
    }
    return m2_add_var(file, name, path.c_str(), static_cast<int>(sizes.size()), sizes.data()) !=
           nullptr;
}

struct walk_state {
    struct m2_file *file;
    std::string group_path; // ends with "/"
    bool is_dimensions;
    bool failed;
};

static bool walk_group(struct m2_file *file, const std::string &group_path, bool is_dimensions);

static bool register_walked_dataset(walk_state *state, const char *name) {
    std::string path = state->group_path + name;
    std::vector<hsize_t> sizes;
    int nmembers = 0;
    if (!dataset_extent(state->file->file_id, path, &sizes, &nmembers)) {
        vrlog_message(VR_MSG_OPENDSET, path.c_str());
        return false;
    }
    struct m2_var *var =
        m2_add_var(state->file, name, path.c_str(), static_cast<int>(sizes.size()), sizes.data());
    if (var == nullptr) return false;
    if (!state->is_dimensions) return true;

    // A dimension dataset without its length is a damaged file, not a reason
    // to end the process.
    unsigned int length = 0;
    herr_t status = -1;
    {
        hdf_quiet quiet;
        hid_t attr_id = H5Aopen(var->dset_id, "length", H5P_DEFAULT);
        if (attr_id >= 0) {
            status = H5Aread(attr_id, H5T_NATIVE_UINT, &length);
            H5Aclose(attr_id);
        }
    }
    if (status < 0) {
        vrlog_message(VR_MSG_OPENDSET, path.c_str());
        return false;
    }
    return m2_add_dim(state->file, name, static_cast<long>(length)) != nullptr;
}

static herr_t walk_one_link(hid_t group_id, const char *name, const H5L_info_t *, void *data) {
    auto *state = static_cast<walk_state *>(data);
    H5I_type_t kind;
    {
        hdf_quiet quiet;
        hid_t object_id = H5Oopen(group_id, name, H5P_DEFAULT);
        if (object_id < 0) return 0; // a dangling link holds nothing to register
        kind = H5Iget_type(object_id);
        H5Oclose(object_id);
    }
    bool ok = true;
    if (kind == H5I_DATASET)
        ok = register_walked_dataset(state, name);
    else if (kind == H5I_GROUP)
        ok = walk_group(state->file, state->group_path + name + "/", state->is_dimensions);
    if (!ok) {
        state->failed = true;
        return -1;
    }
    return 0;
}

static bool walk_group(struct m2_file *file, const std::string &group_path, bool is_dimensions) {
    std::string path = group_path.substr(0, group_path.size() - 1);
    if (!path_exists(file->file_id, path)) return true;
    hid_t group_id;
    {
        hdf_quiet quiet;
        group_id = H5Gopen2(file->file_id, path.c_str(), H5P_DEFAULT);
    }
    if (group_id < 0) return true;
    walk_state state{file, group_path, is_dimensions, false};
    hsize_t index = 0;
    herr_t status = H5Literate(group_id, H5_INDEX_NAME, H5_ITER_INC, &index, walk_one_link, &state);
    H5Gclose(group_id);
    return status >= 0 && !state.failed;
}

int hdf_open(const char *path, int mode) {
    if (path == nullptr || VR_is_remote_name(path)) return -1;
    if (H5open() < 0) return -1;
    hid_t file_id;
    {
        hdf_quiet quiet;
        file_id = H5Fopen(path, (mode & NC_WRITE) ? H5F_ACC_RDWR : H5F_ACC_RDONLY, H5P_DEFAULT);
    }
    if (file_id < 0) return -1;

    struct m2_file *file = m2_new_file(file_id, (mode & NC_WRITE) ? 1 : 0);
    if (file == nullptr) {
        H5Fclose(file_id);
        return -1;
    }
    bool ok = register_image_dataset(file, "image") && register_image_dataset(file, "image-min") &&
              register_image_dataset(file, "image-max") &&
              walk_group(file, VR2_DIMENSIONS_PATH, true) && walk_group(file, VR2_INFO_PATH, false);
    if (!ok) {
        H5Fclose(m2_free_file(file));
        return -1;
    }
    return file->fd;
}

int hdf_create(const char *path, int cmode, const struct vr2opts *opts_ptr) {
    if (path == nullptr || VR_is_remote_name(path)) return -1;
    if (H5open() < 0) return -1;
    // The 1.8 format stores attributes too large for an object header (a
    // long "history") densely instead of refusing them.
    hid_t fapl = H5Pcreate(H5P_FILE_ACCESS);
    if (fapl < 0) return -1;
    hid_t file_id = H5I_INVALID_HID;
    if (H5Pset_libver_bounds(fapl, H5F_LIBVER_V18, H5F_LIBVER_LATEST) >= 0) {
        hdf_quiet quiet;
        file_id = H5Fcreate(path, (cmode & NC_NOCLOBBER) ? H5F_ACC_EXCL : H5F_ACC_TRUNC,
                            H5P_DEFAULT, fapl);
    }
    H5Pclose(fapl);
    if (file_id < 0) return -1;

    static const char *const groups[] = {VR2_GROUP, VR2_GROUP "/dimensions", VR2_GROUP "/info",
                                         VR2_GROUP "/image", VR2_GROUP "/image/0"};
    for (const char *group : groups) {
        hid_t group_id = H5Gcreate2(file_id, group, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT);
        if (group_id < 0) {
            H5Fclose(file_id);
            return -1;
        }
        H5Gclose(group_id);
    }
    struct m2_file *file = m2_new_file(file_id, 1);
    if (file == nullptr) {
        H5Fclose(file_id);
        return -1;
    }
    if (opts_ptr != nullptr && opts_ptr->struct_version == 1) {
        file->comp_type = opts_ptr->comp_type;
        file->comp_param = opts_ptr->comp_param;
        file->chunk_type = opts_ptr->chunk_type;
        file->chunk_param = opts_ptr->chunk_param;
    }
    return file->fd;
}

int hdf_enddef(int fd) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr) return -1;
    if (!file->wr_ok) return 0;
    int status = 0;
    // Dimensions defined without a variable of their name become scalar
    // NC_INT datasets carrying their length.
    for (int i = 0; i < file->ndims; i++) {
        struct m2_dim *dim = file->dims[i];
        if (dim->is_fake || m2_find_var_by_name(file, dim->name) != nullptr) continue;
        if (hdf_vardef(fd, dim->name, NC_INT, 0, nullptr) < 0) status = -1;
    }
    return status;
}

int hdf_close(int fd) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr) return -1;
    int status = file->wr_ok ? hdf_enddef(fd) : 0;
    if (H5Fclose(m2_free_file(file)) < 0) status = -1;
    return status;
}

int hdf_sync(int fd) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr) return -1;
    return H5Fflush(file->file_id, H5F_SCOPE_GLOBAL) < 0 ? -1 : 0;
}

int hdf_access(const char *path) {
    if (path == nullptr || VR_is_remote_name(path)) return FALSE;
    if (H5open() < 0) return FALSE;
    hdf_quiet quiet;
    return H5Fis_hdf5(path) > 0 ? TRUE : FALSE;
}

static herr_t count_one_attribute(hid_t, const char *, const H5A_info_t *, void *data) {
    ++*static_cast<int *>(data);
    return 0;
}

int m2_count_attributes(hid_t object_id) {
    int count = 0;
    hsize_t index = 0;
    if (H5Aiterate2(object_id, H5_INDEX_NAME, H5_ITER_INC, &index, count_one_attribute, &count) < 0)
        return -1;
    return count;
}

int hdf_inquire(int fd, int *ndims_ptr, int *nvars_ptr, int *natts_ptr, int *unlimdim_ptr) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr) return -1;
    if (ndims_ptr != nullptr) *ndims_ptr = file->ndims;
    if (nvars_ptr != nullptr) *nvars_ptr = file->nvars;
    if (natts_ptr != nullptr) {
        int natts = m2_count_attributes(file->grp_id);
        if (natts < 0) return -1;
        *natts_ptr = natts;
    }
    if (unlimdim_ptr != nullptr) *unlimdim_ptr = -1;
    return 0;
}
