#pragma once

#include "cli/CommandLine.h"

namespace quorlix {

// quorlix-cli header: writes the C header of FILE's descriptor to standard output or -o OUT,
// its names starting with --name or a prefix made from FILE's name. Gives the exit status: 1
// when the descriptor cannot be read or the header cannot be written.
int RunHeader(const CommandLine& options);

} // namespace quorlix
