#include "support/TestDescriptors.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace quorlix::test {

std::vector<std::uint8_t> HexBytes(std::string_view hex)
{
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (std::size_t i = 0; i < hex.size(); ++i) {
        const char c = hex[i];
        if (c == '/' && i + 1 < hex.size() && hex[i + 1] == '/') {
            while (i < hex.size() && hex[i] != '\n') {
                ++i;
            }
            continue;
        }
        int value = -1;
        if (c >= '0' && c <= '9') {
            value = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            value = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            value = c - 'a' + 10;
        }
        if (value < 0) {
            continue;
        }
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + value));
            high = -1;
        }
    }
    if (high >= 0) {
        throw std::invalid_argument("odd number of hex digits in a test fixture");
    }
    return bytes;
}

TestCallbacks::TestCallbacks()
{
    m_callbacks.context = this;
    m_callbacks.allocate = Allocate;
    m_callbacks.release = Release;
    m_callbacks.zero = Zero;
    m_callbacks.copy = Copy;
    m_callbacks.debugPrint = DebugPrint;
}

std::string TestCallbacks::AllDebugText() const
{
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
    }
    return text;
}

void* TestCallbacks::Allocate(void* context, std::size_t size)
{
    auto& self = *static_cast<TestCallbacks*>(context);
    ++self.m_allocations;
    if (self.m_allocations == self.m_failAt ||
        (self.m_failFrom != 0 && self.m_allocations >= self.m_failFrom)) {
        return nullptr;
    }
    ++self.m_live;
    void* block = std::calloc(1, size == 0 ? 1 : size);
    if (self.m_allocations <= kRecordedBlocksInt) {
        self.m_allocated[static_cast<std::size_t>(self.m_allocations - 1)] = block;
    }
    return block;
}

void TestCallbacks::Release(void* context, void* block)
{
    auto& self = *static_cast<TestCallbacks*>(context);
    if (block != nullptr) {
        --self.m_live;
        if (self.m_releases < kRecordedBlocksInt) {
            self.m_released[static_cast<std::size_t>(self.m_releases)] = block;
        }
        ++self.m_releases;
    }
    std::free(block);
}

void TestCallbacks::Zero(void*, void* block, std::size_t size)
{
    std::memset(block, 0, size);
}

void TestCallbacks::Copy(void*, void* destination, const void* source, std::size_t size)
{
    if (size != 0) {
        std::memcpy(destination, source, size);
    }
}

void TestCallbacks::DebugPrint(void* context, const char* format, ...)
{
    auto& self = *static_cast<TestCallbacks*>(context);
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    self.m_lines.emplace_back(line);
}

} // namespace quorlix::test
