#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace quorlix {

// The program's name as every line it writes on standard error begins.
inline constexpr char kProgramName[] = "quorlix-cli";

// Exit statuses: done; failed (nothing to analyse, a read or write failed); misused (the
// arguments were wrong); check found errors, or warnings with --werror.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFindings = 3;

// One line on standard error: the program, what it is about and why, lower case without a
// final period ("quorlix-cli: mouse.txt: cannot open file").
void Complain(std::string_view subject, std::string_view reason);

// One line on standard error about no file in particular ("quorlix-cli: no hidraw devices").
void Complain(std::string_view reason);

// Writes what produce puts into a stream to outPath, or to standard output when outPath is
// empty. A file is replaced only once all of it is written, so a failure keeps the old one. A
// failed write is complained about and gives kExitFailure, never a quiet success.
int WriteCommandOutput(const std::string& outPath,
                       const std::function<void(std::ostream&)>& produce);

// Flushes standard output; complains and gives kExitFailure when any write to it failed.
int FinishStandardOutput();

} // namespace quorlix
