// Replaces the global allocation functions with counting ones (see AllocationCounter.h). JUCE's
// own buffers come from malloc and calloc, not from new, so those are counted too: under a
// sanitizer by its allocator's hook (its allocator serves them), otherwise by replacing them here
// (glibc lets a program interpose them) with ones that forward to glibc's. new comes to malloc.
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizer runtime's own declaration (g++ ships no sanitizer headers).
extern "C" int __sanitizer_install_malloc_and_free_hooks (void (*onMalloc) (const volatile void*, std::size_t),
                                                          void (*onFree) (const volatile void*));
#endif

namespace
{
// Only the counter's own thread (the audio thread of a test) counts: JUCE's message thread, for
// one, may allocate at any time, as it is free to.
thread_local bool counting = false;
std::atomic<long> allocations{ 0 };

void countOne()
{
    if (counting)
        allocations.fetch_add (1, std::memory_order_relaxed);
}

void* allocate (std::size_t size)
{
    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
    const auto align = static_cast<std::size_t> (alignment);
    const std::size_t rounded = (size + align - 1) / align * align;
    if (void* p = std::aligned_alloc (align, rounded == 0 ? align : rounded))
        return p;
    throw std::bad_alloc();
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
const int hooked = __sanitizer_install_malloc_and_free_hooks ([] (const volatile void*, std::size_t) { countOne(); },
                                                              [] (const volatile void*) {});
#endif
} // namespace

#if ! (defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__))
extern "C"
{
void* __libc_malloc (std::size_t size);
void* __libc_calloc (std::size_t count, std::size_t size);
void* __libc_realloc (void* p, std::size_t size);
void* __libc_memalign (std::size_t alignment, std::size_t size);

void* malloc (std::size_t size) noexcept
{
    countOne();
    return __libc_malloc (size);
}

void* calloc (std::size_t count, std::size_t size) noexcept
{
    countOne();
    return __libc_calloc (count, size);
}

void* realloc (void* p, std::size_t size) noexcept
{
    countOne();
    return __libc_realloc (p, size);
}

void* aligned_alloc (std::size_t alignment, std::size_t size) noexcept
{
    countOne();
    return __libc_memalign (alignment, size);
}
}
#endif

AllocationCounter::AllocationCounter()
{
    allocations = 0;
    counting = true;
}

AllocationCounter::~AllocationCounter()
{
    counting = false;
}

long AllocationCounter::count() const
{
    return allocations.load();
}

void* operator new (std::size_t size)
{
    return allocate (size);
}
void* operator new[] (std::size_t size)
{
    return allocate (size);
}
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void* operator new (std::size_t size, std::align_val_t alignment)
{
    return allocateAligned (size, alignment);
}
void* operator new[] (std::size_t size, std::align_val_t alignment)
{
    return allocateAligned (size, alignment);
}
void operator delete (void* p) noexcept
{
    std::free (p);
}
void operator delete[] (void* p) noexcept
{
    std::free (p);
}
void operator delete (void* p, std::size_t) noexcept
{
    std::free (p);
}
void operator delete[] (void* p, std::size_t) noexcept
{
    std::free (p);
}
void operator delete (void* p, std::align_val_t) noexcept
{
    std::free (p);
}
void operator delete[] (void* p, std::align_val_t) noexcept
{
    std::free (p);
}
void operator delete (void* p, std::size_t, std::align_val_t) noexcept
{
    std::free (p);
}
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept
{
    std::free (p);
}
