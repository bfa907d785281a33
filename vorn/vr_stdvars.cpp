#include "vr_stdvars.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vr_attr.h"
#include "vr_dispatch.h"
#include "vr_dispatch_table.h"
#include "vr_log.h"
#include "vr_var_dims.h"

namespace {

const char *const dimension_variables[] = {"xspace",     "yspace",     "zspace",     "time",
                                           "tfrequency", "xfrequency", "yfrequency", "zfrequency"};
const char *const dimwidth_variables[] = {
    "xspace-width",     "yspace-width",     "zspace-width",     "time-width",
    "tfrequency-width", "xfrequency-width", "yfrequency-width", "zfrequency-width"};

const char *const width_suffix = "-width";

template <size_t N> int VR_is_in_list(const char *name, const char *const (&list)[N]) {
    VR_ENTRY("VR_is_in_list");
    for (const char *entry : list)
        if (strcmp(name, entry) == 0) VR_RETURN(TRUE);
    VR_RETURN(FALSE);
}

// The variable's id, asked without any report: -1 when it does not exist.
int quiet_varid(int cdfid, const char *name) {
    VR_ncopts_scope quiet(0);
    return VR2varid(cdfid, name);
}


// "varid", "vartype" and "version": the attributes of every standard variable.
int put_identity(int cdfid, int varid, const char *vartype) {
    if (vrattputstr(cdfid, varid, "varid", VR_STDVAR_VARID) < 0 ||
        vrattputstr(cdfid, varid, "vartype", vartype) < 0 ||
        vrattputstr(cdfid, varid, "version", VR_STDVAR_VERSION) < 0)
        return VR_ERROR;
    return VR_NOERROR;
}

int define_variable(int cdfid, const char *name, nc_type datatype, int ndims, const int dim[]) {
    int varid = VR2vardef(cdfid, name, datatype, ndims, dim);
    if (varid < 0) vrlog_message(VR_MSG_VARDEF, name);
    return varid;
}

// Checks that a slice-range variable does not vary over the image
// dimensions proper: the last two of the image, or the last three when the
// last is the vector dimension.
int VR_verify_maxmin_dims(int cdfid, int image_ndims, const int image_dim[], int maxmin_ndims,
                          const int maxmin_dim[]) {
    VR_ENTRY("VR_verify_maxmin_dims");
    if (image_ndims <= 0) VR_RETURN(VR_NOERROR);
    char last_name[NC_MAX_NAME + 1] = "";
    if (VR2diminq(cdfid, image_dim[image_ndims - 1], last_name, nullptr) < 0) {
        vrlog_message(VR_MSG_DIMINQ);
        VR_RETURN_ERROR(VR_ERROR);
    }
    int nimgdims = strcmp(last_name, "vector_dimension") == 0 ? 3 : 2;
    if (nimgdims > image_ndims) nimgdims = image_ndims;
    for (int i = image_ndims - nimgdims; i < image_ndims; i++) {
        for (int j = 0; j < maxmin_ndims; j++) {
            if (image_dim[i] == maxmin_dim[j]) {
                vrlog_message(VR_MSG_MAXMINVARY);
                VR_RETURN_ERROR(VR_ERROR);
            }
        }
    }
    VR_RETURN(VR_NOERROR);
}

int VR_create_dim_variable(int cdfid, const char *name, nc_type datatype, int ndims,
                           const int dim[]) {
    VR_ENTRY("VR_create_dim_variable");
    if (ndims > 1) {
        vrlog_message(VR_MSG_TOOMANYDIMS, 1);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (VR2dimid(cdfid, name) < 0) {
        vrlog_message(VR_MSG_DIMINQ);
        VR_RETURN_ERROR(VR_ERROR);
    }
    int varid = define_variable(cdfid, name, datatype, ndims, dim);
    if (varid < 0 || put_identity(cdfid, varid, VR_VARTYPE_DIMENSION) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    const char *comment = nullptr;
    if (strcmp(name, "xspace") == 0)
        comment = "X increases from patient left to right";
    else if (strcmp(name, "yspace") == 0)
        comment = "Y increases from patient posterior to anterior";
    else if (strcmp(name, "zspace") == 0)
        comment = "Z increases from patient inferior to superior";
    if (comment != nullptr && vrattputstr(cdfid, varid, "comments", comment) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    if (vrattputstr(cdfid, varid, "spacing", ndims == 1 ? "irregular" : "regular__") < 0 ||
        vrattputstr(cdfid, varid, "alignment", strcmp(name, "time") == 0 ? "start_" : "centre") < 0)
        VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(varid);
}

int VR_create_dimwidth_variable(int cdfid, const char *name, nc_type datatype, int ndims,
                                const int dim[]) {
    VR_ENTRY("VR_create_dimwidth_variable");
    const char *suffix = strstr(name, width_suffix);
    if (suffix == nullptr) {
        vrlog_message(VR_MSG_DIMWIDTH);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (ndims > 1) {
        vrlog_message(VR_MSG_TOOMANYDIMS, 1);
        VR_RETURN_ERROR(VR_ERROR);
    }
    char base[NC_MAX_NAME + 1];
    size_t base_length = static_cast<size_t>(suffix - name);
    if (base_length >= sizeof(base)) base_length = sizeof(base) - 1;
    memcpy(base, name, base_length);
    base[base_length] = '\0';
    if (VR2dimid(cdfid, base) < 0) {
        vrlog_message(VR_MSG_DIMINQ);
        VR_RETURN_ERROR(VR_ERROR);
    }
    int varid = define_variable(cdfid, name, datatype, ndims, dim);
    if (varid < 0 || put_identity(cdfid, varid, VR_VARTYPE_DIMWIDTH) < 0 ||
        vrattputstr(cdfid, varid, "spacing", ndims == 1 ? "irregular" : "regular__") < 0 ||
        vrattputstr(cdfid, varid, "filtertype", "square____") < 0)
        VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(varid);
}

int VR_create_root_variable(int cdfid, const char *name) {
    VR_ENTRY("VR_create_root_variable");
    int varid = define_variable(cdfid, name, NC_INT, 0, nullptr);
    if (varid < 0 || put_identity(cdfid, varid, VR_VARTYPE_GROUP) < 0 ||
        vrattputstr(cdfid, varid, "parent", "") < 0)
        VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(varid);
}

// Makes varid a child of "rootvariable" (created when missing) and marks it
// as a group variable.
int VR_add_stdgroup(int cdfid, int varid) {
    VR_ENTRY("VR_add_stdgroup");
    int root = quiet_varid(cdfid, "rootvariable");
    if (root < 0) root = VR_create_root_variable(cdfid, "rootvariable");
    if (root < 0 || vradd_child(cdfid, root, varid) < 0 ||
        put_identity(cdfid, varid, VR_VARTYPE_GROUP) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(VR_NOERROR);
}

int VR_create_simple_variable(int cdfid, const char *name) {
    VR_ENTRY("VR_create_simple_variable");
    int varid = define_variable(cdfid, name, NC_INT, 0, nullptr);
    if (varid < 0 || VR_add_stdgroup(cdfid, varid) < 0) VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(varid);
}

int VR_create_image_variable(int cdfid, const char *name, nc_type datatype, int ndims,
                             const int dim[]) {
    VR_ENTRY("VR_create_image_variable");
    const char *const range_names[] = {"image-max", "image-min"};
    int range_ids[2];
    for (int i = 0; i < 2; i++) {
        range_ids[i] = quiet_varid(cdfid, range_names[i]);
        if (range_ids[i] < 0) continue;
        std::vector<int> range_dims;
        if (!VR_var_dimensions(cdfid, range_ids[i], &range_dims)) {
            vrlog_message(VR_MSG_VARINQ);
            VR_RETURN_ERROR(VR_ERROR);
        }
        if (VR_verify_maxmin_dims(cdfid, ndims, dim, static_cast<int>(range_dims.size()),
                                  range_dims.data()) < 0)
            VR_RETURN_ERROR(VR_ERROR);
    }
    int varid = define_variable(cdfid, name, datatype, ndims, dim);
    if (varid < 0 || VR_add_stdgroup(cdfid, varid) < 0) VR_RETURN_ERROR(VR_ERROR);
    for (int i = 0; i < 2; i++)
        if (range_ids[i] >= 0 && vrattput_pointer(cdfid, varid, range_names[i], range_ids[i]) < 0)
            VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(varid);
}

// Writes value as the variable's "_FillValue" in its own type; types
// without a fill value get none.
int put_fill_value(int cdfid, int varid, nc_type datatype, int value) {
    signed char as_byte = static_cast<signed char>(value);
    short as_short = static_cast<short>(value);
    float as_float = static_cast<float>(value);
    double as_double = value;
    const void *stored;
    switch (datatype) {
    case NC_BYTE:
        stored = &as_byte;
        break;
    case NC_SHORT:
        stored = &as_short;
        break;
    case NC_INT:
        stored = &value;
        break;
    case NC_FLOAT:
        stored = &as_float;
        break;
    case NC_DOUBLE:
        stored = &as_double;
        break;
    default:
        return VR_NOERROR;
    }
    if (VR2attput(cdfid, varid, "_FillValue", datatype, 1, stored) < 0) {
        vrlog_message(VR_MSG_WRITEATTR, "_FillValue");
        return VR_ERROR;
    }
    return VR_NOERROR;
}

int VR_create_imaxmin_variable(int cdfid, const char *name, nc_type datatype, int ndims,
                               const int dim[]) {
    VR_ENTRY("VR_create_imaxmin_variable");
    int image = quiet_varid(cdfid, "image");
    if (image >= 0) {
        std::vector<int> image_dims;
        if (!VR_var_dimensions(cdfid, image, &image_dims)) {
            vrlog_message(VR_MSG_VARINQ);
            VR_RETURN_ERROR(VR_ERROR);
        }
        if (VR_verify_maxmin_dims(cdfid, static_cast<int>(image_dims.size()), image_dims.data(),
                                  ndims, dim) < 0)
            VR_RETURN_ERROR(VR_ERROR);
    }
    int varid = define_variable(cdfid, name, datatype, ndims, dim);
    if (varid < 0 || put_identity(cdfid, varid, VR_VARTYPE_ATTRIBUTE) < 0 ||
        put_fill_value(cdfid, varid, datatype, strcmp(name, "image-max") == 0 ? 1 : 0) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    if (image >= 0 && vrattput_pointer(cdfid, image, name, varid) < 0) VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(varid);
}

} // namespace

int vrcreate_std_variable(int cdfid, const char *name, nc_type datatype, int ndims,
                          const int dim[]) {
    VR_ENTRY("vrcreate_std_variable");
    if (name == nullptr || ndims < 0 || (ndims > 0 && dim == nullptr)) {
        vrlog_message(VR_MSG_VARNOTSTD, name != nullptr ? name : "");
        VR_RETURN_ERROR(VR_ERROR);
    }
    int varid;
    if (VR_is_in_list(name, dimension_variables))
        varid = VR_create_dim_variable(cdfid, name, datatype, ndims, dim);
    else if (VR_is_in_list(name, dimwidth_variables))
        varid = VR_create_dimwidth_variable(cdfid, name, datatype, ndims, dim);
    else if (strcmp(name, "image") == 0)
        varid = VR_create_image_variable(cdfid, name, datatype, ndims, dim);
    else if (strcmp(name, "image-max") == 0 || strcmp(name, "image-min") == 0)
        varid = VR_create_imaxmin_variable(cdfid, name, datatype, ndims, dim);
    else if (strcmp(name, "rootvariable") == 0)
        varid = VR_create_root_variable(cdfid, name);
    else if (strcmp(name, "patient") == 0 || strcmp(name, "study") == 0 ||
             strcmp(name, "acquisition") == 0)
        varid = VR_create_simple_variable(cdfid, name);
    else {
        vrlog_message(VR_MSG_VARNOTSTD, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN_STATUS(varid);
}

int vrcreate_group_variable(int cdfid, const char *name) {
    VR_ENTRY("vrcreate_group_variable");
    VR_RETURN_STATUS(vrcreate_std_variable(cdfid, name, NC_INT, 0, nullptr));
}

int vrvar_exists(int cdfid, const char *varname) {
    VR_ENTRY("vrvar_exists");
    VR_RETURN(varname != nullptr && quiet_varid(cdfid, varname) >= 0 ? TRUE : FALSE);
}

int vrattput_pointer(int cdfid, int varid, const char *name, int ptrvarid) {
    VR_ENTRY("vrattput_pointer");
    char target[NC_MAX_NAME + 1];
    char owner[NC_MAX_NAME + 1];
    if (VR2varname(cdfid, ptrvarid, target) < 0) {
        vrlog_message(VR_MSG_FINDVAR, ptrvarid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (VR2varname(cdfid, varid, owner) < 0) {
        vrlog_message(VR_MSG_FINDVAR, varid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    char pointer[sizeof(VR_POINTER_PREFIX) + NC_MAX_NAME + 1];
    snprintf(pointer, sizeof(pointer), "%s%s", VR_POINTER_PREFIX, target);
    if (vrattputstr(cdfid, varid, name, pointer) < 0 ||
        vrattputstr(cdfid, ptrvarid, "parent", owner) < 0 ||
        vrattputstr(cdfid, ptrvarid, "vartype", VR_VARTYPE_ATTRIBUTE) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(VR_NOERROR);
}

int vrattget_pointer(int cdfid, int varid, const char *name) {
    VR_ENTRY("vrattget_pointer");
    char pointer[134];
    if (vrattgetstr(cdfid, varid, name, sizeof(pointer), pointer) == nullptr)
        VR_RETURN_ERROR(VR_ERROR);
    size_t prefix_length = strlen(VR_POINTER_PREFIX);
    if (strncmp(pointer, VR_POINTER_PREFIX, prefix_length) != 0) {
        vrlog_message(VR_MSG_ATTRNOTPTR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN_STATUS(VR2varid(cdfid, pointer + prefix_length));
}

namespace {

// Whether name is one of the newline-separated names of text.
bool has_line(const char *text, size_t length, const char *name) {
    size_t name_length = strlen(name);
    size_t line_start = 0;
    while (line_start <= length) {
        const char *line = text + line_start;
        const void *newline = memchr(line, '\n', length - line_start);
        size_t line_length = newline != nullptr
                                 ? static_cast<size_t>(static_cast<const char *>(newline) - line)
                                 : length - line_start;
        if (line_length == name_length && memcmp(line, name, name_length) == 0) return true;
        if (newline == nullptr) break;
        line_start += line_length + 1;
    }
    return false;
}

} // namespace

int vradd_child(int cdfid, int parent_varid, int child_varid) {
    VR_ENTRY("vradd_child");
    char child[NC_MAX_NAME + 1];
    char parent[NC_MAX_NAME + 1];
    if (VR2varname(cdfid, child_varid, child) < 0) {
        vrlog_message(VR_MSG_FINDVAR, child_varid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (VR2varname(cdfid, parent_varid, parent) < 0) {
        vrlog_message(VR_MSG_FINDVAR, parent_varid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    nc_type type = NC_CHAR;
    int stored_length = 0;
    {
        VR_ncopts_scope quiet(0);
        if (VR2attinq(cdfid, parent_varid, "children", &type, &stored_length) < 0 ||
            type != NC_CHAR || stored_length < 0)
            stored_length = 0;
    }
    // Room for the old names, a newline, the new name and the terminator.
    size_t length = static_cast<size_t>(stored_length);
    size_t size = length + 1 + strlen(child) + 1;
    char *text = static_cast<char *>(malloc(size));
    if (text == nullptr) {
        vrlog_message(VR_MSG_OUTOFMEM, static_cast<int>(size)); // fatal
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (length > 0 && VR2attget(cdfid, parent_varid, "children", text) < 0) {
        free(text);
        vrlog_message(VR_MSG_READATTR, "children");
        VR_RETURN_ERROR(VR_ERROR);
    }
    length = strnlen(text, length); // the stored text ends with its terminator
    if (!has_line(text, length, child)) {
        if (length > 0) text[length++] = '\n';
        strcpy(text + length, child);
    } else {
        text[length] = '\0';
    }
    int status = vrattputstr(cdfid, parent_varid, "children", text) < 0 ||
                         vrattputstr(cdfid, child_varid, "parent", parent) < 0
                     ? VR_ERROR
                     : VR_NOERROR;
    free(text);
    VR_RETURN_STATUS(status);
}
