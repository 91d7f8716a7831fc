/* Sets every field of crossing.c's report 2 through the generated header (crossing.h, prefix
   crossing), prints the two reports in hex, one a line, and exits with 1 when a _get does not
   give back what its _set stored. */
#include "crossing.h"

#include <stdio.h>
#include <string.h>

static int failures = 0;

static void expect(long long got, long long wanted, const char *what)
{
    if (got != wanted) {
        fprintf(stderr, "%s: got %lld, wanted %lld\n", what, got, wanted);
        ++failures;
    }
}

static void print_report(const uint8_t *report)
{
    int i;
    for (i = 0; i < CROSSING_INPUT_2_LENGTH; ++i) {
        printf(i == 0 ? "%02X" : " %02X", report[i]);
    }
    printf("\n");
}

static void fill(uint8_t *report, uint32_t b1, uint32_t b2, uint32_t b3, int32_t x, int32_t y,
                 int32_t z, int32_t rz, uint32_t slider)
{
    report[0] = CROSSING_INPUT_2_ID;
    crossing_input_2_button_1_set(report, b1);
    crossing_input_2_button_2_set(report, b2);
    crossing_input_2_button_3_set(report, b3);
    crossing_input_2_x_set(report, x);
    crossing_input_2_y_set(report, y);
    crossing_input_2_z_set(report, z);
    crossing_input_2_rz_set(report, rz);
    crossing_input_2_slider_set(report, slider);
    expect(crossing_input_2_button_1_get(report), b1, "button 1");
    expect(crossing_input_2_button_2_get(report), b2, "button 2");
    expect(crossing_input_2_button_3_get(report), b3, "button 3");
    expect(crossing_input_2_x_get(report), x, "x");
    expect(crossing_input_2_y_get(report), y, "y");
    expect(crossing_input_2_z_get(report), z, "z");
    expect(crossing_input_2_rz_get(report), rz, "rz");
    expect(crossing_input_2_slider_get(report), slider, "slider");
}

int main(void)
{
    uint8_t first[CROSSING_INPUT_2_LENGTH];
    uint8_t second[CROSSING_INPUT_2_LENGTH];
    /* Set bits must be cleared where a field wants a 0, and the padding keeps what it had. */
    memset(first, 0x00, sizeof first);
    memset(second, 0xFF, sizeof second);
    fill(first, 1, 0, 1, -2048, 2047, -1, -2147483647 - 1, 4095);
    fill(second, 0, 1, 0, -1, -300, 3, 0x01234567, 0x5A5);
    print_report(first);
    print_report(second);
    return failures == 0 ? 0 : 1;
}
