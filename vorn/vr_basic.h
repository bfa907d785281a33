#ifndef VORN_VR_BASIC_H
#define VORN_VR_BASIC_H

// Constants shared by every part of the VORN library. The library sits below
// the utility library, so it defines what it needs itself.

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Status of VORN routines: failures return VR_ERROR after logging a message.
#define VR_ERROR (-1)
#define VR_NOERROR 0

#endif
