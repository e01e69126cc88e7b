#include "common/FreedMemory.h"

#include <cstdlib> // says whether this is the GNU C library
#ifdef __GLIBC__
#include <malloc.h>
#endif

void KeepFreedMemoryForReuse()
{
#ifdef __GLIBC__
    // Without these the threshold for a block of its own moves with what was freed last, so a
    // list that grows by doubling gets fresh pages from the system at every step.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}
