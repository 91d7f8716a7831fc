#pragma once

#include "parser/ParserCallbacks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix::test {

// Bytes of a hex text such as "05 01 09 02"; blanks, line breaks and // comments are ignored.
std::vector<std::uint8_t> HexBytes(std::string_view hex);

// The three-button mouse: one Application collection with a Physical child and one 24-bit
// Input report of six fields.
inline constexpr std::string_view kMouseHex =
    "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 "
    "95 01 75 05 81 03 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0";

// Heap callbacks that record the debug lines and can refuse the Nth allocation (counting
// from 1), to drive the failure paths. Blocks are counted so a test can see nothing leaked.
class TestCallbacks
{
public:
    TestCallbacks();
    ParserCallbacks& Get() { return m_callbacks; }

    void FailAllocation(int n) { m_failAt = n; }
    void FailAllAllocationsFrom(int n) { m_failFrom = n; }
    int Allocations() const { return m_allocations; }
    int LiveBlocks() const { return m_live; }
    const std::vector<std::string>& DebugLines() const { return m_lines; }
    // The first blocks handed out and the first released, each in its order. Kept in fixed
    // room, so that recording them never allocates (nor throws from a release).
    static constexpr std::size_t kRecordedBlocks = 16;
    std::span<const void* const> AllocatedBlocks() const
    {
        return std::span(m_allocated).first(std::min(m_allocations, kRecordedBlocksInt));
    }
    std::span<const void* const> ReleasedBlocks() const
    {
        return std::span(m_released).first(std::min(m_releases, kRecordedBlocksInt));
    }
    std::string AllDebugText() const;

private:
    static void* Allocate(void* context, std::size_t size);
    static void Release(void* context, void* block);
    static void Zero(void* context, void* block, std::size_t size);
    static void Copy(void* context, void* destination, const void* source, std::size_t size);
    static void DebugPrint(void* context, const char* format, ...);

    ParserCallbacks m_callbacks;
    int m_allocations = 0;
    int m_failAt = 0;
    int m_failFrom = 0;
    int m_live = 0;
    std::vector<std::string> m_lines;
    static constexpr int kRecordedBlocksInt = static_cast<int>(kRecordedBlocks);
    int m_releases = 0;
    std::array<const void*, kRecordedBlocks> m_allocated{};
    std::array<const void*, kRecordedBlocks> m_released{};
};

} // namespace quorlix::test
