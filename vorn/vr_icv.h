#ifndef VORN_VR_ICV_H
#define VORN_VR_ICV_H

// Image conversion variables (ICVs): small objects, named by an int, that
// are attached to one numeric variable of an open file and read and write
// its values in the caller's type, sign and range. Values are converted
// between types with clamping and rounding, mapped from the variable's valid
// range to the caller's, optionally normalised through the per-slice real
// ranges "image-max" and "image-min" to one real range for the whole image,
// and optionally replaced by a fill value where the stored value lies
// outside its valid range.
//
// Life of an ICV: create, set properties, attach, any number of gets and
// puts, detach (properties are kept; attach again at will), free.
// Properties cannot be changed while attached.

#include <netcdf.h>

#include "vr_icv_struct.h"

// Property codes. Numbers are set and inquired as doubles; integer
// properties keep the value truncated toward zero.
#define VR_ICV_TYPE 1         // caller's type (NC_SHORT)
#define VR_ICV_SIGN 2         // string: "signed__" or "unsigned" ("signed__")
#define VR_ICV_DO_RANGE 3     // map the variable's valid range onto the caller's (TRUE)
#define VR_ICV_VALID_MAX 4    // caller's valid range (32767)
#define VR_ICV_VALID_MIN 5    // (-32768)
#define VR_ICV_DO_NORM 6      // normalise to one real range (FALSE)
#define VR_ICV_USER_NORM 7    // that range is VR_ICV_IMAGE_MIN..MAX (FALSE)
#define VR_ICV_IMAGE_MAX 8    // (1.0)
#define VR_ICV_IMAGE_MIN 9    // (0.0)
#define VR_ICV_NORM_MAX 10    // read only: the real range in force
#define VR_ICV_NORM_MIN 11    // read only
#define VR_ICV_DO_DIM_CONV 12 // dimension conversion (FALSE)
#define VR_ICV_DO_SCALAR 13   // average a vector dimension away (TRUE)
#define VR_ICV_XDIM_DIR 14    // wanted direction: 1, -1, or 0 for any (1)
#define VR_ICV_YDIM_DIR 15
#define VR_ICV_ZDIM_DIR 16
#define VR_ICV_ADIM_SIZE 17 // wanted size of image dimension 0 (-1: as stored)
#define VR_ICV_BDIM_SIZE 18 // wanted size of image dimension 1
#define VR_ICV_KEEP_ASPECT 19
#define VR_ICV_ADIM_STEP 20    // read only: world step of image dimension 0
#define VR_ICV_BDIM_STEP 21    // read only
#define VR_ICV_ADIM_START 22   // read only: world start of image dimension 0
#define VR_ICV_BDIM_START 23   // read only
#define VR_ICV_NUM_IMGDIMS 24  // image dimensions, 0 to 100 (2)
#define VR_ICV_NUM_DIMS 25     // read only: dimensions seen through the ICV
#define VR_ICV_CDFID 26        // read only: attached file, -1 when detached
#define VR_ICV_VARID 27        // read only: attached variable
#define VR_ICV_MAXVAR 28       // string: slice maximum variable ("image-max")
#define VR_ICV_MINVAR 29       // string: slice minimum variable ("image-min")
#define VR_ICV_DO_FILLVALUE 30 // reads replace out-of-range values (FALSE)
#define VR_ICV_FILLVALUE 31    // by this value (-1.7976931348623157e+308)
#define VR_ICV_DIM_SIZE 1000   // + i: wanted size of image dimension i (-1)
#define VR_ICV_DIM_STEP 1100   // + i, read only: world step of image dimension i
#define VR_ICV_DIM_START 1200  // + i, read only: world start of image dimension i

// A new ICV with the default properties: its id, or -1.
int vricv_create(void);
// Detaches and frees the ICV; its id may be handed out again.
int vricv_free(int icvid);

// Set a number property (refused while attached).
int vricv_setdbl(int icvid, int icv_property, double value);
int vricv_setint(int icvid, int icv_property, int value);
int vricv_setlong(int icvid, int icv_property, long value);
// Sets a string property (refused while attached). A null name leaves
// VR_ICV_MAXVAR and VR_ICV_MINVAR unchanged.
int vricv_setstr(int icvid, int icv_property, const char *value);

// Inquire a number property, attached or not; the int and long forms
// truncate toward zero.
int vricv_inqdbl(int icvid, int icv_property, double *value);
int vricv_inqint(int icvid, int icv_property, int *value);
int vricv_inqlong(int icvid, int icv_property, long *value);
// Inquires a string property into value, which must hold the text: a sign
// takes 9 characters, a name at most NC_MAX_NAME + 1.
int vricv_inqstr(int icvid, int icv_property, char *value);

// Attaches the ICV to variable varid of file cdfid (detaching it first when
// attached), with the dimension conversion set-up when it is asked for.
int vricv_attach(int icvid, int cdfid, int varid);
// Attaches without the dimension conversion set-up.
int vricv_ndattach(int icvid, int cdfid, int varid);
// Detaches the ICV; nothing to do when it is not attached.
int vricv_detach(int icvid);

// Reads the hyperslab start/count (in the ICV's coordinates) into values,
// converted to the ICV's type, sign and range.
int vricv_get(int icvid, const long start[], const long count[], void *values);
// Writes values (in the ICV's type, sign and range) into the hyperslab.
int vricv_put(int icvid, const long start[], const long count[], const void *values);

// The ICV's record, or null after logging "Illegal ICV identifier".
vr_icv_type *VR_icv_chkid(int icvid);

#endif
