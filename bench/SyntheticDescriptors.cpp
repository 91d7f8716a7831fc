#include "SyntheticDescriptors.h"

#include <cassert>
#include <initializer_list>

namespace quorlix::bench {
namespace {

// End Collection with no collection open changes nothing, so it pads a descriptor to size.
constexpr std::uint8_t kEndCollection = 0xC0;

// Appends items while keeping room for what must close the descriptor.
class DescriptorBuilder
{
public:
    explicit DescriptorBuilder(std::size_t size) : m_size(size) { m_bytes.reserve(size); }

    // Whether length more bytes fit with reserved bytes still to come after them.
    bool Fits(std::size_t length, std::size_t reserved = 0) const
    {
        return m_bytes.size() + length + reserved <= m_size;
    }

    void Add(std::initializer_list<std::uint8_t> bytes) { m_bytes.insert(m_bytes.end(), bytes); }

    std::vector<std::uint8_t> Finish()
    {
        assert(m_bytes.size() <= m_size && "a shape wrote past its size");
        m_bytes.resize(m_size, kEndCollection);
        return std::move(m_bytes);
    }

private:
    std::size_t m_size;
    std::vector<std::uint8_t> m_bytes;
};

std::uint8_t Low(std::size_t value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::uint8_t High(std::size_t value)
{
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// Usage Page (Generic Desktop), Usage (Mouse), Collection (Application).
void OpenApplication(DescriptorBuilder& builder)
{
    builder.Add({ 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01 });
}

std::vector<std::uint8_t> ManyFields(std::size_t size)
{
    DescriptorBuilder builder(size);
    OpenApplication(builder);
    builder.Add({ 0x75, 0x08, 0x95, 0x01 }); // Report Size 8, Report Count 1
    // Usage (X + i mod 8), Input (Data, Var, Abs): one field each.
    for (std::uint8_t i = 0; builder.Fits(4, 1); ++i) {
        builder.Add({ 0x09, static_cast<std::uint8_t>(0x30 + i % 8), 0x81, 0x02 });
    }
    builder.Add({ kEndCollection });
    return builder.Finish();
}

std::vector<std::uint8_t> ManyReports(std::size_t size)
{
    constexpr std::uint8_t kMainItems[] = { 0x81, 0x91, 0xB1 }; // Input, Output, Feature
    DescriptorBuilder builder(size);
    builder.Add({ 0x05, 0x01 });
    // A top-level collection holds one record per type and id, so a new one opens once every
    // id of every type is taken.
    while (builder.Fits(8 + 6 + 1)) {
        builder.Add({ 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01 });
        for (std::uint8_t mainItem : kMainItems) {
            for (unsigned id = 1; id <= 255 && builder.Fits(6, 1); ++id) {
                builder.Add({ 0x85, static_cast<std::uint8_t>(id), 0x09, 0x30, mainItem, 0x02 });
            }
        }
        builder.Add({ kEndCollection });
    }
    return builder.Finish();
}

std::vector<std::uint8_t> ManyCollections(std::size_t size)
{
    DescriptorBuilder builder(size);
    builder.Add({ 0x05, 0x01 });
    // Usage (Mouse), Collection (Application), Report ID, Usage (X), Report Size 8,
    // Report Count 1, Input, End Collection.
    for (unsigned i = 0; builder.Fits(15); ++i) {
        const auto id = static_cast<std::uint8_t>(1 + i % 255);
        builder.Add({ 0x09, 0x02, 0xA1, 0x01, 0x85, id, 0x09, 0x30, 0x75, 0x08, 0x95, 0x01, 0x81,
                      0x02, kEndCollection });
    }
    return builder.Finish();
}

std::vector<std::uint8_t> DeepNesting(std::size_t size)
{
    constexpr std::size_t kFixed = 6 + 8 + 1; // the application, the field, its End Collection
    constexpr std::size_t kPerLevel = 5;      // Usage (Pointer), Collection (Physical), End
    const std::size_t levels = (size - kFixed) / kPerLevel;
    DescriptorBuilder builder(size);
    OpenApplication(builder);
    for (std::size_t i = 0; i < levels; ++i) {
        builder.Add({ 0x09, 0x01, 0xA1, 0x00 });
    }
    builder.Add({ 0x75, 0x08, 0x95, 0x01, 0x09, 0x30, 0x81, 0x02 });
    for (std::size_t i = 0; i <= levels; ++i) {
        builder.Add({ kEndCollection });
    }
    return builder.Finish();
}

std::vector<std::uint8_t> ManyUsages(std::size_t size)
{
    constexpr std::size_t kFixed = 6 + 2 + 3 + 2 + 1; // ..., Report Size, Count, Input, End
    const std::size_t usages = (size - kFixed) / 2;
    DescriptorBuilder builder(size);
    OpenApplication(builder);
    // Report Size 8, Report Count as many as there are usages (two bytes).
    builder.Add({ 0x75, 0x08, 0x96, Low(usages), High(usages) });
    for (std::size_t i = 0; i < usages; ++i) {
        builder.Add({ 0x09, static_cast<std::uint8_t>(0x30 + i % 8) });
    }
    builder.Add({ 0x81, 0x02, kEndCollection });
    return builder.Finish();
}

std::vector<std::uint8_t> PushPopStack(std::size_t size)
{
    constexpr std::size_t kFixed = 6 + 4 + 4 + 1;
    const std::size_t depth = (size - kFixed) / 2;
    DescriptorBuilder builder(size);
    OpenApplication(builder);
    builder.Add({ 0x75, 0x08, 0x95, 0x01 });
    for (std::size_t i = 0; i < depth; ++i) {
        builder.Add({ 0xA4 }); // Push
    }
    builder.Add({ 0x09, 0x30, 0x81, 0x02 });
    for (std::size_t i = 0; i < depth; ++i) {
        builder.Add({ 0xB4 }); // Pop
    }
    builder.Add({ kEndCollection });
    return builder.Finish();
}

// One line of firmware source per item: bytes, then a comment.
struct SourceLine
{
    const char* bytes;
    const char* comment;
};

constexpr SourceLine kKeyboardSource[] = {
    { "0x05, 0x01,", "USAGE_PAGE (Generic Desktop)" },
    { "0x09, 0x06,", "USAGE (Keyboard)" },
    { "0xa1, 0x01,", "COLLECTION (Application)" },
    { "0x85, 0x02,", "  REPORT_ID (2)" },
    { "0x05, 0x07,", "  USAGE_PAGE (Keyboard)" },
    { "0x19, 0xe0,", "  USAGE_MINIMUM (Keyboard LeftControl)" },
    { "0x29, 0xe7,", "  USAGE_MAXIMUM (Keyboard Right GUI)" },
    { "0x15, 0x00,", "  LOGICAL_MINIMUM (0)" },
    { "0x25, 0x01,", "  LOGICAL_MAXIMUM (1)" },
    { "0x75, 0x01,", "  REPORT_SIZE (1)" },
    { "0x95, 0x08,", "  REPORT_COUNT (8)" },
    { "0x81, 0x02,", "  INPUT (Data,Var,Abs)" },
    { "0x95, 0x01,", "  REPORT_COUNT (1)" },
    { "0x75, 0x08,", "  REPORT_SIZE (8)" },
    { "0x81, 0x03,", "  INPUT (Cnst,Var,Abs)" },
    { "0x95, 0x06,", "  REPORT_COUNT (6)" },
    { "0x26, 0xff, 0x00,", "  LOGICAL_MAXIMUM (255)" },
    { "0x19, 0x00,", "  USAGE_MINIMUM (Reserved (no event indicated))" },
    { "0x2a, 0xff, 0x00,", "  USAGE_MAXIMUM (255)" },
    { "0x81, 0x00,", "  INPUT (Data,Ary,Abs)" },
    { "0xc0,", "END_COLLECTION" },
};

} // namespace

std::string_view ShapeName(DescriptorShape shape)
{
    switch (shape) {
    case DescriptorShape::ManyFields:
        return "fields";
    case DescriptorShape::ManyReports:
        return "reports";
    case DescriptorShape::ManyCollections:
        return "collections";
    case DescriptorShape::DeepNesting:
        return "nesting";
    case DescriptorShape::ManyUsages:
        return "usages";
    case DescriptorShape::PushPopStack:
        return "pushpop";
    }
    return "unknown";
}

std::string SizeLabel(std::size_t size)
{
    // 65535 is the largest descriptor, shown as 64K like the sizes it sits among.
    return std::to_string((size + 1023) / 1024) + "K";
}

std::vector<std::uint8_t> MakeDescriptor(DescriptorShape shape, std::size_t size)
{
    switch (shape) {
    case DescriptorShape::ManyFields:
        return ManyFields(size);
    case DescriptorShape::ManyReports:
        return ManyReports(size);
    case DescriptorShape::ManyCollections:
        return ManyCollections(size);
    case DescriptorShape::DeepNesting:
        return DeepNesting(size);
    case DescriptorShape::ManyUsages:
        return ManyUsages(size);
    case DescriptorShape::PushPopStack:
        return PushPopStack(size);
    }
    return {};
}

std::string ToHexDumpText(std::span<const std::uint8_t> bytes)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    constexpr std::size_t kBytesPerLine = 16;
    std::string text;
    text.reserve(bytes.size() * 3 + 1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 0x0F]);
        const bool lineEnd = i % kBytesPerLine == kBytesPerLine - 1 || i + 1 == bytes.size();
        text.push_back(lineEnd ? '\n' : ' ');
    }
    return text;
}

std::string MakeFirmwareArrayText(std::size_t minimumSize)
{
    std::string text = "const uint8_t hidReportDescriptor[] = {\n";
    text.reserve(minimumSize + 256);
    while (text.size() < minimumSize) {
        for (const SourceLine& line : kKeyboardSource) {
            const std::string_view bytes = line.bytes;
            text += "    ";
            text += bytes;
            // Comments line up in one column, as firmware sources usually have them.
            text.append(bytes.size() < 24 ? 24 - bytes.size() : 1, ' ');
            text += "// ";
            text += line.comment;
            text += '\n';
        }
    }
    text += "};\n";
    return text;
}

} // namespace quorlix::bench
