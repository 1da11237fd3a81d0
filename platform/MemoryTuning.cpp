#include "platform/MemoryTuning.h"

#include <malloc.h>

void MemoryTuning::keepPageBuffers()
{
    // A rendering of a large page is about 8 MB; at most 32 MB of free memory
    // stays at the top of a heap.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
}
