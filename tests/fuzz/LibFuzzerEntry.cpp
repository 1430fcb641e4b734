// The libFuzzer entry of one target; VELMORA_FUZZ_ENTRY names its function.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return VELMORA_FUZZ_ENTRY(data, size);
}
