#ifndef VORN_H
#define VORN_H

// The VORN volume file library: netCDF-3 (version 1) and HDF5 (version 2) files.

#include "vr_basic.h"
#include "vr_log.h"
#include "vr_config.h"
#include "vr_loop_counter.h"

#include "vr_run_program.h"
#include "vr_tempfile.h"

#include "vr_dispatch.h"
#include "hdf_adaptor.h"
#include "vr_file.h"
#include "vr_expand.h"
#include "vr_attr.h"
#include "vr_var.h"
#include "vr_copy.h"
#include "vr_ident.h"
#include "vr_icv_struct.h"
#include "vr_convert.h"
#include "vr_varaccess.h"
#include "vr_valid_range.h"
#include "vr_image_range.h"
#include "vr_stdvars.h"
#include "vr_history.h"
#include "vr_icv.h"


#endif
