#pragma once

#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MINIZOL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MINIZOL_ASAN 1
#endif

#ifdef MINIZOL_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

namespace minizol::testing {

// Bytes the program has allocated and not freed. Under AddressSanitizer its allocator replaces
// glibc's, so glibc's own figures would stay flat whatever leaked.
inline std::size_t HeapInUse() {
#ifdef MINIZOL_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

}  // namespace minizol::testing
