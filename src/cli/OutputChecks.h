#pragma once

#include "cli/CommandLine.h"

namespace quorlix {

// Whether -o names the input itself: the same file (device and inode), by the same path, by
// another path or through a hard or symbolic link, or the file standard input reads when FILE
// is "-". Writing there would replace the descriptor with what was made from it.
bool OutputIsTheInput(const CommandLine& line);

// Whether the command writes to a terminal: standard output (no -o) is one.
bool WritesToTerminal(const CommandLine& line);

} // namespace quorlix
