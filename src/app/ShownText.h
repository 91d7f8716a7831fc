#pragma once

#include <QString>

namespace quorlix {

// The text as the window shows it: inside parentheses the blanks and tabs a name was padded
// with go ("LOCAL_USAGE(   Pen   )" shows "LOCAL_USAGE(Pen)") and a run of them shows as one
// blank. A line end closes every open parenthesis; text outside parentheses keeps its layout.
// Saved files, copies and the CLI take the text as it is.
QString CollapsePadding(const QString& text);

} // namespace quorlix
