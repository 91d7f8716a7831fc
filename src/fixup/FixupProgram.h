#pragma once

#include "support/Expected.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

enum class FixupForm : std::uint8_t
{
    HidBpf, // a HID-BPF program in the form udev-hid-bpf builds and installs
    Kernel, // a report_fixup function for a kernel HID driver
    C,      // the fixed descriptor as a C array with its items as comments
};

// The device a fix is for, as the kernel names it: bus 0003:VID:PID.
struct MatchedDevice
{
    std::uint16_t bus = 0;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

struct FixupRequest
{
    FixupForm form = FixupForm::HidBpf;
    std::optional<MatchedDevice> device; // none: the program matches any device, the probe decides
    std::string prefix = "hid";          // what the program's names start with
    std::string originalName;            // for the comments
    std::string fixedName;
};

// Why there is no fix to write.
enum class FixupError : std::uint8_t
{
    EmptyDescriptor, // either descriptor has no byte
    TooLong,         // past the 4096 bytes the kernel takes for a descriptor
    SameBytes,       // there is nothing to fix
};

// One byte the fix changes in place.
struct ByteEdit
{
    std::size_t offset = 0;
    std::uint8_t from = 0;
    std::uint8_t to = 0;
};

// The most bytes a report descriptor may have in the kernel.
inline constexpr std::size_t kMaxKernelDescriptorBytes = 4096;

// The bytes that differ, when the two have the same length; empty otherwise.
std::vector<ByteEdit> ByteEdits(std::span<const std::uint8_t> original,
                                std::span<const std::uint8_t> fixed);

// The offsets of the original's bytes a fix checks before it applies, ascending: the first and
// last 16 bytes and every byte of the items the fix changes (and of the items on either side of
// an insertion), at most kMaxCheckedBytes; with the length, enough to tell the descriptor apart.
std::vector<std::size_t> CheckedOffsets(std::span<const std::uint8_t> original,
                                        std::span<const std::uint8_t> fixed);

inline constexpr std::size_t kMaxCheckedBytes = 256;

// Writes the fix in the requested form, with comments that say what it changes (the changed
// items, and the diff's verdict). Gives an error, writing nothing, when there is nothing to
// write or the kernel would not take the result.
Expected<void, FixupError> WriteFixup(std::ostream& out, std::span<const std::uint8_t> original,
                                      std::span<const std::uint8_t> fixed,
                                      const FixupRequest& request);

// A lower-case reason for an error, without a final period.
std::string_view FixupErrorText(FixupError error);

// BUS:VID:PID in hexadecimal ("0003:11C0:5606"), also found inside a sysfs device name or path
// ("/sys/bus/hid/devices/0003:11C0:5606.0001/report_descriptor"); nothing when there is none.
std::optional<MatchedDevice> FindDeviceId(std::string_view text);

} // namespace quorlix
