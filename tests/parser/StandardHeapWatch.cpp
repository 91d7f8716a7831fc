#include "StandardHeapWatch.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool tWatching = false;
thread_local int tAllocations = 0;
thread_local int tThrowAt = 0;

} // namespace

void* operator new(std::size_t size)
{
    if (tWatching) {
        ++tAllocations;
        if (tAllocations == tThrowAt) {
            throw std::bad_alloc();
        }
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace quorlix::test {

StandardHeapWatch::StandardHeapWatch()
{
    tWatching = true;
    tAllocations = 0;
    tThrowAt = 0;
}

StandardHeapWatch::~StandardHeapWatch()
{
    tWatching = false;
    tThrowAt = 0;
}

int StandardHeapWatch::Allocations() const
{
    return tAllocations;
}

void StandardHeapWatch::ThrowAt(int n)
{
    tThrowAt = n == 0 ? 0 : tAllocations + n;
}

} // namespace quorlix::test
