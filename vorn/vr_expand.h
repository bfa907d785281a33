#ifndef VORN_VR_EXPAND_H
#define VORN_VR_EXPAND_H

// Compressed VORN files: found by suffix (or as a compressed sibling of a
// missing name) and decompressed into a temporary file by "bunzip2 -c",
// "gunzip -c", "zcat" or "pcat", run without a shell.

typedef enum {
    BZIPPED = 0,
    GZIPPED = 1,
    COMPRESSED = 2,
    PACKED = 3,
    ZIPPED = 4,
    UNKNOWN = 5
} Compress_type;

// Answers the name of a readable file for path, allocated with malloc (the
// caller frees it): a copy of path when it is a netCDF or HDF5 file, or has
// nothing to decompress; otherwise the name of the decompressed copy (tempfile
// when given, else a new temporary file), with *created_tempfile TRUE: the
// caller then also removes that file. With header_only, decompression stops
// as soon as the partial copy opens. Null after "Cannot uncompress the file".
char *vrexpand_file(const char *path, const char *tempfile, int header_only, int *created_tempfile);

#endif
