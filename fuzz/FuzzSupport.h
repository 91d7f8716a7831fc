#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <streambuf>

namespace quorlix::fuzz {

// Stops the run with a finding when a property of the output does not hold.
inline void Require(const char* fuzzer, bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "%s: %s\n", fuzzer, what);
        std::abort();
    }
}

// Keeps nothing; counts the characters written.
class CountingBuffer : public std::streambuf
{
public:
    std::size_t Count() const { return m_count; }

protected:
    int_type overflow(int_type c) override
    {
        ++m_count;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        m_count += static_cast<std::size_t>(n);
        return n;
    }

private:
    std::size_t m_count = 0;
};

} // namespace quorlix::fuzz
