#include "vr_attr.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vr_convert.h"
#include "vr_dispatch.h"
#include "vr_log.h"

int vrattget_with_sign(int cdfid, int varid, const char *name, const char *insign, nc_type datatype,
                       const char *outsign, int max_length, void *value, int *att_length) {
    VR_ENTRY("vrattget_with_sign");
    nc_type att_type;
    int length;
    if (VR2attinq(cdfid, varid, name, &att_type, &length) < 0) {
        vrlog_message(VR_MSG_FINDATTR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (att_length != nullptr) *att_length = length;
    if (datatype == NC_CHAR || att_type == NC_CHAR) {
        vrlog_message(VR_MSG_ATTRNOTNUM, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (datatype == att_type && max_length >= length) {
        if (VR2attget(cdfid, varid, name, value) < 0) {
            vrlog_message(VR_MSG_READATTR, name);
            VR_RETURN_ERROR(VR_ERROR);
        }
        VR_RETURN(VR_NOERROR);
    }

    int type_size = VR2typelen(att_type);
    if (type_size < 0 || length < 0) {
        vrlog_message(VR_MSG_READATTR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    size_t size = static_cast<size_t>(length) * static_cast<size_t>(type_size);
    void *buffer = malloc(size > 0 ? size : 1);
    if (buffer == nullptr) vrlog_message(VR_MSG_NOMEMATTR, name); // fatal
    if (length > 0 && VR2attget(cdfid, varid, name, buffer) < 0) {
        free(buffer);
        vrlog_message(VR_MSG_READATTR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    long count = max_length < length ? (max_length > 0 ? max_length : 0) : length;
    int status =
        VR_convert_type(count, att_type, VR_get_sign_from_string(att_type, insign), buffer,
                        datatype, VR_get_sign_from_string(datatype, outsign), value, nullptr);
    free(buffer);
    if (status < 0) {
        vrlog_message(VR_MSG_CONVATTR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}

int vrattget(int cdfid, int varid, const char *name, nc_type datatype, int max_length, void *value,
             int *att_length) {
    VR_ENTRY("vrattget");
    VR_RETURN_STATUS(vrattget_with_sign(cdfid, varid, name, nullptr, datatype, nullptr, max_length,
                                        value, att_length));
}

int vrattget1(int cdfid, int varid, const char *name, nc_type datatype, void *value) {
    VR_ENTRY("vrattget1");
    int att_length;
    if (vrattget(cdfid, varid, name, datatype, 1, value, &att_length) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    if (att_length != 1) {
        vrlog_message(VR_MSG_ATTRNOTSCALAR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}

char *vrattgetstr(int cdfid, int varid, const char *name, int maxlen, char *value) {
    VR_ENTRY("vrattgetstr");
    nc_type att_type;
    int length;
    if (VR2attinq(cdfid, varid, name, &att_type, &length) < 0) {
        vrlog_message(VR_MSG_FINDATTR, name);
        VR_RETURN_ERROR(nullptr);
    }
    if (att_type != NC_CHAR) {
        vrlog_message(VR_MSG_ATTRNOTSTR, name);
        VR_RETURN_ERROR(nullptr);
    }
    // No room even for the terminator.
    if (maxlen < 1 || value == nullptr || length < 0) {
        vrlog_message(VR_MSG_READATTR, name);
        VR_RETURN_ERROR(nullptr);
    }
    if (length > maxlen) {
        std::vector<char> text(static_cast<size_t>(length));
        if (VR2attget(cdfid, varid, name, text.data()) < 0) {
            vrlog_message(VR_MSG_READATTR, name);
            VR_RETURN_ERROR(nullptr);
        }
        memcpy(value, text.data(), static_cast<size_t>(maxlen) - 1);
        value[maxlen - 1] = '\0';
        VR_RETURN(value);
    }
    if (length > 0 && VR2attget(cdfid, varid, name, value) < 0) {
        vrlog_message(VR_MSG_READATTR, name);
        VR_RETURN_ERROR(nullptr);
    }
    if (length == 0)
        value[0] = '\0';
    else if (value[length - 1] != '\0')
        value[length == maxlen ? maxlen - 1 : length] = '\0';
    VR_RETURN(value);
}

int vrattputstr(int cdfid, int varid, const char *name, const char *value) {
    VR_ENTRY("vrattputstr");
    size_t length = value != nullptr ? strlen(value) + 1 : 0;
    if (value == nullptr || length > INT_MAX ||
        VR2attput(cdfid, varid, name, NC_CHAR, static_cast<int>(length), value) < 0) {
        vrlog_message(VR_MSG_WRITEATTR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}

int vrattputint(int cdfid, int varid, const char *name, int value) {
    VR_ENTRY("vrattputint");
    if (VR2attput(cdfid, varid, name, NC_INT, 1, &value) < 0) {
        vrlog_message(VR_MSG_WRITEATTR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}

int vrattputdbl(int cdfid, int varid, const char *name, double value) {
    VR_ENTRY("vrattputdbl");
    if (VR2attput(cdfid, varid, name, NC_DOUBLE, 1, &value) < 0) {
        vrlog_message(VR_MSG_WRITEATTR, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}
