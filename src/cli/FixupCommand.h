#pragma once

#include "cli/CommandLine.h"

namespace quorlix {

// quorlix-cli fixup ORIGINAL FIXED --emit FORM: writes the fix, and says on standard error what
// it changes for applications. Refuses (exit 1) when FIXED has check errors, unless --force.
int RunFixup(const CommandLine& options);

} // namespace quorlix
