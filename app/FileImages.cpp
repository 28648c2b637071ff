#include "app/FileImages.h"

#include "explorer/FileData.h"

#include <array>

namespace app {

namespace {

constexpr int ImageSizes[] = {16, 24, 32};

// The picture as it is, also on a highlighted row: the style would tint it
// with the highlight colour there, and a tinted folder reads as something
// else than a folder.
QIcon Untinted(const QIcon &picture)
{
    QIcon untinted;
    for (const int size : ImageSizes) {
        const QPixmap pixmap = picture.pixmap(size);
        untinted.addPixmap(pixmap, QIcon::Normal);
        untinted.addPixmap(pixmap, QIcon::Selected);
    }
    return untinted;
}

} // namespace

const QIcon &DefaultFileImage(int imageIndex)
{
    static const std::array<QIcon, 3> images = {
        Untinted(QIcon::fromTheme(QStringLiteral("go-up"), QIcon(QStringLiteral(":/icons/folder-up.svg")))),
        Untinted(QIcon::fromTheme(QStringLiteral("folder"), QIcon(QStringLiteral(":/icons/folder.svg")))),
        Untinted(QIcon::fromTheme(QStringLiteral("text-x-generic"), QIcon(QStringLiteral(":/icons/document.svg")))),
    };
    return images[size_t(qBound(0, imageIndex, int(images.size()) - 1))];
}

} // namespace app
