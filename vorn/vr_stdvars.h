#ifndef VORN_VR_STDVARS_H
#define VORN_VR_STDVARS_H

// The standard variables of a VORN file (dimension and dimension-width
// variables, "image" with its slice ranges "image-max" and "image-min", and
// the group variables under "rootvariable") with their identifying
// attributes, and the parent, child and pointer links between variables.

#include <netcdf.h>

// Attribute values that identify standard variables.
#define VR_STDVAR_VARID "VORN standard variable"
#define VR_STDVAR_VERSION "VORN Version    1.0"
#define VR_VARTYPE_DIMENSION "dimension____"
#define VR_VARTYPE_DIMWIDTH "dim-width____"
#define VR_VARTYPE_GROUP "group________"
#define VR_VARTYPE_ATTRIBUTE "var_attribute"
#define VR_POINTER_PREFIX "--->"

// Creates the standard variable name over the ndims dimensions dim; the
// name decides its attributes and links (group variables are NC_INT
// scalars whatever is asked). Its id, or -1; what was defined before a
// failure stays in the file.
int vrcreate_std_variable(int cdfid, const char *name, nc_type datatype, int ndims,
                          const int dim[]);
// A group variable: an NC_INT scalar, child of "rootvariable".
int vrcreate_group_variable(int cdfid, const char *name);

// Whether the file has a variable of that name (asked without any report).
int vrvar_exists(int cdfid, const char *varname);

// Writes on varid the text attribute name = "--->" followed by the name of
// ptrvarid, and makes ptrvarid a "var_attribute" whose "parent" is varid.
int vrattput_pointer(int cdfid, int varid, const char *name, int ptrvarid);
// The id of the variable that the pointer attribute name points to, or -1.
int vrattget_pointer(int cdfid, int varid, const char *name);

// Adds child_varid's name to the "children" of parent_varid (one name a
// line, never twice) and names the parent in the child's "parent".
int vradd_child(int cdfid, int parent_varid, int child_varid);

#endif
