// netCDF types and HDF5 types, both ways.

#include "hdf_internal.h"

hid_t nc_to_hdf5_type(nc_type type, int is_signed) {
    switch (type) {
    case NC_BYTE:
    case NC_CHAR:
        return is_signed ? H5T_STD_I8LE : H5T_STD_U8LE;
    case NC_SHORT:
        return is_signed ? H5T_STD_I16LE : H5T_STD_U16LE;
    case NC_INT:
        return is_signed ? H5T_STD_I32LE : H5T_STD_U32LE;
    case NC_FLOAT:
        return H5T_IEEE_F32LE;
    case NC_DOUBLE:
        return H5T_IEEE_F64LE;
    default:
        return H5I_INVALID_HID;
    }
}

size_t m2_nc_type_size(nc_type type) {
    switch (type) {
    case NC_BYTE:
    case NC_CHAR:
        return 1;
    case NC_SHORT:
        return 2;
    case NC_INT:
    case NC_FLOAT:
        return 4;
    case NC_DOUBLE:
        return 8;
    default:
        return 0;
    }
}

int m2_nc_type_of(hid_t type_id, nc_type *nc_type_ptr) {
    size_t size = H5Tget_size(type_id);
    nc_type result = NC_NAT;
    switch (H5Tget_class(type_id)) {
    case H5T_INTEGER:
        result = size == 1 ? NC_BYTE : size == 2 ? NC_SHORT : size == 4 ? NC_INT : NC_NAT;
        break;
    case H5T_FLOAT:
        result = size == 4 ? NC_FLOAT : size == 8 ? NC_DOUBLE : NC_NAT;
        break;
    case H5T_STRING:
        // Variable-length strings have no netCDF counterpart here.
        result = H5Tis_variable_str(type_id) > 0 ? NC_NAT : NC_CHAR;
        break;
    default:
        break;
    }
    if (result == NC_NAT) return -1;
    *nc_type_ptr = result;
    return 0;
}

int m2_var_nc_type(const struct m2_var *var, nc_type *nc_type_ptr) {
    if (!var->is_cmpd) return m2_nc_type_of(var->ftyp_id, nc_type_ptr);
    hid_t member = H5Tget_member_type(var->ftyp_id, 0);
    if (member < 0) return -1;
    int status = m2_nc_type_of(member, nc_type_ptr);
    H5Tclose(member);
    return status;
}

int m2_is_integer(const struct m2_var *var) {
    return var != nullptr && !var->is_cmpd && H5Tget_class(var->ftyp_id) == H5T_INTEGER;
}

// A compound is read as a run of equal values, so its memory type packs
// native copies of the first member's type one after another.
static hid_t packed_compound_type(hid_t file_type) {
    int nmembers = H5Tget_nmembers(file_type);
    hid_t member = H5Tget_member_type(file_type, 0);
    if (nmembers < 1 || member < 0) {
        if (member >= 0) H5Tclose(member);
        return H5I_INVALID_HID;
    }
    hid_t native = H5Tget_native_type(member, H5T_DIR_ASCEND);
    H5Tclose(member);
    if (native < 0) return H5I_INVALID_HID;
    size_t member_size = H5Tget_size(native);
    hid_t packed = H5Tcreate(H5T_COMPOUND, member_size * static_cast<size_t>(nmembers));
    for (int i = 0; packed >= 0 && i < nmembers; i++) {
        char *name = H5Tget_member_name(file_type, static_cast<unsigned>(i));
        herr_t status = name != nullptr
                            ? H5Tinsert(packed, name, member_size * static_cast<size_t>(i), native)
                            : -1;
        if (name != nullptr) H5free_memory(name);
        if (status < 0) {
            H5Tclose(packed);
            packed = H5I_INVALID_HID;
        }
    }
    H5Tclose(native);
    return packed;
}

hid_t m2_memory_type(hid_t file_type) {
    if (H5Tget_class(file_type) == H5T_COMPOUND) return packed_compound_type(file_type);
    return H5Tget_native_type(file_type, H5T_DIR_ASCEND);
}
