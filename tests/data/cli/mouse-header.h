/* arduino_mouse: a HID report descriptor and its reports, by quorlix-cli header.
   A report is a byte array of its _LENGTH. Offsets and sizes count bits from its
   first byte, least significant bit first; numbered reports hold their id in byte 0,
   and the offsets count it. The _get and _set functions take a buffer of the
   report's length; an element past the _COUNT reads 0 and writes nothing. */
#ifndef ARDUINO_MOUSE_REPORT_DESCRIPTOR_H
#define ARDUINO_MOUSE_REPORT_DESCRIPTOR_H

#include <stdint.h>

static const uint8_t arduino_mouse_report_descriptor[54] = {
    0x05, 0x01,                   /* GLOBAL_USAGE_PAGE(Generic Desktop Controls) */
    0x09, 0x02,                   /* LOCAL_USAGE(Mouse) */
    0xA1, 0x01,                   /* MAIN_COLLECTION(Applicatior) */
    0x09, 0x01,                   /* LOCAL_USAGE(Pointer) */
    0xA1, 0x00,                   /* MAIN_COLLECTION(Physical) */
    0x85, 0x01,                   /* GLOBAL_REPORT_ID(1) */
    0x05, 0x09,                   /* GLOBAL_USAGE_PAGE(Button) */
    0x19, 0x01,                   /* LOCAL_USAGE_MINIMUM(1) */
    0x29, 0x03,                   /* LOCAL_USAGE_MAXIMUM(3) */
    0x15, 0x00,                   /* GLOBAL_LOGICAL_MINIMUM(0) */
    0x25, 0x01,                   /* GLOBAL_LOCAL_MAXIMUM(1) */
    0x95, 0x03,                   /* GLOBAL_REPORT_COUNT(3) */
    0x75, 0x01,                   /* GLOBAL_REPORT_SIZE(1) */
    0x81, 0x02,                   /* MAIN_INPUT(data var absolute NoWrap linear PreferredState NoNullPosition NonVolatile ) */
    0x95, 0x01,                   /* GLOBAL_REPORT_COUNT(1) */
    0x75, 0x05,                   /* GLOBAL_REPORT_SIZE(5) */
    0x81, 0x03,                   /* MAIN_INPUT(const var absolute NoWrap linear PreferredState NoNullPosition NonVolatile ) */
    0x05, 0x01,                   /* GLOBAL_USAGE_PAGE(Generic Desktop Controls) */
    0x09, 0x30,                   /* LOCAL_USAGE(X) */
    0x09, 0x31,                   /* LOCAL_USAGE(Y) */
    0x09, 0x38,                   /* LOCAL_USAGE(Wheel) */
    0x15, 0x81,                   /* GLOBAL_LOGICAL_MINIMUM(-127) */
    0x25, 0x7F,                   /* GLOBAL_LOCAL_MAXIMUM(127) */
    0x75, 0x08,                   /* GLOBAL_REPORT_SIZE(8) */
    0x95, 0x03,                   /* GLOBAL_REPORT_COUNT(3) */
    0x81, 0x06,                   /* MAIN_INPUT(data var relative NoWrap linear PreferredState NoNullPosition NonVolatile ) */
    0xC0,                         /* MAIN_COLLECTION_END */
    0xC0,                         /* MAIN_COLLECTION_END */
};

/* The bitSize (1 to 32) bits at bitOffset of a report, least significant first. */
static inline uint32_t arduino_mouse_read_bits(const uint8_t *report, uint32_t bitOffset, uint32_t bitSize)
{
    uint32_t value = 0;
    uint32_t done = 0;
    while (done < bitSize) {
        const uint32_t bit = bitOffset + done;
        const uint32_t shift = bit & 7u;
        uint32_t take = 8u - shift;
        if (take > bitSize - done) {
            take = bitSize - done;
        }
        value |= (((uint32_t)report[bit >> 3] >> shift) & ((1u << take) - 1u)) << done;
        done += take;
    }
    return value;
}

/* The same bits read as a two's complement number of bitSize bits. */
static inline int32_t arduino_mouse_read_signed_bits(const uint8_t *report, uint32_t bitOffset, uint32_t bitSize)
{
    const uint32_t value = arduino_mouse_read_bits(report, bitOffset, bitSize);
    if (bitSize == 0 || ((value >> (bitSize - 1u)) & 1u) == 0) {
        return (int32_t)value;
    }
    return -(int32_t)(~value & (0xFFFFFFFFu >> (32u - bitSize))) - 1;
}

/* Stores the low bitSize (1 to 32) bits of value at bitOffset; the other bits of the
   report stay as they are. */
static inline void arduino_mouse_write_bits(uint8_t *report, uint32_t bitOffset, uint32_t bitSize, uint32_t value)
{
    uint32_t done = 0;
    while (done < bitSize) {
        const uint32_t bit = bitOffset + done;
        const uint32_t shift = bit & 7u;
        uint32_t take = 8u - shift;
        uint32_t mask;
        if (take > bitSize - done) {
            take = bitSize - done;
        }
        mask = ((1u << take) - 1u) << shift;
        report[bit >> 3] = (uint8_t)((report[bit >> 3] & ~mask) |
                                     (((value >> done) << shift) & mask));
        done += take;
    }
}

/* Input report 1: 5 bytes, the report id in byte 0. */
#define ARDUINO_MOUSE_INPUT_1_ID 1
#define ARDUINO_MOUSE_INPUT_1_LENGTH 5

/* Button 1, logical 0 to 1 */
#define ARDUINO_MOUSE_INPUT_1_BUTTON_1_OFFSET 8
#define ARDUINO_MOUSE_INPUT_1_BUTTON_1_SIZE 1
#define ARDUINO_MOUSE_INPUT_1_BUTTON_1_COUNT 1
static inline uint32_t arduino_mouse_input_1_button_1_get(const uint8_t *report)
{
    return arduino_mouse_read_bits(report, ARDUINO_MOUSE_INPUT_1_BUTTON_1_OFFSET, ARDUINO_MOUSE_INPUT_1_BUTTON_1_SIZE);
}
static inline void arduino_mouse_input_1_button_1_set(uint8_t *report, uint32_t value)
{
    arduino_mouse_write_bits(report, ARDUINO_MOUSE_INPUT_1_BUTTON_1_OFFSET, ARDUINO_MOUSE_INPUT_1_BUTTON_1_SIZE, value);
}

/* Button 2, logical 0 to 1 */
#define ARDUINO_MOUSE_INPUT_1_BUTTON_2_OFFSET 9
#define ARDUINO_MOUSE_INPUT_1_BUTTON_2_SIZE 1
#define ARDUINO_MOUSE_INPUT_1_BUTTON_2_COUNT 1
static inline uint32_t arduino_mouse_input_1_button_2_get(const uint8_t *report)
{
    return arduino_mouse_read_bits(report, ARDUINO_MOUSE_INPUT_1_BUTTON_2_OFFSET, ARDUINO_MOUSE_INPUT_1_BUTTON_2_SIZE);
}
static inline void arduino_mouse_input_1_button_2_set(uint8_t *report, uint32_t value)
{
    arduino_mouse_write_bits(report, ARDUINO_MOUSE_INPUT_1_BUTTON_2_OFFSET, ARDUINO_MOUSE_INPUT_1_BUTTON_2_SIZE, value);
}

/* Button 3, logical 0 to 1 */
#define ARDUINO_MOUSE_INPUT_1_BUTTON_3_OFFSET 10
#define ARDUINO_MOUSE_INPUT_1_BUTTON_3_SIZE 1
#define ARDUINO_MOUSE_INPUT_1_BUTTON_3_COUNT 1
static inline uint32_t arduino_mouse_input_1_button_3_get(const uint8_t *report)
{
    return arduino_mouse_read_bits(report, ARDUINO_MOUSE_INPUT_1_BUTTON_3_OFFSET, ARDUINO_MOUSE_INPUT_1_BUTTON_3_SIZE);
}
static inline void arduino_mouse_input_1_button_3_set(uint8_t *report, uint32_t value)
{
    arduino_mouse_write_bits(report, ARDUINO_MOUSE_INPUT_1_BUTTON_3_OFFSET, ARDUINO_MOUSE_INPUT_1_BUTTON_3_SIZE, value);
}

/* X, logical -127 to 127 */
#define ARDUINO_MOUSE_INPUT_1_X_OFFSET 16
#define ARDUINO_MOUSE_INPUT_1_X_SIZE 8
#define ARDUINO_MOUSE_INPUT_1_X_COUNT 1
static inline int32_t arduino_mouse_input_1_x_get(const uint8_t *report)
{
    return arduino_mouse_read_signed_bits(report, ARDUINO_MOUSE_INPUT_1_X_OFFSET, ARDUINO_MOUSE_INPUT_1_X_SIZE);
}
static inline void arduino_mouse_input_1_x_set(uint8_t *report, int32_t value)
{
    arduino_mouse_write_bits(report, ARDUINO_MOUSE_INPUT_1_X_OFFSET, ARDUINO_MOUSE_INPUT_1_X_SIZE, (uint32_t)value);
}

/* Y, logical -127 to 127 */
#define ARDUINO_MOUSE_INPUT_1_Y_OFFSET 24
#define ARDUINO_MOUSE_INPUT_1_Y_SIZE 8
#define ARDUINO_MOUSE_INPUT_1_Y_COUNT 1
static inline int32_t arduino_mouse_input_1_y_get(const uint8_t *report)
{
    return arduino_mouse_read_signed_bits(report, ARDUINO_MOUSE_INPUT_1_Y_OFFSET, ARDUINO_MOUSE_INPUT_1_Y_SIZE);
}
static inline void arduino_mouse_input_1_y_set(uint8_t *report, int32_t value)
{
    arduino_mouse_write_bits(report, ARDUINO_MOUSE_INPUT_1_Y_OFFSET, ARDUINO_MOUSE_INPUT_1_Y_SIZE, (uint32_t)value);
}

/* Wheel, logical -127 to 127 */
#define ARDUINO_MOUSE_INPUT_1_WHEEL_OFFSET 32
#define ARDUINO_MOUSE_INPUT_1_WHEEL_SIZE 8
#define ARDUINO_MOUSE_INPUT_1_WHEEL_COUNT 1
static inline int32_t arduino_mouse_input_1_wheel_get(const uint8_t *report)
{
    return arduino_mouse_read_signed_bits(report, ARDUINO_MOUSE_INPUT_1_WHEEL_OFFSET, ARDUINO_MOUSE_INPUT_1_WHEEL_SIZE);
}
static inline void arduino_mouse_input_1_wheel_set(uint8_t *report, int32_t value)
{
    arduino_mouse_write_bits(report, ARDUINO_MOUSE_INPUT_1_WHEEL_OFFSET, ARDUINO_MOUSE_INPUT_1_WHEEL_SIZE, (uint32_t)value);
}

#endif
