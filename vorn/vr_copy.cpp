#include "vr_copy.h"

#include <cstring>
#include <vector>

#include "vr_dispatch.h"
#include "vr_dispatch_table.h"
#include "vr_log.h"
#include "vr_var.h"
#include "vr_varaccess.h"

// Pieces of a value copy stay within this many bytes.
static const long copy_piece_bytes = 10000;

static bool is_excluded(int varid, int nexclude, const int excluded_vars[]) {
    for (int i = 0; excluded_vars != nullptr && i < nexclude; i++)
        if (excluded_vars[i] == varid) return true;
    return false;
}

// Type and dimension ids of a variable, asking for their number first.
static bool inquire_variable(int cdfid, int varid, char *name, nc_type *type,
                             std::vector<int> *dims) {
    int ndims;
    if (VR2varinq(cdfid, varid, name, type, &ndims, nullptr, nullptr) < 0 || ndims < 0)
        return false;
    dims->assign(static_cast<size_t>(ndims), -1);
    if (ndims == 0) return true;
    return VR2varinq(cdfid, varid, nullptr, nullptr, nullptr, dims->data(), nullptr) >= 0;
}

int vrcopy_all_atts(int incdfid, int invarid, int outcdfid, int outvarid) {
    VR_ENTRY("vrcopy_all_atts");
    if ((invarid == NC_GLOBAL) != (outvarid == NC_GLOBAL)) VR_RETURN(VR_NOERROR);
    int natts;
    int status = invarid == NC_GLOBAL
                     ? VR2inquire(incdfid, nullptr, nullptr, &natts, nullptr)
                     : VR2varinq(incdfid, invarid, nullptr, nullptr, nullptr, nullptr, &natts);
    if (status < 0) {
        vrlog_message(VR_MSG_ATTRCOUNT);
        VR_RETURN_ERROR(VR_ERROR);
    }
    char name[NC_MAX_NAME + 1];
    for (int i = 0; i < natts; i++) {
        if (VR2attname(incdfid, invarid, i, name) < 0) {
            vrlog_message(VR_MSG_ATTRNAME);
            VR_RETURN_ERROR(VR_ERROR);
        }
        bool exists;
        {
            VR_ncopts_scope quiet(0);
            exists = VR2attinq(outcdfid, outvarid, name, nullptr, nullptr) >= 0;
        }
        if (exists && strcmp(name, "signtype") != 0) continue;
        if (VR2attcopy(incdfid, invarid, name, outcdfid, outvarid) < 0) {
            vrlog_message(VR_MSG_COPYATTR, name);
            VR_RETURN_ERROR(VR_ERROR);
        }
    }
    VR_RETURN(VR_NOERROR);
}

// The output dimension matching one input dimension, defined when missing.
static int copy_dimension(int incdfid, int indim, int recdim, int outcdfid) {
    char dimname[NC_MAX_NAME + 1];
    long inlength, outlength;
    if (VR2diminq(incdfid, indim, dimname, &inlength) < 0) {
        vrlog_message(VR_MSG_DIMINQ);
        return VR_ERROR;
    }
    int outdim;
    {
        VR_ncopts_scope quiet(0);
        outdim = VR2dimid(outcdfid, dimname);
    }
    if (outdim >= 0) {
        if (VR2diminq(outcdfid, outdim, nullptr, &outlength) < 0) return VR_ERROR;
        if (inlength != 0 && outlength != 0 && inlength != outlength) {
            vrlog_message(VR_MSG_VARCONFLICT);
            return VR_ERROR;
        }
        return outdim;
    }
    if (indim == recdim) {
        VR_ncopts_scope quiet(0);
        outdim = VR2dimdef(outcdfid, dimname, NC_UNLIMITED);
    }
    if (outdim < 0) outdim = VR2dimdef(outcdfid, dimname, inlength > 0 ? inlength : 1);
    if (outdim < 0) {
        vrlog_message(VR_MSG_DIMDEF, dimname);
        return VR_ERROR;
    }
    return outdim;
}

int vrcopy_var_def(int incdfid, int invarid, int outcdfid) {
    VR_ENTRY("vrcopy_var_def");
    char name[NC_MAX_NAME + 1];
    nc_type type;
    std::vector<int> indims;
    if (!inquire_variable(incdfid, invarid, name, &type, &indims)) {
        vrlog_message(VR_MSG_VARINQ);
        VR_RETURN_ERROR(VR_ERROR);
    }
    int recdim;
    if (VR2inquire(incdfid, nullptr, nullptr, nullptr, &recdim) < 0) {
        vrlog_message(VR_MSG_UNLIMDIM);
        VR_RETURN_ERROR(VR_ERROR);
    }
    std::vector<int> outdims(indims.size());
    for (size_t i = 0; i < indims.size(); i++) {
        outdims[i] = copy_dimension(incdfid, indims[i], recdim, outcdfid);
        if (outdims[i] < 0) VR_RETURN_ERROR(VR_ERROR);
    }
    int outvarid =
        VR2vardef(outcdfid, name, type, static_cast<int>(outdims.size()), outdims.data());
    if (outvarid < 0) {
        vrlog_message(VR_MSG_VARDEF, name);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (vrcopy_all_atts(incdfid, invarid, outcdfid, outvarid) < 0) VR_RETURN_ERROR(VR_ERROR);
    VR_RETURN(outvarid);
}

// Moves one piece: read from the input, written at the same place in the
// output.
static int VR_vcopy_action(int, long start[], long count[], long, void *var_buffer,
                           void *caller_data) {
    auto *vcopy = static_cast<vr_vcopy_type *>(caller_data);
    if (VR2varget(vcopy->incdfid, vcopy->invarid, start, count, var_buffer) < 0) return VR_ERROR;
    if (VR2varput(vcopy->outcdfid, vcopy->outvarid, start, count, var_buffer) < 0) return VR_ERROR;
    return VR_NOERROR;
}

int vrcopy_var_values(int incdfid, int invarid, int outcdfid, int outvarid) {
    VR_ENTRY("vrcopy_var_values");
    nc_type intype, outtype;
    std::vector<int> indims, outdims;
    if (!inquire_variable(incdfid, invarid, nullptr, &intype, &indims) ||
        !inquire_variable(outcdfid, outvarid, nullptr, &outtype, &outdims) || intype != outtype ||
        indims.size() != outdims.size()) {
        vrlog_message(VR_MSG_VARMISMATCH);
        VR_RETURN_ERROR(VR_ERROR);
    }
    std::vector<long> insize(indims.size() + 1), outsize(outdims.size() + 1);
    if (vrvarsize(incdfid, invarid, insize.data()) < 0 ||
        vrvarsize(outcdfid, outvarid, outsize.data()) < 0) {
        vrlog_message(VR_MSG_VARMISMATCH);
        VR_RETURN_ERROR(VR_ERROR);
    }
    for (size_t i = 0; i < indims.size(); i++) {
        if (insize[i] != 0 && outsize[i] != 0 && insize[i] != outsize[i]) {
            vrlog_message(VR_MSG_VARDIFFSIZE);
            VR_RETURN_ERROR(VR_ERROR);
        }
    }
    int value_size = VR2typelen(intype);
    if (value_size < 0) {
        vrlog_message(VR_MSG_VARMISMATCH);
        VR_RETURN_ERROR(VR_ERROR);
    }
    vr_vcopy_type vcopy = {value_size, incdfid, outcdfid, invarid, outvarid};
    std::vector<long> start(indims.size() + 1, 0);
    int status = VR_var_loop(static_cast<int>(indims.size()), start.data(), insize.data(),
                             value_size, nullptr, copy_piece_bytes, &vcopy, VR_vcopy_action);
    if (status < 0) {
        vrlog_message(VR_MSG_COPYVAR);
        VR_RETURN_ERROR(status);
    }
    VR_RETURN(status);
}

int vrcopy_all_var_defs(int incdfid, int outcdfid, int nexclude, const int excluded_vars[]) {
    VR_ENTRY("vrcopy_all_var_defs");
    int nvars;
    if (VR2inquire(incdfid, nullptr, &nvars, nullptr, nullptr) < 0) VR_RETURN_ERROR(VR_ERROR);
    for (int varid = 0; varid < nvars; varid++) {
        if (is_excluded(varid, nexclude, excluded_vars)) continue;
        if (vrcopy_var_def(incdfid, varid, outcdfid) < 0) VR_RETURN_ERROR(VR_ERROR);
    }
    if (is_excluded(NC_GLOBAL, nexclude, excluded_vars)) VR_RETURN(VR_NOERROR);
    VR_RETURN_STATUS(vrcopy_all_atts(incdfid, NC_GLOBAL, outcdfid, NC_GLOBAL));
}

int vrcopy_all_var_values(int incdfid, int outcdfid, int nexclude, const int excluded_vars[]) {
    VR_ENTRY("vrcopy_all_var_values");
    int nvars;
    if (VR2inquire(incdfid, nullptr, &nvars, nullptr, nullptr) < 0) {
        vrlog_message(VR_MSG_VARCOUNT);
        VR_RETURN_ERROR(VR_ERROR);
    }
    char name[NC_MAX_NAME + 1];
    for (int varid = 0; varid < nvars; varid++) {
        if (is_excluded(varid, nexclude, excluded_vars)) continue;
        if (VR2varinq(incdfid, varid, name, nullptr, nullptr, nullptr, nullptr) < 0) {
            vrlog_message(VR_MSG_VARINQ);
            VR_RETURN_ERROR(VR_ERROR);
        }
        int outvarid = VR2varid(outcdfid, name);
        if (outvarid < 0) {
            vrlog_message(VR_MSG_OUTPUTVAR, name);
            VR_RETURN_ERROR(VR_ERROR);
        }
        if (vrcopy_var_values(incdfid, varid, outcdfid, outvarid) < 0) VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}
