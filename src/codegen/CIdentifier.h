#pragma once

#include <string>
#include <string_view>

namespace quorlix {

// The words of a text as one upper-case C identifier part: letters and digits kept, every other
// run of characters (blanks, punctuation, bytes beyond ASCII) one underscore, none at either end
// ("Keyboard/Keypad" gives KEYBOARD_KEYPAD). "" when the text has no letter or digit.
std::string IdentifierWords(std::string_view text);

// Whether a header prefix makes valid identifiers that no compiler reserves: a letter, then
// letters, digits and underscores, never two underscores together nor one at the end.
bool IsHeaderPrefix(std::string_view prefix);

// The prefix a header takes from its input's file name when none is given: the name without
// folders and extension, lower case, in words ("arduino-mouse.txt" gives arduino_mouse); "hid"
// for standard input or a name with no letter or digit, and "hid_" before a leading digit.
std::string DefaultHeaderPrefix(std::string_view fileName);

} // namespace quorlix
