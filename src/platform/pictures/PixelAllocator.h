#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include <sys/mman.h>

/**
 * The allocator of picture pixels. Large pictures (the map, a full-screen window) get their
 * own memory mapping, asked to be backed by huge pages, so that touching them the first time
 * costs a few page faults instead of thousands: on a virtual machine each fault is dear, and
 * the map alone spans 11 MB. Small pictures come from the ordinary heap.
 */
template <typename T> class PixelAllocator {
public:
    using value_type = T;
    static constexpr std::size_t LargeBytes = std::size_t(1) << 21;

    PixelAllocator() = default;
    template <typename U> PixelAllocator(const PixelAllocator<U>&) {}

    T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < LargeBytes)
            return static_cast<T*>(::operator new(bytes));
        void* p = ::mmap(nullptr, Rounded(bytes), PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        ::madvise(p, Rounded(bytes), MADV_HUGEPAGE);
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < LargeBytes)
            ::operator delete(p);
        else
            ::munmap(p, Rounded(bytes));
    }

    /**
     * Elements made without a value are left uninitialised: every buffer of pixels or file
     * bytes is written in full right after it is sized, and zeroing the map's 11 MB first
     * would cost as much as decoding it.
     */
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        if constexpr (sizeof...(Args) == 0)
            ::new (static_cast<void*>(p)) U;
        else
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <typename U> bool operator==(const PixelAllocator<U>&) const { return true; }

private:
    static std::size_t Rounded(std::size_t bytes) {
        return (bytes + LargeBytes - 1) & ~(LargeBytes - 1);
    }
};

/** Pixels as 0xffRRGGBB, row after row. */
using PixelVector = std::vector<std::uint32_t, PixelAllocator<std::uint32_t>>;
