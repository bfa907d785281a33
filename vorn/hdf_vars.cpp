// Variables of version 2 files: defining datasets where the layout puts
// them, and answering netCDF-style inquiries about registered ones.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hdf_internal.h"
#include "vr_config.h"
#include "vr_log.h"

// Names that always go to the dimensions group, defined as dimensions or not.
static bool is_dimension_name(const char *name) {
    static const char *const names[] = {"xspace",     "yspace",     "zspace",     "time",
                                        "xfrequency", "yfrequency", "zfrequency", "tfrequency"};
    for (const char *known : names)
        if (strcmp(name, known) == 0) return true;
    return false;
}

static bool is_image_name(const char *name) {
    return strcmp(name, "image") == 0 || strcmp(name, "image-min") == 0 ||
           strcmp(name, "image-max") == 0;
}

static std::string dataset_path(const struct m2_file *file, const char *name, bool is_dimension) {
    std::string path;
    if (is_image_name(name)) {
        char prefix[64];
        snprintf(prefix, sizeof(prefix), VR2_IMAGE_PATH_FORMAT, file->resolution);
        path = prefix;
    } else if (is_dimension) {
        path = VR2_DIMENSIONS_PATH;
    } else {
        path = VR2_INFO_PATH;
    }
    return path + name;
}

// Deflate level and chunk length of a new dataset. HDF5 compresses chunked
// datasets only, so compression always gets a usable chunk length.
static void storage_options(const struct m2_file *file, int *level, int *chunk) {
    *chunk = file->chunk_type == -1 ? vrget_cfg_int("VORN_CHUNKING") : file->chunk_param;
    if (file->comp_type == -1)
        *level = vrget_cfg_int("VORN_COMPRESS");
    else if (file->comp_type == 1)
        *level = file->comp_param;
    else
        *level = 0;
    if (*level < 0) *level = 0;
    if (*level > 9) *level = 9;
    if (*level != 0 && *chunk <= 4) *chunk = 32;
}

// Creation properties for a dataset of these sizes; -1 on failure.
static hid_t creation_properties(const struct m2_file *file, const std::vector<hsize_t> &sizes) {
    hid_t dcpl = H5Pcreate(H5P_DATASET_CREATE);
    if (dcpl < 0) return H5I_INVALID_HID;
    herr_t status = 0;
    if (sizes.empty()) {
        status = H5Pset_layout(dcpl, H5D_COMPACT);
    } else {
        int level, chunk;
        storage_options(file, &level, &chunk);
        if (chunk > 4) {
            std::vector<hsize_t> chunks(sizes.size());
            for (size_t i = 0; i < sizes.size(); i++) {
                hsize_t length = sizes[i] < static_cast<hsize_t>(chunk) ? sizes[i] : chunk;
                chunks[i] = length > 0 ? length : 1;
            }
            status = H5Pset_chunk(dcpl, static_cast<int>(chunks.size()), chunks.data());
        }
        if (status >= 0 && level != 0) status = H5Pset_deflate(dcpl, static_cast<unsigned>(level));
    }
    if (status < 0) {
        H5Pclose(dcpl);
        return H5I_INVALID_HID;
    }
    return dcpl;
}

static hid_t create_dataset(const struct m2_file *file, const std::string &path, hid_t type_id,
                            const std::vector<hsize_t> &sizes) {
    hid_t space_id = sizes.empty()
                         ? H5Screate(H5S_SCALAR)
                         : H5Screate_simple(static_cast<int>(sizes.size()), sizes.data(), nullptr);
    hid_t dcpl = creation_properties(file, sizes);
    hid_t dset_id = H5I_INVALID_HID;
    if (space_id >= 0 && dcpl >= 0) {
        hdf_quiet quiet;
        dset_id = H5Dcreate2(file->file_id, path.c_str(), type_id, space_id, H5P_DEFAULT, dcpl,
                             H5P_DEFAULT);
    }
    if (dcpl >= 0) H5Pclose(dcpl);
    if (space_id >= 0) H5Sclose(space_id);
    return dset_id;
}

int hdf_vardef(int fd, const char *varnm, nc_type vartype, int ndims, const int *dimids) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr || varnm == nullptr) return -1;
    if (strcmp(varnm, VR_ROOT_VARIABLE_NAME) == 0) return VR_ROOT_VARIABLE_ID;
    if (!file->wr_ok || m2_find_var_by_name(file, varnm) != nullptr) return -1;
    // Checked before the dataset exists, so that no unregistered one is left.
    if (!m2_name_ok(varnm) || file->nvars >= VR2_MAX_VARS) {
        vrlog_message(VR_MSG_VARDEF, varnm);
        return -1;
    }
    if (ndims < 0 || ndims > VR2_MAX_VAR_DIMS) {
        vrlog_message(VR_MSG_TOOMANYDIMS, VR2_MAX_VAR_DIMS);
        return -1;
    }
    if (ndims > 0 && dimids == nullptr) return -1;
    hid_t type_id = nc_to_hdf5_type(vartype, 1);
    if (type_id < 0) return -1;

    std::vector<hsize_t> sizes;
    std::vector<const char *> dim_names;
    for (int i = 0; i < ndims; i++) {
        if (dimids[i] < 0 || dimids[i] >= file->ndims) return -1;
        sizes.push_back(static_cast<hsize_t>(file->dims[dimids[i]]->length));
        dim_names.push_back(file->dims[dimids[i]]->name);
    }
    struct m2_dim *own_dim = m2_find_dim_by_name(file, varnm);
    std::string path = dataset_path(file, varnm, own_dim != nullptr || is_dimension_name(varnm));

    hid_t dset_id = create_dataset(file, path, type_id, sizes);
    if (dset_id < 0) {
        vrlog_message(VR_MSG_OPENDSET, varnm);
        return -1;
    }
    int status = 0;
    if (own_dim != nullptr) status = m2_put_length(dset_id, own_dim->length);
    if (status >= 0 && ndims > 0) {
        std::string dimorder;
        for (size_t i = 0; i < dim_names.size(); i++)
            dimorder += (i > 0 ? "," : "") + std::string(dim_names[i]);
        status = m2_put_string_attribute(dset_id, "dimorder", dimorder);
    }
    H5Dclose(dset_id);
    if (status < 0) return -1;

    struct m2_var *var = m2_add_var(file, varnm, path.c_str(), ndims, sizes.data());
    return var != nullptr ? var->id : -1;
}

int hdf_varid(int fd, const char *varnm) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr || varnm == nullptr) return -1;
    if (strcmp(varnm, VR_ROOT_VARIABLE_NAME) == 0) return VR_ROOT_VARIABLE_ID;
    struct m2_var *var = m2_find_var_by_name(file, varnm);
    return var != nullptr ? var->id : -1;
}

int hdf_varname(int fd, int varid, char *varnm) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr) return -1;
    const char *name = nullptr;
    if (varid == VR_ROOT_VARIABLE_ID) {
        name = VR_ROOT_VARIABLE_NAME;
    } else {
        struct m2_var *var = m2_find_var(file, varid);
        if (var == nullptr) return -1;
        name = var->name;
    }
    if (varnm != nullptr) strcpy(varnm, name);
    return 0;
}

// Dimension ids of a variable from its "dimorder"; a compound dataset ends
// with the emulated vector dimension. Entries not found are -1.
static void variable_dimids(struct m2_file *file, const struct m2_var *var, int *dims_ptr) {
    int limit = var->ndims - (var->is_cmpd ? 1 : 0);
    int count = 0;
    std::string dimorder;
    if (limit > 0 && m2_get_string_attribute(var->dset_id, "dimorder", &dimorder)) {
        size_t begin = 0;
        while (count < limit && begin <= dimorder.size()) {
            size_t end = dimorder.find(',', begin);
            if (end == std::string::npos) end = dimorder.size();
            struct m2_dim *dim =
                m2_find_dim_by_name(file, dimorder.substr(begin, end - begin).c_str());
            if (dim != nullptr) dims_ptr[count++] = dim->id;
            begin = end + 1;
        }
    }
    while (count < limit)
        dims_ptr[count++] = -1;
    if (var->is_cmpd) {
        struct m2_dim *vector = m2_find_dim_by_name(file, VR2_VECTOR_DIMENSION);
        dims_ptr[count] = vector != nullptr ? vector->id : -1;
    }
}

int hdf_varinq(int fd, int varid, char *varnm_ptr, nc_type *type_ptr, int *ndims_ptr, int *dims_ptr,
               int *natts_ptr) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr) return -1;
    if (varid == VR_ROOT_VARIABLE_ID) {
        if (varnm_ptr != nullptr) strcpy(varnm_ptr, VR_ROOT_VARIABLE_NAME);
        if (type_ptr != nullptr) *type_ptr = NC_INT;
        if (ndims_ptr != nullptr) *ndims_ptr = 0;
        if (natts_ptr != nullptr) *natts_ptr = 0;
        return 0;
    }
    struct m2_var *var = m2_find_var(file, varid);
    if (var == nullptr) return -1;

    nc_type type;
    if (m2_var_nc_type(var, &type) < 0) return -1;
    int ndims = type == NC_CHAR && !var->is_cmpd ? 0 : var->ndims;
    if (type_ptr != nullptr) *type_ptr = type;
    if (ndims_ptr != nullptr) *ndims_ptr = ndims;
    if (dims_ptr != nullptr && ndims > 0) variable_dimids(file, var, dims_ptr);
    if (natts_ptr != nullptr) {
        int natts = m2_count_attributes(var->dset_id);
        if (natts < 0) return -1;
        // "signtype" of an integer image is answered from the type's sign.
        if (strcmp(var->name, "image") == 0 && m2_is_integer(var)) natts++;
        *natts_ptr = natts;
    }
    if (varnm_ptr != nullptr) strcpy(varnm_ptr, var->name);
    return 0;
}

int hdf_varsize(int fd, int varid, long *size_ptr) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr) return -1;
    if (varid == VR_ROOT_VARIABLE_ID) return 1;
    struct m2_var *var = m2_find_var(file, varid);
    if (var == nullptr) return -1;
    if (var->ndims > VR2_MAX_VAR_DIMS) {
        vrlog_message(VR_MSG_TOOMANYDIMS, VR2_MAX_VAR_DIMS);
        return -1;
    }
    for (int i = 0; i < var->ndims; i++)
        size_ptr[i] = static_cast<long>(var->dims[i]);
    return 0;
}
