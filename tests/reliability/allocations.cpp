#include "allocations.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <execinfo.h>
#include <new>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define SKARVEL_OWN_ALLOCATOR 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SKARVEL_OWN_ALLOCATOR 0
#endif
#endif
#ifndef SKARVEL_OWN_ALLOCATOR
#define SKARVEL_OWN_ALLOCATOR 1
#endif

namespace {

thread_local bool counting = false;
std::atomic<long> counted{0};

}  // namespace

bool allocationCountingAvailable()
{
    return SKARVEL_OWN_ALLOCATOR != 0;
}

void allocationCounting(bool on)
{
    counting = on;
}

long allocationCount()
{
    return counted.load();
}

#if SKARVEL_OWN_ALLOCATOR

// glibc's own entry points, under the names it exports for exactly this kind of wrapper.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* block, std::size_t size);
extern "C" void* __libc_memalign(std::size_t alignment, std::size_t size);
extern "C" void __libc_free(void* block);

namespace {

// With SKARVEL_ALLOCATION_TRACE set, each counted allocation prints its call stack on
// standard error, to find who allocated.
void note()
{
    if (!counting)
        return;
    counted.fetch_add(1, std::memory_order_relaxed);
    static const bool trace = getenv("SKARVEL_ALLOCATION_TRACE") != nullptr;
    if (trace) {
        counting = false;  // the stack walk may allocate on its first use
        void* frames[24];
        backtrace_symbols_fd(frames, backtrace(frames, 24), 2);
        (void)!write(2, "--\n", 3);
        counting = true;
    }
}

}  // namespace

extern "C" void* malloc(std::size_t size)
{
    note();
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size)
{
    note();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, std::size_t size)
{
    note();
    return __libc_realloc(block, size);
}

extern "C" void free(void* block)
{
    __libc_free(block);
}

void* operator new(std::size_t size)
{
    note();
    if (void* block = __libc_malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    note();
    return __libc_malloc(size ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return operator new(size, std::nothrow);
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    note();
    if (void* block = __libc_memalign(static_cast<std::size_t>(alignment), size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return operator new(size, alignment);
}

void operator delete(void* block) noexcept
{
    __libc_free(block);
}

void operator delete[](void* block) noexcept
{
    __libc_free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    __libc_free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    __libc_free(block);
}

void operator delete(void* block, std::align_val_t) noexcept
{
    __libc_free(block);
}

void operator delete[](void* block, std::align_val_t) noexcept
{
    __libc_free(block);
}

void operator delete(void* block, std::size_t, std::align_val_t) noexcept
{
    __libc_free(block);
}

void operator delete[](void* block, std::size_t, std::align_val_t) noexcept
{
    __libc_free(block);
}

#endif
