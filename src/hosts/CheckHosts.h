#pragma once

#include "diagnostics/Finding.h"
#include "hosts/HostProfiles.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quorlix {

enum class UsbSpeed : std::uint8_t
{
    Low,
    Full,
    High,
};

// What the USB interface and its interrupt IN endpoint say, as far as an input told it.
struct UsbInterfaceFacts
{
    std::optional<std::uint16_t> maxPacketSize; // wMaxPacketSize as written, bits 12:11 included
    std::optional<std::uint8_t> subclass;
    std::optional<std::uint8_t> protocol;
    std::optional<std::size_t> descriptorLength; // wDescriptorLength of the HID descriptor
    std::optional<UsbSpeed> speed;
};

struct HostCheckOptions
{
    std::vector<HostProfileId> profiles; // as named; each brings its parent's rules too
    UsbInterfaceFacts usb;
};

struct HostCheckResult
{
    std::vector<HostProfileId> profiles; // those checked: the parents first, each once
    std::vector<Finding> findings;       // ordered by offset
    // Rules of the profiles checked that need interface data the input did not give.
    std::vector<const HostRule*> notChecked;
};

// Checks the descriptor against the rules of the named host profiles, and the packet budgets
// whenever the endpoint's packet size is known. Every finding names its profile and rule. Any
// byte string is a valid input; time and memory grow linearly with its length.
HostCheckResult CheckHosts(std::span<const std::uint8_t> bytes, const HostCheckOptions& options);

// Parses "windows,macos" into profiles; gives the first unknown name in unknown otherwise.
std::optional<std::vector<HostProfileId>> ParseHostProfiles(std::string_view names,
                                                            std::string_view& unknown);

} // namespace quorlix
