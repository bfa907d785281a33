#ifndef VORN_VR_COPY_H
#define VORN_VR_COPY_H

// Copying attributes, variable definitions and variable values from one
// VORN file to another, of either version.

// State of one value copy.
typedef struct {
    int value_size; // bytes per value
    int incdfid;
    int outcdfid;
    int invarid;
    int outvarid;
} vr_vcopy_type;

// Copies the attributes of invarid onto outvarid, keeping those outvarid
// already has except "signtype". Nothing is copied (and 0 answered) when
// exactly one of the two is NC_GLOBAL.
int vrcopy_all_atts(int incdfid, int invarid, int outcdfid, int outvarid);
// Defines the variable (with its dimensions, where missing) and its
// attributes in the output; the new variable's id, or -1.
int vrcopy_var_def(int incdfid, int invarid, int outcdfid);
// Copies the values of one variable into a variable of the same type and
// shape.
int vrcopy_var_values(int incdfid, int invarid, int outcdfid, int outvarid);
// Copies every variable definition but the excluded ones, then the global
// attributes unless NC_GLOBAL is excluded.
int vrcopy_all_var_defs(int incdfid, int outcdfid, int nexclude, const int excluded_vars[]);
// Copies the values of every variable but the excluded ones into the
// output variable of the same name.
int vrcopy_all_var_values(int incdfid, int outcdfid, int nexclude, const int excluded_vars[]);

#endif
