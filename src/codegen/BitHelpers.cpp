#include "codegen/BitHelpers.h"

#include "codegen/BitHelpersText.h"

namespace quorlix {
namespace emitted {

using std::int32_t;
using std::uint32_t;
using std::uint8_t;

// The C text, compiled as C++: it keeps to the subset both languages read alike.
#include "codegen/BitHelpers.c.inc"

} // namespace emitted

std::string BitHelpersText(std::string_view prefix)
{
    constexpr std::string_view kPlaceholder = "PREFIX_";
    std::string text;
    text.reserve(kBitHelpersText.size() + 8 * prefix.size());
    std::size_t start = 0;
    for (std::size_t found = kBitHelpersText.find(kPlaceholder); found != std::string_view::npos;
         found = kBitHelpersText.find(kPlaceholder, start)) {
        text.append(kBitHelpersText.substr(start, found - start));
        text.append(prefix);
        text += '_';
        start = found + kPlaceholder.size();
    }
    text.append(kBitHelpersText.substr(start));
    return text;
}

std::uint32_t HeaderReadBits(const std::uint8_t* report, std::uint32_t bitOffset,
                             std::uint32_t bitSize)
{
    return emitted::PREFIX_read_bits(report, bitOffset, bitSize);
}

std::int32_t HeaderReadSignedBits(const std::uint8_t* report, std::uint32_t bitOffset,
                                  std::uint32_t bitSize)
{
    return emitted::PREFIX_read_signed_bits(report, bitOffset, bitSize);
}

void HeaderWriteBits(std::uint8_t* report, std::uint32_t bitOffset, std::uint32_t bitSize,
                     std::uint32_t value)
{
    emitted::PREFIX_write_bits(report, bitOffset, bitSize, value);
}

} // namespace quorlix
