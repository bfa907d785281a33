// Reading and writing the values of version 2 variables as netCDF-style
// hyperslabs.

#include <cstdio>
#include <cstring>
#include <vector>

#include "hdf_internal.h"
#include "vr_log.h"

// Checks a hyperslab against the variable's extent and sets up its file and
// memory dataspaces (the emulated vector dimension is not an HDF5 one).
// Answers 1 when there is something to move, 0 for an empty hyperslab, -1
// after the message for a bad one.
static int select_hyperslab(const struct m2_var *var, const long *start, const long *count,
                            bool is_put, hid_t *file_space, hid_t *memory_space) {
    *file_space = *memory_space = H5I_INVALID_HID;
    vrmsgcode_t failure = is_put ? VR_MSG_WRITEDSET : VR_MSG_READDSET;
    // A string dataset is reported as one character without dimensions, so
    // only that much may move: a longer one would overrun the caller.
    if (H5Tget_class(var->ftyp_id) == H5T_STRING) {
        if (H5Tget_size(var->ftyp_id) != 1 || H5Sget_simple_extent_npoints(var->fspc_id) != 1) {
            vrlog_message(failure, var->path);
            return -1;
        }
        *file_space = *memory_space = H5S_ALL;
        return 1;
    }
    int rank = var->ndims - (var->is_cmpd ? 1 : 0);
    if (var->ndims > 0 && (start == nullptr || count == nullptr)) {
        vrlog_message(failure, var->path);
        return -1;
    }
    if (var->is_cmpd) {
        long last = var->ndims - 1;
        if (start[last] != 0 || count[last] != static_cast<long>(var->dims[last])) {
            fprintf(stderr, is_put ? "ERROR: can't write subset of emulated vector dimension\n"
                                   : "ERROR: can't read subset of emulated vector dimension\n");
            return -1;
        }
    }
    std::vector<hsize_t> file_start(static_cast<size_t>(rank > 0 ? rank : 0));
    std::vector<hsize_t> file_count(file_start.size());
    for (int i = 0; i < rank; i++) {
        if (start[i] < 0 || count[i] < 0 ||
            static_cast<hsize_t>(start[i]) + static_cast<hsize_t>(count[i]) > var->dims[i]) {
            vrlog_message(failure, var->path);
            return -1;
        }
        if (count[i] == 0) return 0;
        file_start[i] = static_cast<hsize_t>(start[i]);
        file_count[i] = static_cast<hsize_t>(count[i]);
    }
    if (rank <= 0) {
        *file_space = H5S_ALL;
        *memory_space = H5S_ALL;
        return 1;
    }
    *file_space = H5Scopy(var->fspc_id);
    *memory_space = H5Screate_simple(rank, file_count.data(), nullptr);
    if (*file_space < 0 || *memory_space < 0 ||
        H5Sselect_hyperslab(*file_space, H5S_SELECT_SET, file_start.data(), nullptr,
                            file_count.data(), nullptr) < 0) {
        if (*file_space >= 0) H5Sclose(*file_space);
        if (*memory_space >= 0) H5Sclose(*memory_space);
        vrlog_message(failure, var->path);
        return -1;
    }
    return 1;
}

static void close_spaces(hid_t file_space, hid_t memory_space) {
    if (file_space != H5S_ALL) H5Sclose(file_space);
    if (memory_space != H5S_ALL) H5Sclose(memory_space);
}

int hdf_varget(int fd, int varid, const long *start_ptr, const long *length_ptr, void *val_ptr) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr || val_ptr == nullptr) return -1;
    if (varid == VR_ROOT_VARIABLE_ID) {
        int zero = 0;
        memcpy(val_ptr, &zero, sizeof(zero));
        return 0;
    }
    struct m2_var *var = m2_find_var(file, varid);
    if (var == nullptr) return -1;
    hid_t file_space, memory_space;
    int selected = select_hyperslab(var, start_ptr, length_ptr, false, &file_space, &memory_space);
    if (selected <= 0) return selected;
    herr_t status =
        H5Dread(var->dset_id, var->mtyp_id, memory_space, file_space, H5P_DEFAULT, val_ptr);
    close_spaces(file_space, memory_space);
    if (status < 0) vrlog_message(VR_MSG_READDSET, var->path);
    return status < 0 ? -1 : 0;
}

int hdf_varput(int fd, int varid, const long *start_ptr, const long *length_ptr,
               const void *val_ptr) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr || val_ptr == nullptr) return -1;
    if (varid == VR_ROOT_VARIABLE_ID) return 0;
    struct m2_var *var = m2_find_var(file, varid);
    if (var == nullptr) return -1;
    if (!file->wr_ok) {
        vrlog_message(VR_MSG_WRITEDSET, var->path);
        return -1;
    }
    hid_t file_space, memory_space;
    int selected = select_hyperslab(var, start_ptr, length_ptr, true, &file_space, &memory_space);
    if (selected <= 0) return selected;
    herr_t status =
        H5Dwrite(var->dset_id, var->mtyp_id, memory_space, file_space, H5P_DEFAULT, val_ptr);
    close_spaces(file_space, memory_space);
    if (status < 0) vrlog_message(VR_MSG_WRITEDSET, var->path);
    return status < 0 ? -1 : 0;
}

int hdf_varput1(int fd, int varid, const long *mindex_ptr, const void *val_ptr) {
    std::vector<long> count(VR2_MAX_VAR_DIMS, 1);
    return hdf_varput(fd, varid, mindex_ptr, count.data(), val_ptr);
}

// The generalised hyperslab as an odometer over plain hyperslab calls,
// innermost dimension fastest; a contiguous innermost run moves in one call.
// Maps are byte distances in the caller's buffer, the default one too.
static int generalized_access(bool is_put, int fd, int varid, const long *start, const long *edges,
                              const long *stride, const long *map, unsigned char *value) {
    nc_type type;
    int ndims;
    if (hdf_varinq(fd, varid, nullptr, &type, &ndims, nullptr, nullptr) < 0) return -1;
    if (ndims == 0 || varid == VR_ROOT_VARIABLE_ID)
        return is_put ? hdf_varput(fd, varid, nullptr, nullptr, value)
                      : hdf_varget(fd, varid, nullptr, nullptr, value);
    struct m2_var *var = m2_find_var(m2_find_file(fd), varid);
    long value_size = static_cast<long>(m2_nc_type_size(type));

    size_t n = static_cast<size_t>(ndims);
    std::vector<long> first(n, 0), count(n), step(n, 1), distance(n);
    for (size_t i = 0; i < n; i++) {
        long size = static_cast<long>(var->dims[i]);
        if (start != nullptr) first[i] = start[i];
        count[i] = edges != nullptr ? edges[i] : size - first[i];
        if (stride != nullptr) step[i] = stride[i];
        if (count[i] == 0) return 0;
        if (step[i] <= 0 || first[i] < 0 || count[i] < 0) return -1;
        // The last dimension is checked by the read or write itself.
        if (i + 1 < n && (first[i] >= size || first[i] + (count[i] - 1) * step[i] >= size))
            return -1;
    }
    for (size_t i = n; i-- > 0;)
        distance[i] = map != nullptr ? map[i]
                      : i + 1 == n   ? value_size
                                     : distance[i + 1] * count[i + 1];

    bool whole_runs = step[n - 1] == 1 && distance[n - 1] == value_size;
    std::vector<long> index(n, 0), piece_start(n), piece_count(n, 1);
    if (whole_runs) piece_count[n - 1] = count[n - 1];
    size_t odometer_dims = whole_runs ? n - 1 : n;
    while (true) {
        long offset = 0;
        for (size_t i = 0; i < n; i++) {
            piece_start[i] = first[i] + index[i] * step[i];
            offset += index[i] * distance[i];
        }
        int status =
            is_put ? hdf_varput(fd, varid, piece_start.data(), piece_count.data(), value + offset)
                   : hdf_varget(fd, varid, piece_start.data(), piece_count.data(), value + offset);
        if (status < 0) return status;
        size_t i = odometer_dims;
        while (i > 0) {
            --i;
            if (++index[i] < count[i]) break;
            index[i] = 0;
            if (i == 0) return 0;
        }
        if (odometer_dims == 0) return 0;
    }
}

int hdf_vargetg(int fd, int varid, const long *start, const long *edges, const long *stride,
                const long *map, void *value) {
    return generalized_access(false, fd, varid, start, edges, stride, map,
                              static_cast<unsigned char *>(value));
}

int hdf_varputg(int fd, int varid, const long *start, const long *edges, const long *stride,
                const long *map, const void *value) {
    return generalized_access(true, fd, varid, start, edges, stride, map,
                              static_cast<unsigned char *>(const_cast<void *>(value)));
}
