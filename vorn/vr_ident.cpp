#include "vr_ident.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

#include "vr_log.h"

static unsigned int identification_counter = 1;

int vrcreate_ident(char *id_str, int length) {
    VR_ENTRY("vrcreate_ident");
    char host[129];
    if (gethostname(host, sizeof(host) - 1) != 0) snprintf(host, sizeof(host), "unknown");
    host[sizeof(host) - 1] = '\0'; // a name that fills the buffer is not terminated

    const char *user = getenv("LOGNAME");
    if (user == nullptr) user = "nobody";

    char when[64] = "";
    time_t now = time(nullptr);
    struct tm local;
    if (localtime_r(&now, &local) != nullptr)
        strftime(when, sizeof(when), "%Y.%m.%d.%H.%M.%S", &local);

    unsigned int counter = identification_counter++;
    size_t size = length > 0 ? static_cast<size_t>(length) : 0;
    VR_RETURN(snprintf(size > 0 ? id_str : nullptr, size, "%s%c%s%c%s%c%u%c%u", user, ':', host,
                       ':', when, ':', static_cast<unsigned int>(getpid()), ':', counter));
}
