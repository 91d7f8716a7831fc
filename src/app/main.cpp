#include "app/CQuorlixApp.h"
#include "app/CommandLine.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace quorlix;
    // --version and --help answer before Qt starts, so they work without a display.
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const CommandLine early = ParseCommandLine(arguments);
    if (early.action == CommandAction::Version) {
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    }
    if (early.action == CommandAction::Help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    CQuorlixApp app(argc, argv);
    return app.InitInstance();
}
