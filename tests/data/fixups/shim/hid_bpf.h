/* What a HID-BPF program takes from the kernel: the context, the struct_ops table and the probe's
 * arguments, declared here unless the BTF dump in vmlinux.h has them. */
#ifndef QUORLIX_TEST_HID_BPF_H
#define QUORLIX_TEST_HID_BPF_H

#ifndef QUORLIX_BTF_HAS_HID_BPF
struct hid_device;

struct hid_bpf_ctx {
    struct hid_device *hid;
    __u32 allocated_size;
    union {
        __s32 retval;
        __s32 size;
    };
};

struct hid_bpf_ops {
    int hid_id;
    __u32 flags;
    int (*hid_device_event)(struct hid_bpf_ctx *ctx, int type, __u64 source);
    int (*hid_rdesc_fixup)(struct hid_bpf_ctx *ctx);
};
#endif

struct hid_bpf_probe_args {
    unsigned int hid;
    unsigned int rdesc_size;
    unsigned char rdesc[4096];
    int retval;
};

extern __u8 *hid_bpf_get_data(struct hid_bpf_ctx *ctx, unsigned int offset, const unsigned int sz)
    __attribute__((section(".ksyms")));

#endif
