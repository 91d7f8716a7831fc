#include "app/ApplicationIcon.h"

#include <QString>

// The icons live in a static library; naming the resource here makes the linker keep it.
static void InitQuorlixResources()
{
    Q_INIT_RESOURCE(quorlix);
}

namespace quorlix {

QIcon ApplicationIcon()
{
    InitQuorlixResources();
    QIcon icon;
    for (const int size : { 16, 32, 48, 64, 128, 256 }) {
        icon.addFile(QStringLiteral(":/quorlix/quorlix-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace quorlix
