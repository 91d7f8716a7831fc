#include "cli/OutputChecks.h"

#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {

bool OutputIsTheInput(const CommandLine& line)
{
    if (line.outPath.empty()) {
        return false;
    }
    struct stat output
    {};
    if (::stat(line.outPath.c_str(), &output) != 0) {
        return false; // nothing there yet, so it cannot be the input
    }
    struct stat input
    {};
    const std::string& name = line.device.empty() ? line.file : line.device;
    const int found = name == "-" ? ::fstat(STDIN_FILENO, &input) : ::stat(name.c_str(), &input);
    return found == 0 && input.st_dev == output.st_dev && input.st_ino == output.st_ino;
}

bool WritesToTerminal(const CommandLine& line)
{
    return line.outPath.empty() && ::isatty(STDOUT_FILENO) == 1;
}

} // namespace quorlix
