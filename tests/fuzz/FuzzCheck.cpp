#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

bool throwOnFailure = false;

void require(bool holds, const char *what)
{
    if (holds)
        return;
    if (throwOnFailure)
        throw PropertyFailed(what);
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

} // namespace fuzz
