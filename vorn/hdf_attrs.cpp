// Attributes of version 2 files. "signtype" of integer variables is the
// sign of the dataset's type and "_FillValue" the dataset's fill value; the
// tree links of the standard variables are not stored in this format.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "hdf_internal.h"
#include "vr_log.h"

// The object holding a variable's attributes: the group for NC_GLOBAL.
// Null for the root variable and for unknown ids.
static bool attribute_owner(struct m2_file *file, int varid, hid_t *object_id,
                            struct m2_var **var) {
    *var = nullptr;
    if (file == nullptr || varid == VR_ROOT_VARIABLE_ID) return false;
    if (varid == NC_GLOBAL) {
        *object_id = file->grp_id;
        return true;
    }
    *var = m2_find_var(file, varid);
    if (*var == nullptr) return false;
    *object_id = (*var)->dset_id;
    return true;
}

static hid_t open_attribute_quietly(hid_t object_id, const char *name) {
    hdf_quiet quiet;
    return H5Aopen(object_id, name, H5P_DEFAULT);
}

static void delete_attribute_quietly(hid_t object_id, const char *name) {
    hdf_quiet quiet;
    if (H5Aexists(object_id, name) > 0) H5Adelete(object_id, name);
}

int m2_put_length(hid_t dset_id, long length) {
    unsigned int value = static_cast<unsigned int>(length);
    delete_attribute_quietly(dset_id, "length");
    hid_t space_id = H5Screate(H5S_SCALAR);
    hid_t attr_id =
        H5Acreate2(dset_id, "length", H5T_STD_U32LE, space_id, H5P_DEFAULT, H5P_DEFAULT);
    herr_t status = attr_id >= 0 ? H5Awrite(attr_id, H5T_NATIVE_UINT, &value) : -1;
    if (attr_id >= 0) H5Aclose(attr_id);
    H5Sclose(space_id);
    return status < 0 ? -1 : 0;
}

bool m2_get_string_attribute(hid_t object_id, const char *name, std::string *value) {
    hid_t attr_id = open_attribute_quietly(object_id, name);
    if (attr_id < 0) return false;
    hid_t type_id = H5Aget_type(attr_id);
    bool ok =
        type_id >= 0 && H5Tget_class(type_id) == H5T_STRING && H5Tis_variable_str(type_id) == 0;
    if (ok) {
        std::vector<char> text(H5Tget_size(type_id) + 1, '\0');
        ok = H5Aread(attr_id, type_id, text.data()) >= 0;
        if (ok) value->assign(text.data());
    }
    if (type_id >= 0) H5Tclose(type_id);
    H5Aclose(attr_id);
    return ok;
}

int m2_put_string_attribute(hid_t object_id, const char *name, const std::string &text) {
    delete_attribute_quietly(object_id, name);
    hid_t type_id = H5Tcopy(H5T_C_S1);
    H5Tset_size(type_id, text.size() + 1);
    hid_t space_id = H5Screate(H5S_SCALAR);
    hid_t attr_id = H5Acreate2(object_id, name, type_id, space_id, H5P_DEFAULT, H5P_DEFAULT);
    herr_t status = attr_id >= 0 ? H5Awrite(attr_id, type_id, text.c_str()) : -1;
    if (attr_id >= 0) H5Aclose(attr_id);
    H5Sclose(space_id);
    H5Tclose(type_id);
    return status < 0 ? -1 : 0;
}

static herr_t copy_one_attribute(hid_t from_id, const char *name, const H5A_info_t *, void *data) {
    hid_t to_id = *static_cast<hid_t *>(data);
    hid_t attr_id = H5Aopen(from_id, name, H5P_DEFAULT);
    if (attr_id < 0) return -1;
    hid_t type_id = H5Aget_type(attr_id);
    hid_t space_id = H5Aget_space(attr_id);
    herr_t status = -1;
    // Values move in the stored type, so nothing is converted; types that
    // hold pointers in memory cannot be moved this way.
    if (type_id >= 0 && space_id >= 0 && H5Tis_variable_str(type_id) == 0 &&
        H5Tdetect_class(type_id, H5T_VLEN) == 0) {
        hssize_t npoints = H5Sget_simple_extent_npoints(space_id);
        size_t size = H5Tget_size(type_id);
        if (npoints >= 0 && size > 0) {
            std::vector<unsigned char> buffer(static_cast<size_t>(npoints) * size + 1);
            hid_t copy_id = H5Acreate2(to_id, name, type_id, space_id, H5P_DEFAULT, H5P_DEFAULT);
            if (copy_id >= 0) {
                status = H5Aread(attr_id, type_id, buffer.data());
                if (status >= 0) status = H5Awrite(copy_id, type_id, buffer.data());
                H5Aclose(copy_id);
            }
        }
    }
    if (space_id >= 0) H5Sclose(space_id);
    if (type_id >= 0) H5Tclose(type_id);
    H5Aclose(attr_id);
    return status < 0 ? -1 : 0;
}

int m2_copy_attributes(hid_t from_id, hid_t to_id) {
    hsize_t index = 0;
    return H5Aiterate2(from_id, H5_INDEX_NAME, H5_ITER_INC, &index, copy_one_attribute, &to_id) < 0
               ? -1
               : 0;
}

int hdf_attinq(int fd, int varid, const char *attnm, nc_type *type_ptr, int *length_ptr) {
    hid_t object_id;
    struct m2_var *var;
    if (attnm == nullptr || !attribute_owner(m2_find_file(fd), varid, &object_id, &var)) return -1;
    if (var != nullptr && strcmp(attnm, "signtype") == 0 && m2_is_integer(var)) {
        if (type_ptr != nullptr) *type_ptr = NC_CHAR;
        if (length_ptr != nullptr) *length_ptr = 9;
        return 1;
    }
    hid_t attr_id = open_attribute_quietly(object_id, attnm);
    if (attr_id < 0) return -1;
    hid_t type_id = H5Aget_type(attr_id);
    hid_t space_id = H5Aget_space(attr_id);
    nc_type type = NC_NAT;
    int status = type_id >= 0 && space_id >= 0 ? m2_nc_type_of(type_id, &type) : -1;
    long length = 0;
    if (status >= 0) {
        long npoints = static_cast<long>(H5Sget_simple_extent_npoints(space_id));
        length = type == NC_CHAR ? static_cast<long>(H5Tget_size(type_id)) : npoints;
        // Text is one string; an array of them has no netCDF-style length.
        if (type == NC_CHAR && npoints != 1) status = -1;
    }
    if (space_id >= 0) H5Sclose(space_id);
    if (type_id >= 0) H5Tclose(type_id);
    H5Aclose(attr_id);
    // An attribute of a type this interface cannot express is unreadable,
    // not a reason to end the process.
    if (status < 0 || length < 0 || length > INT32_MAX) {
        vrlog_message(VR_MSG_READATTR, attnm);
        return -1;
    }
    if (type_ptr != nullptr) *type_ptr = type;
    if (length_ptr != nullptr) *length_ptr = static_cast<int>(length);
    return 1;
}

int hdf_attname(int fd, int varid, int attnum, char *name) {
    hid_t object_id;
    struct m2_var *var;
    if (attnum < 0 || !attribute_owner(m2_find_file(fd), varid, &object_id, &var)) return -1;
    int natts = m2_count_attributes(object_id);
    if (natts < 0) return -1;
    if (attnum == natts && var != nullptr && strcmp(var->name, "image") == 0 &&
        m2_is_integer(var)) {
        if (name != nullptr) strcpy(name, "signtype");
        return 0;
    }
    if (attnum >= natts) return -1;
    hdf_quiet quiet;
    ssize_t length = H5Aget_name_by_idx(object_id, ".", H5_INDEX_NAME, H5_ITER_INC,
                                        static_cast<hsize_t>(attnum), nullptr, 0, H5P_DEFAULT);
    // Callers hold names of up to VR2_MAX_NAME characters.
    if (length < 0 || length > VR2_MAX_NAME) return -1;
    if (name == nullptr) return 0;
    return H5Aget_name_by_idx(object_id, ".", H5_INDEX_NAME, H5_ITER_INC,
                              static_cast<hsize_t>(attnum), name, VR2_MAX_NAME + 1, H5P_DEFAULT) < 0
               ? -1
               : 0;
}

int hdf_attget(int fd, int varid, const char *attnm, void *value) {
    hid_t object_id;
    struct m2_var *var;
    if (attnm == nullptr || !attribute_owner(m2_find_file(fd), varid, &object_id, &var)) return -1;
    if (strcmp(attnm, "signtype") == 0 && var != nullptr && m2_is_integer(var)) {
        const char *text = H5Tget_sign(var->ftyp_id) == H5T_SGN_NONE ? "unsigned" : "signed__";
        memcpy(value, text, 9);
        return 1;
    }
    if (strcmp(attnm, "_FillValue") == 0) {
        // A compound's fill value holds several values where one is asked for.
        if (var == nullptr || var->is_cmpd) return -1;
        hid_t dcpl = H5Dget_create_plist(var->dset_id);
        herr_t status = dcpl >= 0 ? H5Pget_fill_value(dcpl, var->mtyp_id, value) : -1;
        if (dcpl >= 0) H5Pclose(dcpl);
        return status < 0 ? -1 : 0;
    }
    hid_t attr_id = open_attribute_quietly(object_id, attnm);
    if (attr_id < 0) return -1;
    hid_t type_id = H5Aget_type(attr_id);
    hid_t space_id = H5Aget_space(attr_id);
    nc_type type;
    herr_t status = -1;
    // Read only what hdf_attinq reports, so the caller's buffer holds it.
    if (type_id >= 0 && space_id >= 0 && m2_nc_type_of(type_id, &type) >= 0 &&
        (type != NC_CHAR || H5Sget_simple_extent_npoints(space_id) == 1)) {
        hid_t memory_id = H5Tget_native_type(type_id, H5T_DIR_ASCEND);
        if (memory_id >= 0) {
            hdf_quiet quiet;
            status = H5Aread(attr_id, memory_id, value);
            H5Tclose(memory_id);
        }
    }
    if (space_id >= 0) H5Sclose(space_id);
    if (type_id >= 0) H5Tclose(type_id);
    H5Aclose(attr_id);
    return status < 0 ? -1 : 1;
}

// File and memory types of an attribute value; -1 for an unknown type.
static int attribute_types(nc_type type, int length, hid_t *file_type, hid_t *memory_type,
                           bool *is_string) {
    *is_string = false;
    switch (type) {
    case NC_CHAR:
        *is_string = true;
        *file_type = H5Tcopy(H5T_C_S1);
        // HDF5 has no empty fixed-length string: an empty text is one NUL.
        H5Tset_size(*file_type, length > 0 ? static_cast<size_t>(length) : 1);
        *memory_type = *file_type;
        return 0;
    case NC_BYTE:
        *file_type = H5T_STD_U8LE;
        *memory_type = H5T_NATIVE_UCHAR;
        return 0;
    case NC_SHORT:
        *file_type = H5T_STD_U16LE;
        *memory_type = H5T_NATIVE_USHORT;
        return 0;
    case NC_INT:
        *file_type = H5T_STD_U32LE;
        *memory_type = H5T_NATIVE_UINT;
        return 0;
    case NC_FLOAT:
        *file_type = H5T_IEEE_F32LE;
        *memory_type = H5T_NATIVE_FLOAT;
        return 0;
    case NC_DOUBLE:
        *file_type = H5T_IEEE_F64LE;
        *memory_type = H5T_NATIVE_DOUBLE;
        return 0;
    default:
        return -1;
    }
}

static bool is_ignored_attribute(const char *name) {
    static const char *const names[] = {"parent", "children", "image-min", "image-max",
                                        "_FillValue"};
    for (const char *ignored : names)
        if (strcmp(name, ignored) == 0) return true;
    return false;
}

int hdf_attput(int fd, int varid, const char *attnm, nc_type val_typ, int val_len,
               const void *val_ptr) {
    struct m2_file *file = m2_find_file(fd);
    if (file == nullptr || attnm == nullptr) return -1;
    if (varid == VR_ROOT_VARIABLE_ID || is_ignored_attribute(attnm)) return 0;
    hid_t object_id;
    struct m2_var *var;
    if (!file->wr_ok || !attribute_owner(file, varid, &object_id, &var)) return -1;
    if (val_len < 0 || (val_len > 0 && val_ptr == nullptr)) return -1;
    if (strcmp(attnm, "signtype") == 0) {
        if (var == nullptr || val_typ != NC_CHAR) return -1;
        return m2_set_signtype(file, var, static_cast<const char *>(val_ptr), val_len);
    }
    if (!m2_name_ok(attnm)) return -1;

    hid_t file_type, memory_type;
    bool is_string;
    if (attribute_types(val_typ, val_len, &file_type, &memory_type, &is_string) < 0) return -1;
    hid_t space_id;
    if (is_string || val_len == 1) {
        space_id = H5Screate(H5S_SCALAR);
    } else if (val_len == 0) {
        space_id = H5Screate(H5S_NULL);
    } else {
        hsize_t length = static_cast<hsize_t>(val_len);
        space_id = H5Screate_simple(1, &length, nullptr);
    }
    delete_attribute_quietly(object_id, attnm);
    hid_t attr_id = H5Acreate2(object_id, attnm, file_type, space_id, H5P_DEFAULT, H5P_DEFAULT);
    int result = -1;
    if (attr_id >= 0) {
        herr_t status = 0;
        if (is_string) {
            std::vector<char> text(H5Tget_size(file_type), '\0');
            if (val_len > 0) memcpy(text.data(), val_ptr, static_cast<size_t>(val_len));
            status = H5Awrite(attr_id, memory_type, text.data());
        } else if (val_len > 0) {
            status = H5Awrite(attr_id, memory_type, val_ptr);
        }
        result = status < 0 ? static_cast<int>(status) : 0;
        H5Aclose(attr_id);
    }
    H5Sclose(space_id);
    if (is_string) H5Tclose(file_type);
    return result;
}

int hdf_attdel(int fd, int varid, const char *attnm) {
    hid_t object_id;
    struct m2_var *var;
    struct m2_file *file = m2_find_file(fd);
    if (file != nullptr && varid == VR_ROOT_VARIABLE_ID) return 1;
    if (attnm == nullptr || !attribute_owner(file, varid, &object_id, &var)) return -1;
    // Deleting an attribute that is not there is not an error.
    if (file->wr_ok) delete_attribute_quietly(object_id, attnm);
    return 1;
}
