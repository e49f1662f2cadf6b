// The program's own malloc family and operator new. They hand every request to
// the C library's allocator under its internal names, so nothing about the memory changes;
// they only count, and only on a thread that asked to be counted.

#include "heapcount.h"

// A sanitizer's runtime owns malloc: nothing is counted there.
#if defined(__SANITIZE_ADDRESS__)
#define SKARVEL_NO_HEAP_COUNT
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SKARVEL_NO_HEAP_COUNT
#endif
#endif

#ifndef SKARVEL_NO_HEAP_COUNT

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

// Plain thread-locals of the executable need no allocation to reach, so the allocator
// itself may read them.
thread_local bool counting = false;
thread_local long allocations = 0;

inline void note()
{
    if (counting)
        allocations += 1;
}

void* alignedBlock(std::size_t alignment, std::size_t size)
{
    note();
    return __libc_memalign(alignment, size);
}

void* newBlock(std::size_t size)
{
    // operator new never gives back nothing for a zero size.
    void* block = malloc(size == 0 ? 1 : size);
    if (!block)
        throw std::bad_alloc();
    return block;
}

void* newAlignedBlock(std::size_t size, std::align_val_t alignment)
{
    void* block = alignedBlock(static_cast<std::size_t>(alignment), size == 0 ? 1 : size);
    if (!block)
        throw std::bad_alloc();
    return block;
}

}  // namespace

bool heapCountAvailable()
{
    return true;
}

void heapCountStart()
{
    counting = true;
}

void heapCountStop()
{
    counting = false;
}

long heapCountTotal()
{
    return allocations;
}

extern "C" {

void* malloc(std::size_t size) noexcept
{
    note();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) noexcept
{
    note();
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) noexcept
{
    note();
    return __libc_realloc(block, size);
}

void free(void* block) noexcept
{
    __libc_free(block);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept
{
    return alignedBlock(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept
{
    return alignedBlock(alignment, size);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size) noexcept
{
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    void* block = alignedBlock(alignment, size);
    if (!block)
        return ENOMEM;
    *result = block;
    return 0;
}

}  // extern "C"

// new goes through the counted malloc above, so each block is counted once.
void* operator new(std::size_t size)
{
    return newBlock(size);
}

void* operator new[](std::size_t size)
{
    return newBlock(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return malloc(size == 0 ? 1 : size);
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    return newAlignedBlock(size, alignment);
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return newAlignedBlock(size, alignment);
}

void operator delete(void* block) noexcept
{
    free(block);
}

void operator delete[](void* block) noexcept
{
    free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    free(block);
}

void operator delete(void* block, std::align_val_t) noexcept
{
    free(block);
}

void operator delete[](void* block, std::align_val_t) noexcept
{
    free(block);
}

void operator delete(void* block, std::size_t, std::align_val_t) noexcept
{
    free(block);
}

void operator delete[](void* block, std::size_t, std::align_val_t) noexcept
{
    free(block);
}

#else  // SKARVEL_NO_HEAP_COUNT

bool heapCountAvailable()
{
    return false;
}

void heapCountStart() { }

void heapCountStop() { }

long heapCountTotal()
{
    return 0;
}

#endif
