#include "support/FakeSysfs.h"

#include <cstdio>
#include <string>

// Builds the tests' fake sysfs tree in the folder given, to try `quorlix-cli devices` and the
// window's device list on a machine without such devices:
//   make_fake_sysfs /tmp/fake-sys && QUORLIX_SYSFS_ROOT=/tmp/fake-sys quorlix-cli devices
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make_fake_sysfs FOLDER\n", stderr);
        return 2;
    }
    std::string reason;
    if (!quorlix::test::BuildFakeSysfs(argv[1], quorlix::test::StandardFakeHidDevices(),
                                       QUORLIX_TEST_DATA_DIR "/descriptors", reason)) {
        std::fprintf(stderr, "make_fake_sysfs: %s\n", reason.c_str());
        return 1;
    }
    return 0;
}
