#pragma once

#include "cli/CommandLine.h"
#include "forms/DescriptorInput.h"

namespace quorlix {

// Reads the descriptor of the command's FILE ("-" for standard input) in the form --input names,
// the one --index picks. Writes on standard error, one line each: why nothing can be analysed,
// the reader's warnings, how many descriptors the file holds when it holds several, and with -v
// how FILE was read. Gives false when there is nothing to analyse.
bool ReadCommandInput(const CommandLine& options, DescriptorInput& input);

} // namespace quorlix
