// A game pad report whose fields cross byte boundaries: signed 12-, 3- and 32-bit values at
// odd bit offsets, behind report id 2. Eleven bytes in all.
static const unsigned char crossing[] = {
    0x05, 0x01,                        // Usage Page (Generic Desktop)
    0x09, 0x05,                        // Usage (Game Pad)
    0xA1, 0x01,                        // Collection (Application)
    0x85, 0x02,                        // Report ID (2)
    0x05, 0x09,                        // Usage Page (Button)
    0x19, 0x01, 0x29, 0x03,            // Usage Minimum (1), Usage Maximum (3)
    0x15, 0x00, 0x25, 0x01,            // Logical Minimum (0), Logical Maximum (1)
    0x75, 0x01, 0x95, 0x03,            // Report Size (1), Report Count (3)
    0x81, 0x02,                        // Input (Data,Var,Abs): bits 8 to 10
    0x05, 0x01,                        // Usage Page (Generic Desktop)
    0x09, 0x30, 0x09, 0x31,            // Usage (X), Usage (Y)
    0x16, 0x00, 0xF8, 0x26, 0xFF, 0x07, // Logical Minimum (-2048), Logical Maximum (2047)
    0x75, 0x0C, 0x95, 0x02,            // Report Size (12), Report Count (2)
    0x81, 0x02,                        // Input (Data,Var,Abs): X bits 11 to 22, Y bits 23 to 34
    0x09, 0x32,                        // Usage (Z)
    0x15, 0xFC, 0x25, 0x03,            // Logical Minimum (-4), Logical Maximum (3)
    0x75, 0x03, 0x95, 0x01,            // Report Size (3), Report Count (1)
    0x81, 0x02,                        // Input (Data,Var,Abs): bits 35 to 37
    0x09, 0x35,                        // Usage (Rz)
    0x17, 0x00, 0x00, 0x00, 0x80,      // Logical Minimum (-2147483648)
    0x27, 0xFF, 0xFF, 0xFF, 0x7F,      // Logical Maximum (2147483647)
    0x75, 0x20, 0x95, 0x01,            // Report Size (32), Report Count (1)
    0x81, 0x02,                        // Input (Data,Var,Abs): bits 38 to 69
    0x09, 0x36,                        // Usage (Slider)
    0x15, 0x00, 0x26, 0xFF, 0x0F,      // Logical Minimum (0), Logical Maximum (4095)
    0x75, 0x0C, 0x95, 0x01,            // Report Size (12), Report Count (1)
    0x81, 0x02,                        // Input (Data,Var,Abs): bits 70 to 81
    0x75, 0x06, 0x95, 0x01, 0x81, 0x03, // Report Size (6), Report Count (1), Input (Const): bits 82 to 87
    0xC0,                              // End Collection
};
