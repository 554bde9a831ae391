#include "largebuffers.h"

#include <malloc.h>

namespace Protocol {

void keepLargeBuffersInHeap()
{
#if defined(__GLIBC__)
    // 32 MB is the most glibc takes for the threshold; what is freed stays up to 256 MB.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

} // namespace Protocol
