/* A stand-in for a kernel's BTF dump: the types a HID-BPF program and libbpf's headers use, for
 * compiling generated programs where no dump is at hand. */
#ifndef QUORLIX_TEST_VMLINUX_H
#define QUORLIX_TEST_VMLINUX_H

typedef unsigned char __u8;
typedef unsigned short __u16;
typedef unsigned int __u32;
typedef unsigned long long __u64;
typedef signed char __s8;
typedef short __s16;
typedef int __s32;
typedef long long __s64;
typedef __u16 __be16;
typedef __u32 __be32;
typedef __u32 __wsum;
typedef _Bool bool;
enum { false = 0, true = 1 };

struct pt_regs {
    unsigned long di, si, dx, cx, r8, r9, ax, sp, ip, bp;
};

#endif
