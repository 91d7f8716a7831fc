#!/usr/bin/env python3
"""Writes the form samples of the forms tests from real descriptors of tests/data/descriptors.

Each sample holds a descriptor the way a tool or a person writes it; the tests read it back and
compare with the plain dump. xxd, hexdump and od are run as users run them; the other forms
are written here after the layouts their tools use. Run from this folder; the output is
committed, so a build needs neither this script nor the tools. Given the path of a built
quorlix-cli, it also writes the saved analysis samples with it.
"""
import pathlib
import sys
import subprocess

HERE = pathlib.Path(__file__).resolve().parent
DESCRIPTORS = HERE.parent / "descriptors"

NAMES = {
    (0, 0x8): "Input", (0, 0x9): "Output", (0, 0xA): "Collection", (0, 0xB): "Feature",
    (0, 0xC): "End Collection",
    (1, 0x0): "Usage Page", (1, 0x1): "Logical Minimum", (1, 0x2): "Logical Maximum",
    (1, 0x3): "Physical Minimum", (1, 0x4): "Physical Maximum", (1, 0x5): "Unit Exponent",
    (1, 0x6): "Unit", (1, 0x7): "Report Size", (1, 0x8): "Report ID", (1, 0x9): "Report Count",
    (1, 0xA): "Push", (1, 0xB): "Pop",
    (2, 0x0): "Usage", (2, 0x1): "Usage Minimum", (2, 0x2): "Usage Maximum",
    (2, 0x3): "Designator Index", (2, 0x4): "Designator Minimum", (2, 0x5): "Designator Maximum",
    (2, 0x7): "String Index", (2, 0x8): "String Minimum", (2, 0x9): "String Maximum",
    (2, 0xA): "Delimiter",
}
KINDS = {0: "Main  ", 1: "Global", 2: "Local "}


def descriptor(name):
    return bytes(int(t, 16) for t in (DESCRIPTORS / f"{name}.txt").read_text().split())


def items(data):
    """(offset, prefix, data bytes) of each short item."""
    p = 0
    while p < len(data):
        prefix = data[p]
        size = (0, 1, 2, 4)[prefix & 3]
        yield p, prefix, data[p + 1:p + 1 + size]
        p += 1 + size


def write(name, text, encoding="ascii"):
    (HERE / name).write_bytes(text.encode(encoding) if isinstance(text, str) else text)


def c_array(data):
    lines = ["/* Report descriptor of the DualShock 4, as firmware keeps it. */",
             "#include <stdint.h>", "", "static const uint8_t report_desc[] = {"]
    for _, prefix, payload in items(data):
        values = ", ".join(f"0x{b:02X}" for b in bytes([prefix]) + payload)
        name = NAMES.get(((prefix >> 2) & 3, prefix >> 4), "Item")
        lines.append(f"    {values + ',':<32}/* {name} */")
    lines += ["};", "", "const unsigned report_desc_size = sizeof report_desc;", ""]
    return "\n".join(lines)


def python_list(data):
    lines = ["# Arduino Mouse descriptor for a test script", "DESCRIPTOR = bytes(["]
    for offset, prefix, payload in items(data):
        values = ", ".join(str(b) for b in bytes([prefix]) + payload)
        lines.append(f"    {values},  # {offset}")
    lines += ["])", ""]
    return "\n".join(lines)


def recorder_device(data, name, index):
    lines = [f"# {name}"]
    for offset, prefix, payload in items(data):
        values = ", ".join(f"0x{b:02x}" for b in bytes([prefix]) + payload)
        kind = NAMES.get(((prefix >> 2) & 3, prefix >> 4), "Item")
        lines.append(f"# {values + ',':<32} // {kind:<30} {offset}")
    lines.append(f"R: {len(data)} " + " ".join(f"{b:02x}" for b in data))
    lines.append(f"N: {name}")
    lines.append(f"P: usb-0000:00:14.0-{index + 1}/input0")
    lines.append("I: 3 054c 05c4")
    return lines


def usbhid_block(data, interface):
    lines = [f"001:005:{interface:03d}:DESCRIPTOR         1700000000.{123456 + interface:06d}"]
    for i in range(0, len(data), 32):
        lines.append(" " + " ".join(f"{b:02X}" for b in data[i:i + 32]))
    return lines + [""]


def wireshark_dump(data):
    lines = []
    for i in range(0, len(data), 16):
        row = data[i:i + 16]
        ascii_ = "".join(chr(b) if 0x20 <= b < 0x7F else "." for b in row)
        lines.append(f"{i:04x}   {' '.join(f'{b:02x}' for b in row):<47}   {ascii_}")
    return "\n".join(lines) + "\n"


def lsusb(data, length_line=True):
    lines = ["      Report Descriptors: "] if not length_line else []
    lines.append(f"          Report Descriptor: (length is {len(data)})")
    for _, prefix, payload in items(data):
        kind = KINDS[(prefix >> 2) & 3]
        name = NAMES[((prefix >> 2) & 3, prefix >> 4)]
        if payload:
            value = int.from_bytes(payload, "little")
            inner = " ".join(f"0x{b:02x}" for b in payload)
            lines.append(f"            Item({kind}): {name}, data= [ {inner} ] {value}")
        else:
            lines.append(f"            Item({kind}): {name}, data=none")
        if name in ("Input", "Output", "Feature"):
            lines.append("                            Data Variable Absolute No_Wrap Linear")
        if name.startswith("Usage"):
            lines.append("                            (null)")
    return "\n".join(lines) + "\n"


def main():
    ds4 = descriptor("dualshock4-usb")
    mouse = descriptor("arduino-mouse")
    keyboard = descriptor("hid-example-keyboard")
    touchpad = descriptor("synaptics-touchpad-i2c")
    unifying = descriptor("logitech-unifying-4071")
    ergo_kbd = descriptor("ms-natural-ergonomic-4000-kbd")
    ergo_consumer = descriptor("ms-natural-ergonomic-4000-consumer")

    write("dualshock4-usb.bin", ds4)
    c_text = c_array(ds4)
    write("dualshock4-usb.c.txt", c_text)
    write("dualshock4-usb-utf16le-bom.c.txt", "\ufeff" + c_text.replace("\n", "\r\n"), "utf-16-le")
    write("dualshock4-usb-utf16le.c.txt", c_text, "utf-16-le")
    write("dualshock4-usb-utf16be-bom.c.txt", "\ufeff" + c_text, "utf-16-be")
    write("dualshock4-usb-utf8-bom.c.txt", "\ufeff" + c_text, "utf-8")
    write("arduino-mouse.py.txt", python_list(mouse))

    one = recorder_device(ds4, "Sony Interactive Entertainment Wireless Controller", 0)
    write("dualshock4-usb.hid-recorder.txt",
          "\n".join(one + ["D: 0", "E: 0.000000 10 01 80 80 80 80 08 00 00 00 00",
                           "E: 0.004012 10 01 7f 80 80 80 08 00 04 00 00", ""]))
    two = (["D: 0"] + recorder_device(mouse, "Arduino Mouse", 0) +
           ["D: 1"] + recorder_device(keyboard, "Example Keyboard", 1) +
           ["D: 1", "E: 0.000000 8 00 00 04 00 00 00 00 00",
            "D: 0", "E: 0.001000 4 01 01 00 00",
            "D: 1", "E: 0.002000 8 00 00 00 00 00 00 00 00", ""])
    write("two-devices.hid-recorder.txt", "\n".join(two))

    write("ms-natural-ergonomic-4000.usbhid-dump.txt",
          "\n".join(usbhid_block(ergo_kbd, 0) + usbhid_block(ergo_consumer, 1)))

    write("synaptics-touchpad-i2c.bin", touchpad)
    for suffix, command in (("xxd", ["xxd"]), ("hexdump-C", ["hexdump", "-C"]),
                            ("od", ["od", "-tx1"]), ("od-An", ["od", "-An", "-tx1"])):
        dump = subprocess.run(command + ["synaptics-touchpad-i2c.bin"], cwd=HERE, check=True,
                              capture_output=True).stdout
        write(f"synaptics-touchpad-i2c.{suffix}.txt", dump)
    (HERE / "synaptics-touchpad-i2c.bin").unlink()
    write("synaptics-touchpad-i2c.wireshark-dump.txt", wireshark_dump(touchpad))
    write("synaptics-touchpad-i2c.wireshark-stream.txt", touchpad.hex() + "\n")

    write("logitech-unifying-4071.lsusb.txt",
          "Bus 001 Device 005: ID 046d:c52b Logitech, Inc. Unifying Receiver\n"
          "      HID Device Descriptor:\n"
          "        bLength                 9\n"
          "        bDescriptorType        33\n"
          + lsusb(unifying))


def saved_samples(cli):
    """The window's saved analysis in both forms and the -hex.txt dump, as quorlix-cli writes them."""
    source = DESCRIPTORS / "hid-example-keyboard.txt"
    for name, arguments in (("hid-example-keyboard.saved-plain.txt", ["analyse"]),
                            ("hid-example-keyboard.saved-c.txt", ["analyse", "--format", "c"]),
                            ("hid-example-keyboard.txt-hex.txt", ["hexdump"])):
        subprocess.run([cli] + arguments + [str(source), "-o", str(HERE / name)], check=True)


if __name__ == "__main__":
    main()
    if len(sys.argv) > 1:
        saved_samples(sys.argv[1])
