#include "forms/FormReaders.h"
#include "forms/FormText.h"

#include <algorithm>
#include <array>

namespace quorlix::forms {
namespace {

struct ItemName
{
    std::uint8_t type; // 0 main, 1 global, 2 local
    std::uint8_t tag;
    std::string_view name;
};

// The item names lsusb prints, with the type and tag they stand for.
// clang-format off
constexpr std::array kItemNames = {
    ItemName{ 0, 0x8, "Input" },             ItemName{ 0, 0x9, "Output" },
    ItemName{ 0, 0xA, "Collection" },        ItemName{ 0, 0xB, "Feature" },
    ItemName{ 0, 0xC, "End Collection" },
    ItemName{ 1, 0x0, "Usage Page" },        ItemName{ 1, 0x1, "Logical Minimum" },
    ItemName{ 1, 0x2, "Logical Maximum" },   ItemName{ 1, 0x3, "Physical Minimum" },
    ItemName{ 1, 0x4, "Physical Maximum" },  ItemName{ 1, 0x5, "Unit Exponent" },
    ItemName{ 1, 0x6, "Unit" },              ItemName{ 1, 0x7, "Report Size" },
    ItemName{ 1, 0x8, "Report ID" },         ItemName{ 1, 0x9, "Report Count" },
    ItemName{ 1, 0xA, "Push" },              ItemName{ 1, 0xB, "Pop" },
    ItemName{ 2, 0x0, "Usage" },             ItemName{ 2, 0x1, "Usage Minimum" },
    ItemName{ 2, 0x2, "Usage Maximum" },     ItemName{ 2, 0x3, "Designator Index" },
    ItemName{ 2, 0x4, "Designator Minimum" },ItemName{ 2, 0x5, "Designator Maximum" },
    ItemName{ 2, 0x7, "String Index" },      ItemName{ 2, 0x8, "String Minimum" },
    ItemName{ 2, 0x9, "String Maximum" },    ItemName{ 2, 0xA, "Delimiter" },
};
// clang-format on

constexpr std::string_view kSectionSign = "Report Descriptor: (length is ";

std::string LsusbError(std::uint32_t lineNumber, const std::string& what)
{
    return "lsusb line " + std::to_string(lineNumber) + ": " + what;
}

int TypeOfKind(std::string_view kind)
{
    if (kind == "Main") {
        return 0;
    }
    if (kind == "Global") {
        return 1;
    }
    if (kind == "Local") {
        return 2;
    }
    return -1;
}

// One item line, "Item(Global): Usage Page, data= [ 0x01 ] 1", rebuilt into its bytes.
InputOutcome ReadItem(std::string_view line, std::size_t start, std::uint32_t lineNumber,
                      ByteSink& sink, std::size_t& count)
{
    const std::size_t close = line.find("):", start);
    if (close == std::string_view::npos) {
        return Malformed(LsusbError(lineNumber, "no \"):\" after the item's kind"));
    }
    const std::string_view kind = TrimBlanks(line.substr(start + 5, close - start - 5));
    const int type = TypeOfKind(kind);
    if (type < 0) {
        return Malformed(LsusbError(lineNumber, "a " + Quoted(kind) + " item cannot be rebuilt"));
    }
    const std::size_t comma = line.find(", data=", close);
    if (comma == std::string_view::npos) {
        return Malformed(LsusbError(lineNumber, "no \", data=\" after the item's name"));
    }
    const std::string_view name = TrimBlanks(line.substr(close + 2, comma - close - 2));
    const ItemName* item = nullptr;
    for (const ItemName& entry : kItemNames) {
        if (entry.type == type && entry.name == name) {
            item = &entry;
        }
    }
    if (item == nullptr) {
        const std::size_t nameStart = line.find_first_not_of(" \t", close + 2);
        return Malformed(
            LsusbError(lineNumber, Quoted(name) + " at " + Place(lineNumber, nameStart + 1) +
                                       " is no item name known here; its tag is unknown"));
    }

    // The data: "none", or "[ 0x01 0x02 ] 513" with the value the bytes make.
    std::array<std::uint8_t, 4> data{};
    std::array<std::uint32_t, 4> columns{};
    std::size_t size = 0;
    std::size_t p = comma + 7;
    const std::string_view rest = TrimBlanks(line.substr(p));
    if (rest != "none") {
        const std::size_t open = line.find('[', p);
        const std::size_t shut = line.find(']', p);
        if (open == std::string_view::npos || shut == std::string_view::npos || shut < open) {
            return Malformed(LsusbError(lineNumber, "no \"[ ... ]\" of data bytes"));
        }
        for (p = open + 1; p < shut;) {
            if (IsBlank(line[p])) {
                ++p;
                continue;
            }
            if (shut - p < 4 || line[p] != '0' || line[p + 1] != 'x' || HexValue(line[p + 2]) < 0 ||
                HexValue(line[p + 3]) < 0 || (p + 4 < shut && !IsBlank(line[p + 4])) || size == 4) {
                return Malformed(LsusbError(lineNumber, "the data at " + Place(lineNumber, p + 1) +
                                                            " is not one to four bytes 0xNN"));
            }
            data[size] =
                static_cast<std::uint8_t>(HexValue(line[p + 2]) << 4 | HexValue(line[p + 3]));
            columns[size++] = static_cast<std::uint32_t>(p + 1);
            p += 4;
        }
        if (size == 3) {
            return Malformed(LsusbError(lineNumber, "three data bytes make no item"));
        }
        // The value after the bracket tells the bytes' order; it is the little-endian one.
        const std::string_view value = TrimBlanks(line.substr(shut + 1));
        std::uint64_t little = 0;
        std::uint64_t big = 0;
        for (std::size_t i = 0; i < size; ++i) {
            little |= std::uint64_t{ data[i] } << (8 * i);
            big = big << 8 | data[i];
        }
        if (value != std::to_string(little) && value == std::to_string(big) && size > 1) {
            std::reverse(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(size));
            std::reverse(columns.begin(), columns.begin() + static_cast<std::ptrdiff_t>(size));
        } else if (!value.empty() && value != std::to_string(little)) {
            return Malformed(LsusbError(lineNumber, "the value " + Quoted(value) +
                                                        " is not what the data bytes make"));
        }
    }
    const std::uint8_t sizeCode = size == 4 ? 3 : static_cast<std::uint8_t>(size);
    const auto prefix = static_cast<std::uint8_t>(item->tag << 4 | item->type << 2 | sizeCode);
    count += 1 + size;
    bool fits = sink.Add(prefix, lineNumber, static_cast<std::uint32_t>(start + 1));
    for (std::size_t i = 0; i < size && fits; ++i) {
        fits = sink.Add(data[i], lineNumber, columns[i]);
    }
    return fits ? InputOutcome{} : TooManyBytes();
}

} // namespace

InputOutcome ReadLsusb(std::string_view text, DescriptorInput& input)
{
    ByteSink sink(input);
    LineWalker lines(text);
    std::string_view line;
    std::size_t descriptors = 0;
    bool inSection = false;
    std::size_t said = 0;
    bool saysLength = false;
    std::size_t count = 0;
    std::uint32_t sectionLine = 0;
    const auto closeSection = [&]() -> InputOutcome {
        if (inSection && count == 0) {
            return Malformed(LsusbError(sectionLine, "the Report Descriptor shows no items"));
        }
        if (inSection && saysLength && count != said) {
            return Malformed(LsusbError(sectionLine, "the length is " + std::to_string(said) +
                                                         ", the items make " +
                                                         std::to_string(count) + " bytes"));
        }
        return {};
    };
    while (lines.Next(line)) {
        if (const std::size_t sign = line.find(kSectionSign); sign != std::string_view::npos) {
            if (InputOutcome outcome = closeSection(); outcome.status != InputStatus::Ok) {
                return outcome;
            }
            const std::string_view length = line.substr(sign + kSectionSign.size());
            said = 0;
            std::size_t digits = 0;
            while (digits < length.size() && digits < 9 && IsDecimalDigit(length[digits])) {
                said = said * 10 + static_cast<std::size_t>(length[digits++] - '0');
            }
            saysLength = digits > 0;
            inSection = true;
            count = 0;
            sectionLine = lines.Number();
            ++descriptors;
            BeginCandidate(input, sectionLine);
            continue;
        }
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || !StartsWith(line.substr(start), "Item(")) {
            continue; // usage names, flags and the rest of lsusb's report
        }
        if (!inSection) {
            // Items without their section header (a copied excerpt) are one descriptor.
            inSection = true;
            saysLength = false;
            count = 0;
            ++descriptors;
            BeginCandidate(input, lines.Number());
        }
        if (InputOutcome outcome = ReadItem(line, start, lines.Number(), sink, count);
            outcome.status != InputStatus::Ok) {
            return outcome;
        }
    }
    if (InputOutcome outcome = closeSection(); outcome.status != InputStatus::Ok) {
        return outcome;
    }
    if (descriptors == 0) {
        return Malformed("no Report Descriptor items in this lsusb text (lsusb shows them only "
                         "when run as root with the driver detached); the kernel gives the "
                         "bytes in /sys/bus/hid/devices/*/report_descriptor");
    }
    return {};
}

} // namespace quorlix::forms
