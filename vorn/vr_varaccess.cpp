#include "vr_varaccess.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "vr_convert.h"
#include "vr_dispatch.h"
#include "vr_dispatch_table.h"
#include "vr_log.h"

// Every caller in the library moves at most this many bytes per piece.
static const long piece_bytes = 10000;

int VR_var_loop(int ndims, const long start[], const long count[], int value_size,
                const int *bufsize_step, long max_buffer_size, void *caller_data,
                VR_var_loop_action action_func) {
    VR_ENTRY("VR_var_loop");
    if (value_size <= 0 || ndims < 0) VR_RETURN_ERROR(VR_ERROR);
    if (max_buffer_size < value_size) max_buffer_size = value_size;

    if (ndims == 0) {
        std::vector<unsigned char> buffer(static_cast<size_t>(value_size));
        long none = 0;
        VR_RETURN_STATUS(action_func(0, &none, &none, 1, buffer.data(), caller_data) < 0
                             ? VR_ERROR
                             : VR_NOERROR);
    }
    for (int i = 0; i < ndims; i++)
        if (count[i] <= 0) VR_RETURN(VR_NOERROR); // nothing to move

    // Fold the fastest dimensions into one block while it fits, never the
    // slowest one; the first dimension not folded is the stepping one.
    size_t n = static_cast<size_t>(ndims);
    long block = 1;
    int stepping = ndims - 1;
    while (stepping >= 1 && count[stepping] <= max_buffer_size / (value_size * block)) {
        block *= count[stepping];
        stepping--;
    }
    long ntimes = max_buffer_size / (block * value_size);
    if (ntimes > count[stepping]) ntimes = count[stepping];
    if (ntimes < count[stepping] && bufsize_step != nullptr && bufsize_step[stepping] > 1)
        ntimes -= ntimes % bufsize_step[stepping];
    if (ntimes < 1) ntimes = 1;

    size_t buffer_size =
        static_cast<size_t>(ntimes) * static_cast<size_t>(block) * static_cast<size_t>(value_size);
    void *buffer = malloc(buffer_size);
    if (buffer == nullptr) {
        vrlog_message(VR_MSG_OUTOFMEM, static_cast<int>(buffer_size));
        VR_RETURN_ERROR(VR_ERROR);
    }
    std::vector<long> piece_start(start, start + n), piece_count(n, 1);
    for (size_t i = static_cast<size_t>(stepping) + 1; i < n; i++)
        piece_count[i] = count[i];
    int status = VR_NOERROR;
    bool done = false;
    while (!done) {
        long remaining = start[stepping] + count[stepping] - piece_start[stepping];
        piece_count[stepping] = remaining < ntimes ? remaining : ntimes;
        long nvalues = piece_count[stepping] * block;
        if (action_func(ndims, piece_start.data(), piece_count.data(), nvalues, buffer,
                        caller_data) < 0) {
            status = VR_ERROR;
            break;
        }
        // Advance like an odometer: the stepping dimension by its piece,
        // slower ones by one.
        piece_start[stepping] += piece_count[stepping];
        for (int i = stepping; i >= 0; i--) {
            if (piece_start[i] < start[i] + count[i]) break;
            if (i == 0) {
                done = true;
                break;
            }
            piece_start[i] = start[i];
            piece_start[i - 1]++;
        }
    }
    free(buffer);
    VR_RETURN_STATUS(status);
}

void VR_read_signtype(int cdfid, int varid, char *sign, int maxlen) {
    sign[0] = '\0';
    VR_ncopts_scope quiet(0);
    nc_type type;
    int length;
    if (VR2attinq(cdfid, varid, "signtype", &type, &length) < 0 || type != NC_CHAR || length < 0 ||
        length > maxlen - 1)
        return;
    if (VR2attget(cdfid, varid, "signtype", sign) < 0) length = 0;
    sign[length] = '\0';
}

namespace {

struct access_state {
    int operation;
    int cdfid, varid;
    nc_type var_type, call_type;
    int var_sign, call_sign;
    int call_value_size;
    unsigned char *values; // the caller's buffer, advanced piece by piece
    void *all_values;      // the caller's whole buffer
    vr_icv_type *icvp;
};

int VR_var_action(int, long start[], long count[], long nvalues, void *var_buffer,
                  void *caller_data) {
    auto *state = static_cast<access_state *>(caller_data);
    bool dimconvert = state->icvp != nullptr && state->icvp->do_dimconvert &&
                      state->icvp->dimconvert_func != nullptr;
    if (state->operation == VR_PRIV_GET) {
        if (VR2varget(state->cdfid, state->varid, start, count, var_buffer) < 0) return VR_ERROR;
        if (dimconvert)
            return state->icvp->dimconvert_func(state->operation, state->icvp, start, count,
                                                state->all_values, start, count, var_buffer);
        if (VR_convert_type(nvalues, state->var_type, state->var_sign, var_buffer, state->call_type,
                            state->call_sign, state->values, state->icvp) < 0)
            return VR_ERROR;
    } else {
        if (dimconvert) {
            if (state->icvp->dimconvert_func(state->operation, state->icvp, start, count,
                                             state->all_values, start, count, var_buffer) < 0)
                return VR_ERROR;
        } else if (VR_convert_type(nvalues, state->call_type, state->call_sign, state->values,
                                   state->var_type, state->var_sign, var_buffer, state->icvp) < 0) {
            return VR_ERROR;
        }
        if (VR2varput(state->cdfid, state->varid, start, count, var_buffer) < 0) return VR_ERROR;
    }
    if (!dimconvert) state->values += nvalues * state->call_value_size;
    return VR_NOERROR;
}

} // namespace

int VR_varaccess(int operation, int cdfid, int varid, const long start[], const long count[],
                 nc_type datatype, int sign, void *values, const int *bufsize_step,
                 vr_icv_type *icvp) {
    VR_ENTRY("VR_varaccess");
    if (operation != VR_PRIV_GET && operation != VR_PRIV_PUT) {
        vrlog_message(VR_MSG_BADOP);
        VR_RETURN_ERROR(VR_ERROR);
    }
    nc_type var_type;
    int ndims;
    if (VR2varinq(cdfid, varid, nullptr, &var_type, &ndims, nullptr, nullptr) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    if (var_type == NC_CHAR || datatype == NC_CHAR) {
        vrlog_message(VR_MSG_VARNOTNUM);
        VR_RETURN_ERROR(VR_ERROR);
    }
    int var_size = VR2typelen(var_type);
    int call_size = VR2typelen(datatype);
    if (var_size < 0 || call_size < 0) VR_RETURN_ERROR(VR_ERROR);

    char signtype[65];
    VR_read_signtype(cdfid, varid, signtype, sizeof(signtype));
    int var_sign = VR_get_sign_from_string(var_type, signtype);
    int call_sign = VR_get_sign(datatype, sign);

    bool convert =
        var_type != datatype || var_sign != call_sign ||
        (icvp != nullptr && (icvp->do_scale || icvp->do_dimconvert || icvp->do_fillvalue));
    if (!convert) {
        int status = operation == VR_PRIV_GET ? VR2varget(cdfid, varid, start, count, values)
                                              : VR2varput(cdfid, varid, start, count, values);
        VR_RETURN_STATUS(status < 0 ? VR_ERROR : VR_NOERROR);
    }
    access_state state{operation, cdfid,     varid,
                       var_type,  datatype,  var_sign,
                       call_sign, call_size, static_cast<unsigned char *>(values),
                       values,    icvp};
    VR_RETURN_STATUS(VR_var_loop(ndims, start, count, var_size, bufsize_step, piece_bytes, &state,
                                 VR_var_action));
}
