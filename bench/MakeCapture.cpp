// Writes a generated usbmon capture of a boot keyboard for the speed and memory measurements:
//
//     quorlix_make_capture FILE REPORTS
//
// (about 72 bytes of file a report: 2 million reports make 144 MB).

#include "GeneratedCapture.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

int main(int argc, char** argv)
{
    std::uint64_t reports = 0;
    const std::string_view count = argc == 3 ? argv[2] : "";
    const auto parsed = std::from_chars(count.data(), count.data() + count.size(), reports);
    if (argc != 3 || parsed.ec != std::errc() || parsed.ptr != count.data() + count.size()) {
        std::fputs("usage: quorlix_make_capture FILE REPORTS\n", stderr);
        return 2;
    }
    if (!quorlix::bench::WriteKeyboardCapture(argv[1], reports)) {
        std::fprintf(stderr, "quorlix_make_capture: cannot write %s: %s\n", argv[1],
                     std::strerror(errno));
        return 1;
    }
    return 0;
}
