#pragma once

// An icon whose images are decoded only when a pixmap of it is asked for. A window icon given
// in several sizes otherwise decodes every image while the window is being built, which is a
// large share of the time to the first window on a platform that never shows the icon.

#include <QIcon>
#include <QString>
#include <span>

namespace platform::qt {

struct IconImage {
    int size;      // the image is size x size pixels
    QString path;  // a PNG file or Qt resource
};

// `images` in increasing size; the icon draws a pixmap from the smallest image at least as
// large as the one asked for (the largest when none is), scaled down when larger; never up.
QIcon DeferredIcon(std::span<const IconImage> images);

}  // namespace platform::qt
