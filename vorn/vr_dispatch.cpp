// The VR2 calls and the registry that finds each open file's back end.

#include "vr_dispatch.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "hdf_internal.h"
#include "vr_dispatch_table.h"

namespace {

struct registered_file {
    int id;
    const struct vr_dispatch *dispatch;
};

std::vector<registered_file> &registry() {
    static std::vector<registered_file> files;
    return files;
}

// netCDF hands out file identifiers whose low 16 bits are zero, so ours
// always have some of them set.
const int own_id_base = 0x7e000000;
const int own_id_span = 0xffff;
int last_own_slot = 0;

registered_file *find_registered(int id) {
    for (registered_file &file : registry())
        if (file.id == id) return &file;
    return nullptr;
}

} // namespace

int VR_register_own_file(const struct vr_dispatch *dispatch) {
    for (int tries = 0; tries < own_id_span; tries++) {
        last_own_slot = last_own_slot % own_id_span + 1;
        int id = own_id_base + last_own_slot;
        if (find_registered(id) == nullptr) {
            registry().push_back({id, dispatch});
            return id;
        }
    }
    return -1;
}

void VR_register_file(int id, const struct vr_dispatch *dispatch) {
    registered_file *file = find_registered(id);
    if (file != nullptr)
        file->dispatch = dispatch;
    else
        registry().push_back({id, dispatch});
}

void VR_unregister_file(int id) {
    std::vector<registered_file> &files = registry();
    for (size_t i = 0; i < files.size(); i++) {
        if (files[i].id == id) {
            files.erase(files.begin() + static_cast<long>(i));
            return;
        }
    }
}

const struct vr_dispatch *VR_dispatch_of(int id) {
    VR_netcdf_defaults();
    registered_file *file = find_registered(id);
    return file != nullptr ? file->dispatch : &VR_netcdf_dispatch;
}

int VR_is_remote_name(const char *path) {
    return path != nullptr && strstr(path, "://") != nullptr;
}

int VR2inquire(int fd, int *ndims_ptr, int *nvars_ptr, int *natts_ptr, int *unlimdim_ptr) {
    return VR_dispatch_of(fd)->inquire(fd, ndims_ptr, nvars_ptr, natts_ptr, unlimdim_ptr);
}

int VR2sync(int fd) {
    return VR_dispatch_of(fd)->sync(fd);
}

int VR2endef(int fd) {
    return VR_dispatch_of(fd)->endef(fd);
}

int VR2redef(int fd) {
    return VR_dispatch_of(fd)->redef(fd);
}

int VR2setfill(int fd, int fillmode) {
    return VR_dispatch_of(fd)->setfill(fd, fillmode);
}

int VR2dimdef(int fd, const char *dimnm, long length) {
    return VR_dispatch_of(fd)->dimdef(fd, dimnm, length);
}

int VR2dimid(int fd, const char *dimnm) {
    return VR_dispatch_of(fd)->dimid(fd, dimnm);
}

int VR2diminq(int fd, int dimid, char *dimnm_ptr, long *len_ptr) {
    return VR_dispatch_of(fd)->diminq(fd, dimid, dimnm_ptr, len_ptr);
}

int VR2dimrename(int fd, int dimid, const char *new_name) {
    return VR_dispatch_of(fd)->dimrename(fd, dimid, new_name);
}

int VR2vardef(int fd, const char *varnm, nc_type vartype, int ndims, const int *dimids) {
    return VR_dispatch_of(fd)->vardef(fd, varnm, vartype, ndims, dimids);
}

int VR2varid(int fd, const char *varnm) {
    return VR_dispatch_of(fd)->varid(fd, varnm);
}

int VR2varinq(int fd, int varid, char *varnm_ptr, nc_type *type_ptr, int *ndims_ptr, int *dims_ptr,
              int *natts_ptr) {
    return VR_dispatch_of(fd)->varinq(fd, varid, varnm_ptr, type_ptr, ndims_ptr, dims_ptr,
                                      natts_ptr);
}

int VR2varname(int fd, int varid, char *varnm) {
    return VR_dispatch_of(fd)->varname(fd, varid, varnm);
}

int VR2varget(int fd, int varid, const long *start_ptr, const long *count_ptr, void *val_ptr) {
    return VR_dispatch_of(fd)->varget(fd, varid, start_ptr, count_ptr, val_ptr);
}

int VR2varput(int fd, int varid, const long *start_ptr, const long *count_ptr,
              const void *val_ptr) {
    return VR_dispatch_of(fd)->varput(fd, varid, start_ptr, count_ptr, val_ptr);
}

int VR2varput1(int fd, int varid, const long *mindex_ptr, const void *val_ptr) {
    return VR_dispatch_of(fd)->varput1(fd, varid, mindex_ptr, val_ptr);
}

int VR2vargetg(int fd, int varid, const long *start, const long *edges, const long *stride,
               const long *map, void *value) {
    return VR_dispatch_of(fd)->vargetg(fd, varid, start, edges, stride, map, value);
}

int VR2varputg(int fd, int varid, const long *start, const long *edges, const long *stride,
               const long *map, const void *value) {
    return VR_dispatch_of(fd)->varputg(fd, varid, start, edges, stride, map, value);
}

int VR2attinq(int fd, int varid, const char *attnm, nc_type *type_ptr, int *length_ptr) {
    return VR_dispatch_of(fd)->attinq(fd, varid, attnm, type_ptr, length_ptr);
}

int VR2attget(int fd, int varid, const char *attnm, void *value) {
    return VR_dispatch_of(fd)->attget(fd, varid, attnm, value);
}

int VR2attput(int fd, int varid, const char *attnm, nc_type val_typ, int val_len,
              const void *val_ptr) {
    return VR_dispatch_of(fd)->attput(fd, varid, attnm, val_typ, val_len, val_ptr);
}

int VR2attname(int fd, int varid, int attnum, char *name) {
    return VR_dispatch_of(fd)->attname(fd, varid, attnum, name);
}

int VR2attdel(int fd, int varid, const char *attnm) {
    return VR_dispatch_of(fd)->attdel(fd, varid, attnm);
}

int VR2typelen(nc_type type) {
    size_t size = m2_nc_type_size(type);
    if (size == 0) {
        fprintf(stderr, "Unknown type %d", static_cast<int>(type));
        return -1;
    }
    return static_cast<int>(size);
}

int VR2attcopy(int infd, int invarid, const char *name, int outfd, int outvarid) {
    const struct vr_dispatch *in = VR_dispatch_of(infd);
    const struct vr_dispatch *out = VR_dispatch_of(outfd);
    if (in == &VR_netcdf_dispatch && out == &VR_netcdf_dispatch)
        return ncattcopy(infd, invarid, name, outfd, outvarid);

    nc_type type;
    int length;
    if (in->attinq(infd, invarid, name, &type, &length) < 0) return -1;
    int type_size = VR2typelen(type);
    if (type_size < 0 || length < 0) return -1;
    // An empty text becomes one NUL, which both containers can hold.
    size_t size = static_cast<size_t>(length) * static_cast<size_t>(type_size);
    std::vector<unsigned char> value(size > 0 ? size : 1, 0);
    if (length > 0 && in->attget(infd, invarid, name, value.data()) < 0) return -1;
    if (length == 0 && type == NC_CHAR) length = 1;
    return out->attput(outfd, outvarid, name, type, length, value.data());
}
