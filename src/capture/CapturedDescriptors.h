#pragma once

#include "capture/CaptureScan.h"
#include "forms/DescriptorInput.h"
#include "support/Expected.h"

#include <cstddef>
#include <optional>
#include <string>

namespace quorlix {

// Which of a capture's report descriptors to take: by its index, or by the interface that
// fetched it ("1.4:0", or "1.4" for the device's first); neither takes the first.
struct CapturedDescriptorRequest
{
    std::optional<std::size_t> index;
    std::string interfaceSelector;
};

// Why no descriptor was taken. Callers word it, as they know which option asked.
enum class CapturedDescriptorError : std::uint8_t
{
    NoDescriptor,    // the capture holds none: the enumeration was not captured
    BadSelector,     // the interface is not BUS.ADDR or BUS.ADDR:IF
    NoSuchInterface, // no descriptor of that interface
    NoSuchIndex,     // the index is past the last descriptor
};

struct CapturedDescriptorChoice
{
    std::size_t index = 0;     // the descriptor taken
    std::string interfaceName; // its "BUS.ADDR:IF"
    std::string deviceId;      // "0003:VVVV:PPPP" when the device descriptor was captured, else ""
};

// A capture as a descriptor source, as every other source is one: input lists the capture's
// report descriptors as candidates (labelled "BUS.ADDR:IF", with the device's "vvvv:pppp" where
// known) whatever the outcome, and holds the chosen one's bytes, read as binary, when there is one.
Expected<CapturedDescriptorChoice, CapturedDescriptorError>
ChooseCapturedDescriptor(const CaptureInventory& inventory,
                         const CapturedDescriptorRequest& request, DescriptorInput& input);

// Parses "1.4" or "1.4:0" into bus, address and interface (-1 when absent).
bool ParseInterfaceSelector(const std::string& text, std::uint16_t& bus, std::uint8_t& address,
                            int& interface);

} // namespace quorlix
