#include "app/CQuorlixApp.h"
#include "app/WindowCommandLine.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace quorlix;
    // --version and --help answer before Qt starts, so they work without a display.
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const WindowCommandLine early = ParseWindowCommandLine(arguments);
    if (early.action == WindowCommandAction::Version) {
        std::fputs(WindowVersionText().c_str(), stdout);
        return 0;
    }
    if (early.action == WindowCommandAction::Help) {
        std::fputs(WindowHelpText().c_str(), stdout);
        return 0;
    }
    CQuorlixApp app(argc, argv);
    return app.InitInstance();
}
