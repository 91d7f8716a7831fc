/* The few kernel declarations a generated report_fixup uses, for compiling it in the tests. */
#ifndef QUORLIX_TEST_LINUX_HID_H
#define QUORLIX_TEST_LINUX_HID_H

#include <stdbool.h>
#include <stdio.h>

typedef unsigned char __u8;

struct hid_device {
    int infoLines; /* hid_info calls, so a test sees the fix announce itself */
};

#define hid_info(hdev, ...) ((void)++(hdev)->infoLines)

#endif
