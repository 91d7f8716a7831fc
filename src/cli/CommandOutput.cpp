#include "cli/CommandOutput.h"

#include "files/OutputFile.h"

#include <cstdio>
#include <iostream>

namespace quorlix {

void Complain(std::string_view subject, std::string_view reason)
{
    std::fprintf(stderr, "%s: %.*s: %.*s\n", kProgramName, static_cast<int>(subject.size()),
                 subject.data(), static_cast<int>(reason.size()), reason.data());
}

void Complain(std::string_view reason)
{
    std::fprintf(stderr, "%s: %.*s\n", kProgramName, static_cast<int>(reason.size()),
                 reason.data());
}

int FinishStandardOutput()
{
    std::cout.flush();
    std::fflush(stdout);
    if (!std::cout || std::ferror(stdout)) {
        Complain("<stdout>", "write failed");
        return kExitFailure;
    }
    return kExitOk;
}

int WriteCommandOutput(const std::string& outPath,
                       const std::function<void(std::ostream&)>& produce)
{
    if (outPath.empty()) {
        produce(std::cout);
        return FinishStandardOutput();
    }
    // The same writer as the window's Save: a FIFO that no one reads fails at once instead of
    // blocking, and a failed write or close is reported with the system's reason.
    if (const auto written = WriteOutputFile(outPath, produce); !written) {
        Complain(outPath, "cannot write file: " + WriteErrorText(written.Error()));
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quorlix
