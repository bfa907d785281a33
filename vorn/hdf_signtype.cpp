// "signtype" of an integer variable in a version 2 file is the sign of its
// dataset's type: changing it rebuilds the dataset with the other sign,
// keeping its attributes and the bits of the values already written.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hdf_internal.h"
#include "vr_log.h"

// Piece size of the value copy; at least one row of the slowest dimension.
static const size_t copy_piece_bytes = 1 << 20;

// A free name in the group for a dataset under construction.
static bool free_junk_path(hid_t file_id, std::string *path) {
    hdf_quiet quiet;
    for (int i = 0; i < 10000; i++) {
        char name[32];
        snprintf(name, sizeof(name), VR2_GROUP "/junk%04d", i);
        if (H5Lexists(file_id, name, H5P_DEFAULT) == 0) {
            *path = name;
            return true;
        }
    }
    return false;
}

// Moves the stored bits from one dataset to another of the same shape and
// type size, slowest dimension first in pieces; values are reinterpreted,
// not converted, because memory types of the same size are used on both
// sides.
static bool copy_values(hid_t from_id, hid_t from_memory, hid_t to_id, hid_t to_memory,
                        hid_t space_id) {
    H5D_space_status_t allocation;
    if (H5Dget_space_status(from_id, &allocation) < 0) return false;
    if (allocation == H5D_SPACE_STATUS_NOT_ALLOCATED) return true; // nothing written yet

    size_t value_size = H5Tget_size(from_memory);
    int rank = H5Sget_simple_extent_ndims(space_id);
    if (rank < 0 || value_size == 0 || value_size != H5Tget_size(to_memory)) return false;
    if (rank == 0) {
        std::vector<unsigned char> value(value_size);
        return H5Dread(from_id, from_memory, H5S_ALL, H5S_ALL, H5P_DEFAULT, value.data()) >= 0 &&
               H5Dwrite(to_id, to_memory, H5S_ALL, H5S_ALL, H5P_DEFAULT, value.data()) >= 0;
    }
    std::vector<hsize_t> dims(static_cast<size_t>(rank));
    H5Sget_simple_extent_dims(space_id, dims.data(), nullptr);
    size_t row_bytes = value_size;
    for (int i = 1; i < rank; i++) {
        if (dims[i] != 0 && row_bytes > SIZE_MAX / dims[i]) return false;
        row_bytes *= dims[i];
    }
    if (row_bytes == 0 || dims[0] == 0) return true;
    hsize_t rows_per_piece = row_bytes < copy_piece_bytes ? copy_piece_bytes / row_bytes : 1;
    std::vector<unsigned char> buffer(
        static_cast<size_t>(rows_per_piece < dims[0] ? rows_per_piece : dims[0]) * row_bytes);

    std::vector<hsize_t> start(dims.size(), 0), count(dims);
    bool ok = true;
    for (hsize_t row = 0; ok && row < dims[0]; row += rows_per_piece) {
        start[0] = row;
        count[0] = dims[0] - row < rows_per_piece ? dims[0] - row : rows_per_piece;
        hid_t file_space = H5Scopy(space_id);
        hid_t memory_space = H5Screate_simple(rank, count.data(), nullptr);
        ok = file_space >= 0 && memory_space >= 0 &&
             H5Sselect_hyperslab(file_space, H5S_SELECT_SET, start.data(), nullptr, count.data(),
                                 nullptr) >= 0 &&
             H5Dread(from_id, from_memory, memory_space, file_space, H5P_DEFAULT, buffer.data()) >=
                 0 &&
             H5Dwrite(to_id, to_memory, memory_space, file_space, H5P_DEFAULT, buffer.data()) >= 0;
        if (memory_space >= 0) H5Sclose(memory_space);
        if (file_space >= 0) H5Sclose(file_space);
    }
    return ok;
}

// Builds the re-signed copy at new_path; its dataset id, or -1.
static hid_t build_resigned_copy(struct m2_file *file, struct m2_var *var, bool want_signed,
                                 const std::string &new_path) {
    hid_t new_type = H5Tcopy(var->ftyp_id);
    hid_t dcpl = H5Dget_create_plist(var->dset_id);
    hid_t new_id = H5I_INVALID_HID;
    if (new_type >= 0 && dcpl >= 0 &&
        H5Tset_sign(new_type, want_signed ? H5T_SGN_2 : H5T_SGN_NONE) >= 0)
        new_id = H5Dcreate2(file->file_id, new_path.c_str(), new_type, var->fspc_id, H5P_DEFAULT,
                            dcpl, H5P_DEFAULT);
    hid_t new_memory = new_id >= 0 ? m2_memory_type(new_type) : H5I_INVALID_HID;
    bool ok = new_memory >= 0 && m2_copy_attributes(var->dset_id, new_id) >= 0 &&
              copy_values(var->dset_id, var->mtyp_id, new_id, new_memory, var->fspc_id);
    if (new_memory >= 0) H5Tclose(new_memory);
    if (dcpl >= 0) H5Pclose(dcpl);
    if (new_type >= 0) H5Tclose(new_type);
    if (!ok && new_id >= 0) {
        H5Dclose(new_id);
        H5Ldelete(file->file_id, new_path.c_str(), H5P_DEFAULT);
        new_id = H5I_INVALID_HID;
    }
    return new_id;
}

int m2_set_signtype(struct m2_file *file, struct m2_var *var, const char *value, int length) {
    if (value == nullptr || length < 8) return -1;
    bool want_signed;
    if (strncmp(value, "signed__", 8) == 0)
        want_signed = true;
    else if (strncmp(value, "unsigned", 8) == 0)
        want_signed = false;
    else
        return -1;
    // Floating-point and compound data carry no integer sign to change.
    if (!m2_is_integer(var)) return 0;
    bool is_signed = H5Tget_sign(var->ftyp_id) != H5T_SGN_NONE;
    if (is_signed == want_signed) return 0;

    std::string new_path, old_path;
    if (!free_junk_path(file->file_id, &new_path)) {
        vrlog_message(VR_MSG_WRITEDSET, var->path);
        return -1;
    }
    hid_t new_id = build_resigned_copy(file, var, want_signed, new_path);
    // The old dataset steps aside before the new one takes its name, so a
    // failure on the way leaves one of the two in place.
    if (new_id < 0 || !free_junk_path(file->file_id, &old_path) ||
        H5Lmove(file->file_id, var->path, file->file_id, old_path.c_str(), H5P_DEFAULT,
                H5P_DEFAULT) < 0) {
        if (new_id >= 0) {
            H5Dclose(new_id);
            H5Ldelete(file->file_id, new_path.c_str(), H5P_DEFAULT);
        }
        vrlog_message(VR_MSG_WRITEDSET, var->path);
        return -1;
    }
    if (H5Lmove(file->file_id, new_path.c_str(), file->file_id, var->path, H5P_DEFAULT,
                H5P_DEFAULT) < 0) {
        H5Lmove(file->file_id, old_path.c_str(), file->file_id, var->path, H5P_DEFAULT,
                H5P_DEFAULT);
        H5Dclose(new_id);
        H5Ldelete(file->file_id, new_path.c_str(), H5P_DEFAULT);
        vrlog_message(VR_MSG_WRITEDSET, var->path);
        return -1;
    }
    H5Ldelete(file->file_id, old_path.c_str(), H5P_DEFAULT);

    H5Dclose(var->dset_id);
    H5Tclose(var->ftyp_id);
    H5Tclose(var->mtyp_id);
    H5Sclose(var->fspc_id);
    var->dset_id = new_id;
    var->ftyp_id = H5Dget_type(new_id);
    var->mtyp_id = m2_memory_type(var->ftyp_id);
    var->fspc_id = H5Dget_space(new_id);
    return 0;
}
