#pragma once

#include "cli/CommandLine.h"
#include "forms/DescriptorInput.h"

namespace quorlix {

// Reads the descriptor of the command's FILE ("-" for standard input) in the form --input names,
// the one --index picks. Writes on standard error, one line each: why nothing can be analysed,
// the reader's warnings, how many descriptors the file holds when it holds several, and with -v
// how FILE was read. Gives false when there is nothing to analyse.
// deviceId, when given, receives the device's id as the kernel names it ("0003:046D:C52B", or its
// sysfs name, which starts so) when the input says which device it came from: a connected device
// or a capture that holds the device descriptor; else it is left empty.
bool ReadCommandInput(const CommandLine& options, DescriptorInput& input,
                      std::string* deviceId = nullptr);

// What ReadCommandInput says of an input once read (devicePath: the node it came from, if any):
// the reader's warnings, the choice among several descriptors, with -v how it was read. Gives
// false when --strict refuses the warnings.
bool SayCommandInput(const CommandLine& options, const DescriptorInput& input,
                     const std::string& devicePath);

} // namespace quorlix
