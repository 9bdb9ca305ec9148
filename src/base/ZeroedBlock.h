// Storage for the big tables that are allocated once at full size. A block of at least
// kMappedBlockBytes is mapped straight from the system: it reads as zero and takes no memory
// until a page of it is written, whatever the heap held before (a heap chunk handed back by
// another library would have to be cleared by writing it). Smaller blocks come from the heap,
// as do all blocks in a build with AddressSanitizer, which guards heap blocks' ends.
// A block must be freed with its size.
#pragma once

#include <cstddef>

namespace korvel {

inline constexpr std::size_t kMappedBlockBytes = std::size_t(64) << 10;

// All zero bytes. Throws std::bad_alloc when there is no room.
void* allocateZeroedBlock(std::size_t bytes);
// Contents unspecified: for a caller that writes every byte.
void* allocateBlock(std::size_t bytes);
void freeBlock(void* block, std::size_t bytes);
// Makes the block all zero again. Pages that hold nothing but zeros are only read, never
// written; a big mapped block hands its pages back to the system instead, so clearing a table
// that was never written costs nothing and clearing one that was gives its memory back.
void clearBlock(void* block, std::size_t bytes);
// Hands the free pages of the heap back to the system, where the C library allows it: for the
// end of a phase whose temporary buffers are gone, such as start-up. Nothing else changes.
void releaseFreeHeapPages();

}  // namespace korvel
