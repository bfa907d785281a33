#include "vr_history.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <netcdf.h>

#include "vr_basic.h"
#include "vr_dispatch.h"
#include "vr_dispatch_table.h"

int vrappend_history(int fd, const char *tm_stamp) {
    if (tm_stamp == nullptr) return VR_ERROR;
    nc_type type = NC_CHAR;
    int stored_length = 0;
    {
        VR_ncopts_scope quiet(0);
        if (VR2attinq(fd, NC_GLOBAL, "history", &type, &stored_length) < 0 || type != NC_CHAR ||
            stored_length < 0)
            stored_length = 0;
    }
    size_t length = static_cast<size_t>(stored_length);
    size_t stamp_length = strlen(tm_stamp);
    char *text = static_cast<char *>(malloc(length + stamp_length + 2));
    if (text == nullptr) return VR_ERROR;
    if (length > 0) {
        if (VR2attget(fd, NC_GLOBAL, "history", text) < 0) {
            free(text);
            return VR_ERROR;
        }
        while (length > 0 && text[length - 1] == '\0')
            length--;
        if (length > 0 && text[length - 1] != '\n') text[length++] = '\n';
    }
    memcpy(text + length, tm_stamp, stamp_length + 1);
    length += stamp_length + 1;
    int status = length > static_cast<size_t>(INT32_MAX)
                     ? -1
                     : VR2attput(fd, NC_GLOBAL, "history", NC_CHAR, static_cast<int>(length), text);
    free(text);
    return status < 0 ? VR_ERROR : VR_NOERROR;
}

const char *vrget_version(void) {
    return "2.0.09";
}
