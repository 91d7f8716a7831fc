#pragma once

#include <cstdint>
#include <string_view>

namespace quorlix {

// The kinds a usage can have, one bit each. A usage may have several (a button is Sel, OOC, MC
// and OSC at once); which one applies depends on the main item that carries it.
enum class UsageKind : std::uint32_t
{
    Selector = 1u << 0,               // Sel
    OnOffControl = 1u << 1,           // OOC
    MomentaryControl = 1u << 2,       // MC
    OneShotControl = 1u << 3,         // OSC
    ReTriggerControl = 1u << 4,       // RTC
    LinearControl = 1u << 5,          // LC
    DynamicValue = 1u << 6,           // DV
    DynamicFlag = 1u << 7,            // DF
    StaticValue = 1u << 8,            // SV
    StaticFlag = 1u << 9,             // SF
    NamedArray = 1u << 10,            // NAry
    ApplicationCollection = 1u << 11, // CA
    LogicalCollection = 1u << 12,     // CL
    PhysicalCollection = 1u << 13,    // CP
    UsageModifier = 1u << 14,         // UM
    UsageSwitch = 1u << 15,           // US
    BufferedBytes = 1u << 16,         // BufferedBytes
};

inline constexpr unsigned kUsageKindCount = 17;

// A set of usage kinds; empty for a usage the tables do not define.
struct UsageKinds
{
    std::uint32_t bits = 0;

    constexpr bool Has(UsageKind kind) const
    {
        return (bits & static_cast<std::uint32_t>(kind)) != 0;
    }
    constexpr bool Empty() const { return bits == 0; }
    friend constexpr bool operator==(UsageKinds, UsageKinds) = default;
};

constexpr UsageKinds operator|(UsageKinds a, UsageKinds b)
{
    return UsageKinds{ a.bits | b.bits };
}

constexpr UsageKinds operator|(UsageKind a, UsageKind b)
{
    return UsageKinds{ static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b) };
}

constexpr UsageKinds operator|(UsageKinds a, UsageKind b)
{
    return UsageKinds{ a.bits | static_cast<std::uint32_t>(b) };
}

// The usage tables' abbreviation of one kind ("Sel", "OOC", "NAry", "BufferedBytes"); empty for
// anything but a single kind.
constexpr std::string_view UsageKindAbbreviation(UsageKind kind)
{
    switch (kind) {
    case UsageKind::Selector:
        return "Sel";
    case UsageKind::OnOffControl:
        return "OOC";
    case UsageKind::MomentaryControl:
        return "MC";
    case UsageKind::OneShotControl:
        return "OSC";
    case UsageKind::ReTriggerControl:
        return "RTC";
    case UsageKind::LinearControl:
        return "LC";
    case UsageKind::DynamicValue:
        return "DV";
    case UsageKind::DynamicFlag:
        return "DF";
    case UsageKind::StaticValue:
        return "SV";
    case UsageKind::StaticFlag:
        return "SF";
    case UsageKind::NamedArray:
        return "NAry";
    case UsageKind::ApplicationCollection:
        return "CA";
    case UsageKind::LogicalCollection:
        return "CL";
    case UsageKind::PhysicalCollection:
        return "CP";
    case UsageKind::UsageModifier:
        return "UM";
    case UsageKind::UsageSwitch:
        return "US";
    case UsageKind::BufferedBytes:
        return "BufferedBytes";
    }
    return {};
}

} // namespace quorlix
