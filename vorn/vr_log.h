#ifndef VORN_VR_LOG_H
#define VORN_VR_LOG_H

// Numbered messages of the VORN library and the routine-name tracking that
// every report carries.
//
// Calling convention of every public VORN routine: open it with VR_ENTRY and
// leave it through VR_RETURN (success) or VR_RETURN_ERROR (failure). The
// outermost routine names itself in every log line ("(from name): ..."), and a
// failed outermost routine writes one "name: VORN package entry point" line;
// nested library calls change neither. The scope object does the bookkeeping
// in its destructor, so no return path can leave the depth counter wrong; an
// exit not marked by either macro counts as a failure, so a forgotten mark
// shows up as an extra line rather than a silent success.
//
//   int vrattputint(int cdfid, int varid, const char *name, int value)
//   {
//       VR_ENTRY("vrattputint");
//       if (VR2attput(cdfid, varid, name, NC_INT, 1, &value) < 0) {
//           vrlog_message(VR_MSG_WRITEATTR, name);
//           VR_RETURN_ERROR(VR_ERROR);
//       }
//       VR_RETURN(VR_NOERROR);
//   }
//
// VR_RETURN_STATUS(value) decides by the value: negative numbers and null
// pointers are failures. Routines that can neither fail nor log (the
// configuration lookups, the log settings) do not open a scope.

#include "vr_basic.h"

// Codes of the numbered messages; row (code - VR_MSG_BASE) of vrerror_table.
typedef enum {
    VR_MSG_UNCMPFAIL = 10000,
    VR_MSG_NOWRITECMP = 10001,
    VR_MSG_OPENFILE = 10002,
    VR_MSG_CREATEFILE = 10003,
    VR_MSG_CLOSEFILE = 10004,
    VR_MSG_FINDATTR = 10005,
    VR_MSG_ATTRNOTNUM = 10006,
    VR_MSG_READATTR = 10007,
    VR_MSG_NOMEMATTR = 10008,
    VR_MSG_CONVATTR = 10009,
    VR_MSG_ATTRNOTSCALAR = 10010,
    VR_MSG_ATTRNOTSTR = 10011,
    VR_MSG_WRITEATTR = 10012,
    VR_MSG_READVAR = 10013,
    VR_MSG_WRITEVAR = 10014,
    VR_MSG_FINDVAR = 10015,
    VR_MSG_ATTRCOUNT = 10016,
    VR_MSG_ATTRNAME = 10017,
    VR_MSG_COPYATTR = 10018,
    VR_MSG_VARINQ = 10019,
    VR_MSG_UNLIMDIM = 10020,
    VR_MSG_DIMINQ = 10021,
    VR_MSG_VARCONFLICT = 10022,
    VR_MSG_DIMDEF = 10023,
    VR_MSG_VARDEF = 10024,
    VR_MSG_VARMISMATCH = 10025,
    VR_MSG_VARDIFFSIZE = 10026,
    VR_MSG_VARCOUNT = 10027,
    VR_MSG_OUTPUTVAR = 10028,
    VR_MSG_COPYVAR = 10029,
    VR_MSG_VARNOTNUM = 10030,
    VR_MSG_OUTOFMEM = 10031,
    VR_MSG_ATTRNOTPTR = 10032,
    VR_MSG_VARNOTSTD = 10033,
    VR_MSG_DIMWIDTH = 10034,
    VR_MSG_MAXMINVARY = 10035,
    VR_MSG_SNH = 10036,
    VR_MSG_INTSIZE = 10037,
    VR_MSG_FLTSIZE = 10038,
    VR_MSG_TYPECLASS = 10039,
    VR_MSG_NOTIMPL = 10040,
    VR_MSG_BADTYPE = 10041,
    VR_MSG_OPENDSET = 10042,
    VR_MSG_READDSET = 10043,
    VR_MSG_WRITEDSET = 10044,
    VR_MSG_TOOMANYDIMS = 10045,
    VR_MSG_ICVATTACHED = 10046,
    VR_MSG_BADICV = 10047,
    VR_MSG_BADPROP = 10048,
    VR_MSG_ICVNOTATTACHED = 10049,
    VR_MSG_ICVCOORDS = 10050,
    VR_MSG_BADOP = 10051
} vrmsgcode_t;

#define VR_MSG_BASE 10000
#define VR_MSG_COUNT 52

// Message levels: fatal messages end the process after being written.
#define VR_LOG_FATAL 0
#define VR_LOG_ERROR 1
#define VR_LOG_WARNING 2

struct vrerror_entry {
    int level;
    const char *msgfmt;
};

extern const vrerror_entry vrerror_table[VR_MSG_COUNT];

// Name of the outermost library routine now running ("VORN" before any).
extern const char *vorn_routine_name;
// Nesting depth of public library routines.
extern int vorn_call_depth;
// Receives the result of the entry hook.
extern int vorn_trash_var;
// Current verbosity: messages above it (other than fatal ones) are dropped.
extern int _VR_log;

// Hooks of the calling convention (normally reached through VR_ENTRY).
int VR_save_routine_name(const char *name);
int VR_return(void);
int VR_return_error(void);

// Unnumbered messages on the standard error stream, prefixed with the routine
// name. The texts are written as they stand; in VR_log_pkg_error3 the first
// "%s" of p2 stands for p3 and "%%" for a percent sign.
void VR_log_pkg_error2(int p1, const char *p2);
void VR_log_pkg_error3(int p1, const char *p2, const char *p3);
// The routine name, p1, then ": " and the text of errno (or just a newline).
void VR_log_sys_error1(const char *p1);

// Reads "VORN_LOGFILE" and "VORN_LOGLEVEL" (environment, then ~/.vornrc) and
// sets name as the prefix of every numbered message.
void vrlog_init(const char *name);
// Sets the verbosity and returns the previous one.
int vrlog_set_verbosity(int lvl);
// Writes the message of code, formatted with the further arguments, when its
// level passes the verbosity; returns VR_ERROR. A fatal code ends the process
// with exit status 255.
int vrlog_message(vrmsgcode_t code, ...);

// Scope of one public routine; see the convention at the top of this file.
class VR_routine_scope {
  public:
    explicit VR_routine_scope(const char *name) {
        if (vorn_call_depth == 0) vorn_trash_var = VR_save_routine_name(name);
        ++vorn_call_depth;
    }
    ~VR_routine_scope() {
        if (vorn_call_depth-- == 1) {
            if (succeeded_)
                VR_return();
            else
                VR_return_error();
        }
    }
    VR_routine_scope(const VR_routine_scope &) = delete;
    VR_routine_scope &operator=(const VR_routine_scope &) = delete;

    template <typename T> T succeed(T value) {
        succeeded_ = true;
        return value;
    }
    template <typename T> T fail(T value) {
        succeeded_ = false;
        return value;
    }
    // Negative numbers and null pointers are failures.
    template <typename T> T by_value(T value) {
        succeeded_ = is_success(value);
        return value;
    }

  private:
    template <typename T> static bool is_success(T *value) { return value != nullptr; }
    template <typename T> static bool is_success(T value) { return value >= 0; }

    bool succeeded_ = false;
};

#define VR_ENTRY(name) VR_routine_scope vr_routine_scope_(name)
#define VR_RETURN(value) return vr_routine_scope_.succeed(value)
#define VR_RETURN_ERROR(value) return vr_routine_scope_.fail(value)
#define VR_RETURN_STATUS(value) return vr_routine_scope_.by_value(value)

#endif
