#include "app/FileImages.h"

#include "explorer/FileData.h"

#include <array>

namespace app {

const QIcon &DefaultFileImage(int imageIndex)
{
    static const std::array<QIcon, 3> images = {
        QIcon::fromTheme(QStringLiteral("go-up"), QIcon(QStringLiteral(":/icons/folder-up.svg"))),
        QIcon::fromTheme(QStringLiteral("folder"), QIcon(QStringLiteral(":/icons/folder.svg"))),
        QIcon::fromTheme(QStringLiteral("text-x-generic"), QIcon(QStringLiteral(":/icons/document.svg"))),
    };
    return images[size_t(qBound(0, imageIndex, int(images.size()) - 1))];
}

} // namespace app
