#include "base/ZeroedBlock.h"

#include <sys/mman.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace korvel {

namespace {

constexpr std::size_t kPage = 4096;
// From this size on clearing a block gives its pages back rather than looking at each one:
// reading a page that was never written maps it, which is the dearer way for a big table that
// is mostly empty. Below it the look is cheaper than losing pages that are written again soon.
constexpr std::size_t kReleasedClearBytes = std::size_t(256) << 10;

static_assert(kReleasedClearBytes >= kMappedBlockBytes);

// Under AddressSanitizer every block comes from the heap, so that a read or write past the end
// of a big table lands in a red zone and is reported instead of going unnoticed in the mapping.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMapBigBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMapBigBlocks = false;
#else
constexpr bool kMapBigBlocks = true;
#endif
#else
constexpr bool kMapBigBlocks = true;
#endif

bool isMapped(std::size_t bytes) {
    return kMapBigBlocks && bytes >= kMappedBlockBytes;
}

void* mapBlock(std::size_t bytes) {
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return p;
}

void clearWrittenPages(unsigned char* b, std::size_t bytes) {
    for (std::size_t at = 0; at < bytes; at += kPage) {
        const std::size_t n = std::min(kPage, bytes - at);
        // All zero when the first byte is and every byte equals the next.
        if (b[at] != 0 || std::memcmp(b + at, b + at + 1, n - 1) != 0) std::memset(b + at, 0, n);
    }
}

}  // namespace

void* allocateZeroedBlock(std::size_t bytes) {
    if (isMapped(bytes)) return mapBlock(bytes);
    void* p = std::calloc(1, std::max<std::size_t>(bytes, 1));
    if (!p) throw std::bad_alloc();
    return p;
}

void* allocateBlock(std::size_t bytes) {
    if (isMapped(bytes)) return mapBlock(bytes);
    void* p = std::malloc(std::max<std::size_t>(bytes, 1));
    if (!p) throw std::bad_alloc();
    return p;
}

void freeBlock(void* block, std::size_t bytes) {
    if (!block) return;
    if (isMapped(bytes))
        ::munmap(block, bytes);
    else
        std::free(block);
}

void clearBlock(void* block, std::size_t bytes) {
#ifdef __linux__
    // A mapped block starts on a page, and its last page is its own to the end. Private pages
    // given back read as zero when next touched.
    if (isMapped(bytes) && bytes >= kReleasedClearBytes &&
        ::madvise(block, (bytes + kPage - 1) / kPage * kPage, MADV_DONTNEED) == 0)
        return;
#endif
    clearWrittenPages(static_cast<unsigned char*>(block), bytes);
}

void releaseFreeHeapPages() {
#if defined(__GLIBC__)
    // Under AddressSanitizer the heap is the sanitizer's, not the C library's.
    if (kMapBigBlocks) ::malloc_trim(0);
#endif
}

}  // namespace korvel
