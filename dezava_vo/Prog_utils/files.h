#ifndef DEZAVA_VO_FILES_H
#define DEZAVA_VO_FILES_H

// Files and filenames: names, opening with transparent decompression,
// copies and backups, single-character input and output.

#include "Prog_utils/char_io.h"
#include "Prog_utils/file_open.h"
#include "Prog_utils/file_ops.h"
#include "Prog_utils/file_overwrite.h"
#include "Prog_utils/filenames.h"

#endif
