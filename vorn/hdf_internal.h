#ifndef VORN_HDF_INTERNAL_H
#define VORN_HDF_INTERNAL_H

// Records and helpers shared by the sources of the HDF5 storage adaptor.

#include <string>

#include "hdf_adaptor.h"

#define VR2_GROUP "/vorn-2.0"
#define VR2_DIMENSIONS_PATH "/vorn-2.0/dimensions/"
#define VR2_INFO_PATH "/vorn-2.0/info/"
#define VR2_IMAGE_PATH_FORMAT "/vorn-2.0/image/%d/"
#define VR2_VECTOR_DIMENSION "vector_dimension"

// One registered variable: an open dataset.
struct m2_var {
    char *name; // owned; at most VR2_MAX_NAME characters
    char *path; // owned; the dataset's full path
    int id;
    int ndims;
    int is_cmpd;   // compound type read as an emulated vector dimension
    hsize_t *dims; // ndims sizes, or null
    hid_t dset_id;
    hid_t ftyp_id; // file type
    hid_t mtyp_id; // memory type data moves in
    hid_t fspc_id; // file dataspace
};

// One registered dimension.
struct m2_dim {
    struct m2_dim *link; // not used
    int id;
    long length;
    int is_fake; // the emulated vector dimension
    char *name;  // owned; at most VR2_MAX_NAME characters
};

// One open file. fd is the adaptor's own int identifier; HDF5 identifiers
// are 64-bit and stay in file_id.
struct m2_file {
    struct m2_file *link;
    int fd;
    hid_t file_id;
    int wr_ok;
    int resolution;
    int nvars, ndims;
    struct m2_var *vars[VR2_MAX_VARS];
    struct m2_dim *dims[VR2_MAX_DIMS];
    hid_t grp_id;
    int comp_type, comp_param, chunk_type, chunk_param;
};

// Switches HDF5's automatic error printing off for its lifetime and puts
// back whatever was there before.
class hdf_quiet {
  public:
    hdf_quiet() {
        H5Eget_auto2(H5E_DEFAULT, &func_, &data_);
        H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
    }
    ~hdf_quiet() { H5Eset_auto2(H5E_DEFAULT, func_, data_); }
    hdf_quiet(const hdf_quiet &) = delete;
    hdf_quiet &operator=(const hdf_quiet &) = delete;

  private:
    H5E_auto2_t func_ = nullptr;
    void *data_ = nullptr;
};

// Registry (hdf_registry.cpp).
struct m2_file *m2_find_file(int fd);
struct m2_var *m2_find_var(struct m2_file *file, int varid);
struct m2_var *m2_find_var_by_name(struct m2_file *file, const char *name);
struct m2_dim *m2_find_dim_by_name(struct m2_file *file, const char *name);
struct m2_file *m2_new_file(hid_t file_id, int wr_ok);
// Removes the record from the list and frees it with everything it holds,
// closing its HDF5 handles; answers the HDF5 file identifier.
hid_t m2_free_file(struct m2_file *file);
// Register an existing dataset / a new dimension; null after a logged
// message when the registry is full or the dataset cannot be opened.
struct m2_var *m2_add_var(struct m2_file *file, const char *name, const char *path, int ndims,
                          const hsize_t *sizes);
struct m2_dim *m2_add_dim(struct m2_file *file, const char *name, long length);
// TRUE when name is usable in the registry (non-empty, short enough).
int m2_name_ok(const char *name);

// Types (hdf_types.cpp).
// netCDF type of an HDF5 type; -1 (nothing logged) when it has none.
int m2_nc_type_of(hid_t type_id, nc_type *nc_type_ptr);
// The type a variable reports: the first member of a compound.
int m2_var_nc_type(const struct m2_var *var, nc_type *nc_type_ptr);
// Memory type data of a dataset moves in: the native type, or for a
// compound a packed compound of native copies of its first member.
hid_t m2_memory_type(hid_t file_type);
// TRUE for an integer dataset (compounds excluded).
int m2_is_integer(const struct m2_var *var);
size_t m2_nc_type_size(nc_type type);

// Attributes (hdf_attrs.cpp).
// Writes a scalar unsigned 32-bit "length" on a dataset.
int m2_put_length(hid_t dset_id, long length);
// Reads a scalar string attribute whole; false when it is missing.
bool m2_get_string_attribute(hid_t object_id, const char *name, std::string *value);
// Writes (replacing) a scalar string attribute of text plus its NUL.
int m2_put_string_attribute(hid_t object_id, const char *name, const std::string &text);
// Number of attributes of an object, or -1.
int m2_count_attributes(hid_t object_id);
// Copies every attribute of one object to another.
int m2_copy_attributes(hid_t from_id, hid_t to_id);

// "signtype" (hdf_signtype.cpp): rebuilds the dataset with the other sign.
int m2_set_signtype(struct m2_file *file, struct m2_var *var, const char *value, int length);

#endif
