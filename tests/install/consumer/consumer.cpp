// A program outside the project, built against an installed tree.
#include <cstdio>
#include <cstring>

#include <dezava_vo.h>
#ifdef HAVE_ZAVPL
#include <zavpl.h>
#endif
#ifdef HAVE_VORN
#include <vorn.h>
#endif

int main() {
    STRING joined = concat_strings("installed ", "tree");
    bool ok = equal_strings(joined, "installed tree");
    print("%s\n", joined);
    delete_string(joined);
    return ok ? 0 : 1;
}
