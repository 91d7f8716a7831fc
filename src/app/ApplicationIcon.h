#pragma once

#include <QIcon>

namespace quorlix {

// The program's icon in every size it ships (16 to 256 pixels).
QIcon ApplicationIcon();

} // namespace quorlix
