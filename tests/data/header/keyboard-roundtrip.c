/* Presses Left Shift, A and B through the generated header of hid-example-keyboard.txt
   (keyboard.h, prefix keyboard), prints the input report in hex, and exits with 1 when a _get
   does not give back what its _set stored or an element past the count is touched. */
#include "keyboard.h"

#include <stdio.h>

int main(void)
{
    uint8_t report[KEYBOARD_INPUT_LENGTH] = { 0 };
    int failures = 0;
    int i;
    keyboard_input_keyboard_leftshift_set(report, 1);
    keyboard_input_keyboard_keypad_array_set(report, 0, 0x04);
    keyboard_input_keyboard_keypad_array_set(report, 1, 0x05);
    keyboard_input_keyboard_keypad_array_set(report, KEYBOARD_INPUT_KEYBOARD_KEYPAD_ARRAY_COUNT, 0x29);
    failures += keyboard_input_keyboard_keypad_array_get(report, 1) != 0x05;
    failures += keyboard_input_keyboard_keypad_array_get(report, 6) != 0;
    failures += keyboard_input_keyboard_leftshift_get(report) != 1;
    for (i = 0; i < KEYBOARD_INPUT_LENGTH; ++i) {
        printf(i == 0 ? "%02X" : " %02X", report[i]);
    }
    printf("\n");
    return failures == 0 ? 0 : 1;
}
