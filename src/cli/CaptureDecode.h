#pragma once

#include "cli/CommandLine.h"

#include <cstdio>

namespace quorlix {

// quorlix-cli decode CAPTURE: every report of every HID interface, decoded against that
// interface's descriptor in the capture (or --descriptor, for the interfaces --interface names
// or all), one line each with frame, time, interface, direction and how it travelled; or one
// JSON document. The capture is read twice, the descriptors first, so memory stays bounded.
// Gives 1 when the capture cannot be read or a report could not be decoded.
int RunCaptureDecode(const CommandLine& options);

// The same, written to sink: what the decode benchmark times.
int DecodeCapture(const CommandLine& options, std::FILE* sink);

} // namespace quorlix
