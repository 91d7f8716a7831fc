#pragma once

namespace quorlix::test {

// Watches this thread's operator new while it lives: counts the allocations, and can make
// one of them throw std::bad_alloc as a full heap would. The test binary replaces the global
// operator new for this; outside a watch it only forwards to malloc.
class StandardHeapWatch
{
public:
    StandardHeapWatch();
    ~StandardHeapWatch();
    StandardHeapWatch(const StandardHeapWatch&) = delete;
    StandardHeapWatch& operator=(const StandardHeapWatch&) = delete;

    int Allocations() const;

    // The nth allocation from now on (counting from 1) throws; 0 makes none throw.
    void ThrowAt(int n);
};

} // namespace quorlix::test
