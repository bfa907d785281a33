#ifndef VORN_VR_IMAGE_RANGE_H
#define VORN_VR_IMAGE_RANGE_H

// The real range of a file's image: from its slice ranges "image-min" and
// "image-max" when it has both, otherwise from the image's type.

// The smallest and largest real value of "image", minimum first: over all
// values of both slice-range variables when they exist; otherwise 0..1,
// except for a floating-point image with a valid range narrower than its
// type's. Rounded to single precision for an NC_FLOAT image.
int vrget_image_range(int cdfid, double image_range[2]);

#endif
