/* The macros of the udev-hid-bpf form a generated program is written in, for compiling it in the
 * tests: the device match in its own section, and the struct_ops names. */
#ifndef QUORLIX_TEST_HID_BPF_HELPERS_H
#define QUORLIX_TEST_HID_BPF_HELPERS_H

#include <bpf/bpf_helpers.h>

#define HID_BPF_RDESC_FIXUP "struct_ops/hid_rdesc_fixup"
#define HID_BPF_OPS(name) SEC(".struct_ops.link") struct hid_bpf_ops name

#define HID_BUS_ANY 0xffff
#define HID_GROUP_ANY 0x0000
#define HID_VID_ANY 0x0000
#define HID_PID_ANY 0x0000

#define QUORLIX_JOIN2(a, b) a##b
#define QUORLIX_JOIN(a, b) QUORLIX_JOIN2(a, b)
#define HID_DEVICE(b, g, ven, prod)                                                               \
    struct {                                                                                      \
        __uint(bus, (b));                                                                         \
        __uint(group, (g));                                                                       \
        __uint(vid, (ven));                                                                       \
        __uint(pid, (prod));                                                                      \
    } QUORLIX_JOIN(device_, __LINE__)
#define HID_BPF_CONFIG(...)                                                                       \
    union {                                                                                       \
        __VA_ARGS__;                                                                              \
    } _device_ids SEC(".hid_bpf_config")

#endif
