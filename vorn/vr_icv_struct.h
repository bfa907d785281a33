#ifndef VORN_VR_ICV_STRUCT_H
#define VORN_VR_ICV_STRUCT_H

// The record of an image conversion variable (ICV): the caller's settings
// (user_*), the attached variable (cdfid to var_dim_size) and what is derived
// from both when it is attached or accessed (derv_*). The value conversion
// reads its scale, offset and fill settings.

#include <netcdf.h>

// Signs of values: the type's default, signed, unsigned.
#define VR_PRIV_DEFSIGN 0
#define VR_PRIV_SIGNED 1
#define VR_PRIV_UNSIGNED 2

// Variable access operations.
#define VR_PRIV_GET 10
#define VR_PRIV_PUT 11

// Entries of the per-dimension tables.
#define VR_MAX_IMGDIMS 100
#define VR_MAX_VAR_DIMS 100

typedef struct vr_icv_struct vr_icv_type;

// Moves one piece between the variable's layout and the caller's buffer when
// dimensions are converted.
typedef int (*VR_dimconvert_func)(int operation, vr_icv_type *icvp, long start[], long count[],
                                  void *values, long bufstart[], long bufcount[], void *buffer);

struct vr_icv_struct {
    int do_scale;
    double scale, offset;
    int do_dimconvert;
    VR_dimconvert_func dimconvert_func;
    int do_fillvalue;
    double fill_valid_min, fill_valid_max;

    nc_type user_type;
    int user_typelen;
    int user_sign;
    int user_do_range;
    double user_vmax, user_vmin;
    int user_do_norm;
    int user_user_norm;
    char *user_maxvar; // owned
    char *user_minvar; // owned
    double user_imgmax, user_imgmin;
    int user_do_dimconv;
    int user_do_scalar;
    int user_xdim_dir, user_ydim_dir, user_zdim_dir;
    int user_num_imgdims;
    int user_dim_size[VR_MAX_IMGDIMS];
    int user_keep_aspect;
    int user_do_fillvalue;
    double user_fillvalue;

    int cdfid, varid;
    int imgmaxid, imgminid;
    int var_ndims;
    int var_dim[VR_MAX_VAR_DIMS];
    nc_type var_type;
    int var_typelen;
    int var_sign;
    double var_vmax, var_vmin;
    int var_is_vector;
    long var_vector_size;
    long var_dim_size[VR_MAX_IMGDIMS];

    int derv_usr_float, derv_var_float;
    double derv_imgmax, derv_imgmin;
    int derv_firstdim;
    int derv_do_zero;
    int derv_do_bufsize_step;
    int derv_bufsize_step[VR_MAX_VAR_DIMS];
    int derv_var_compress, derv_usr_compress;
    int derv_dimconv_fastdim;
    int derv_var_pix_num;
    int *derv_var_pix_off; // owned
    int derv_usr_pix_num;
    int *derv_usr_pix_off; // owned
    long derv_icv_start[VR_MAX_VAR_DIMS], derv_icv_count[VR_MAX_VAR_DIMS];
    int derv_dim_flip[VR_MAX_IMGDIMS];
    int derv_dim_grow[VR_MAX_IMGDIMS];
    int derv_dim_scale[VR_MAX_IMGDIMS];
    int derv_dim_off[VR_MAX_IMGDIMS];
    double derv_dim_step[VR_MAX_IMGDIMS];
    double derv_dim_start[VR_MAX_IMGDIMS];
};

#endif
