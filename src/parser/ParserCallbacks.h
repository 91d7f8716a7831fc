#pragma once

#include <cstddef>

namespace quorlix {

// The operations through which the parser gets memory and writes its debug lines. Every record
// of the state and the tree comes from allocate and relies on it being zero-filled.
struct ParserCallbacks
{
    void* context = nullptr; // handed back to every operation

    // A zero-filled block of size bytes, or nullptr when no memory is left (or a bound is hit).
    void* (*allocate)(void* context, std::size_t size) = nullptr;
    void (*release)(void* context, void* block) = nullptr;
    void (*zero)(void* context, void* block, std::size_t size) = nullptr;
    void (*copy)(void* context, void* destination, const void* source, std::size_t size) = nullptr;
    // One printf-style debug line.
    void (*debugPrint)(void* context, const char* format, ...)
        __attribute__((format(printf, 2, 3))) = nullptr;
};

} // namespace quorlix
