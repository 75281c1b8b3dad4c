// counting_allocator.cpp — the process-wide counting allocator behind
// counting_allocator.h.
//
// glibc resolves malloc and friends through the executable first, so defining them
// here catches every C allocation in the process, libstdc++'s and libc's own
// included; each forwards to glibc's allocator under its __libc_ name. operator new
// goes to the same allocator directly, so one allocation bumps exactly one counter.
// free is glibc's and takes every block handed out here, aligned ones too.
#include "counting_allocator.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size) noexcept;
void* __libc_calloc(std::size_t count, std::size_t size) noexcept;
void* __libc_realloc(void* block, std::size_t size) noexcept;
void* __libc_memalign(std::size_t alignment, std::size_t size) noexcept;
void __libc_free(void* block) noexcept;
}

namespace {
// Constant-initialised: the loader and libc allocate before any constructor runs.
std::atomic<std::uint64_t> mallocCalls{0};
std::atomic<std::uint64_t> operatorNews{0};

void countMalloc() {
    mallocCalls.fetch_add(1, std::memory_order_relaxed);
}

// operator new's contract: never null, a fresh block even for size 0, and the
// new-handler gets its chance before bad_alloc.
void* newBlock(std::size_t size, std::size_t alignment) {
    operatorNews.fetch_add(1, std::memory_order_relaxed);
    if (size == 0) size = 1;
    for (;;) {
        void* block = alignment != 0 ? __libc_memalign(alignment, size) : __libc_malloc(size);
        if (block != nullptr) return block;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

void* newBlockOrNull(std::size_t size, std::size_t alignment) noexcept {
    try {
        return newBlock(size, alignment);
    } catch (...) {
        return nullptr;
    }
}

std::size_t alignmentOf(std::align_val_t alignment) {
    return static_cast<std::size_t>(alignment);
}
}  // namespace

AllocationCounts allocationCounts() {
    return {mallocCalls.load(std::memory_order_relaxed),
            operatorNews.load(std::memory_order_relaxed)};
}

AllocationCounts operator-(const AllocationCounts& after, const AllocationCounts& before) {
    return {after.mallocCalls - before.mallocCalls, after.operatorNews - before.operatorNews};
}

extern "C" {
void* malloc(std::size_t size) noexcept {
    countMalloc();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) noexcept {
    countMalloc();
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) noexcept {
    countMalloc();
    return __libc_realloc(block, size);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept {
    countMalloc();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    countMalloc();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) noexcept {
    countMalloc();
    // The alignment must be a power of two and a multiple of sizeof(void*).
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    void* result = __libc_memalign(alignment, size);
    if (result == nullptr) return ENOMEM;
    *block = result;
    return 0;
}
}

void* operator new(std::size_t size) {
    return newBlock(size, 0);
}
void* operator new[](std::size_t size) {
    return newBlock(size, 0);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return newBlockOrNull(size, 0);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return newBlockOrNull(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return newBlock(size, alignmentOf(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return newBlock(size, alignmentOf(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return newBlockOrNull(size, alignmentOf(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return newBlockOrNull(size, alignmentOf(alignment));
}

void operator delete(void* block) noexcept {
    __libc_free(block);
}
void operator delete[](void* block) noexcept {
    __libc_free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    __libc_free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    __libc_free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    __libc_free(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    __libc_free(block);
}
