// The deferred icon: which of its images a pixmap comes from, at what size, and that nothing is
// decoded before a pixmap is asked for (an image file removed before that point is never read).

#include "platform/qt/deferred_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

using platform::qt::IconImage;

// Each image filled with a colour of its own, so a pixmap tells which image it came from.
struct IconFiles {
    testsupport::TempDir folder;
    std::vector<IconImage> images;

    IconFiles() {
        for (int size : {16, 32, 64}) {
            const QString path = QString::fromStdString((folder / Name(size)).string());
            QImage image(size, size, QImage::Format_ARGB32);
            image.fill(ColourOf(size));
            EXPECT_TRUE(image.save(path, "PNG"));
            images.push_back({size, path});
        }
    }
    static std::string Name(int size) { return "icon_" + std::to_string(size) + ".png"; }
    static QColor ColourOf(int size) { return QColor(size * 3, 255 - size * 3, 40); }
};

TEST(DeferredIcon, PixmapComesFromTheSmallestImageThatIsLargeEnough) {
    IconFiles files;
    const QIcon icon = platform::qt::DeferredIcon(files.images);
    struct Case {
        int asked;
        int sourceSize;
        int pixmapSize;
    };
    for (const Case& c : {Case{16, 16, 16}, Case{20, 32, 20}, Case{32, 32, 32}, Case{48, 64, 48},
                          Case{64, 64, 64}, Case{128, 64, 64}}) {
        SCOPED_TRACE(c.asked);
        const QImage pixmap = icon.pixmap(c.asked, c.asked).toImage();
        EXPECT_EQ(pixmap.size(), QSize(c.pixmapSize, c.pixmapSize));
        const QColor centre = pixmap.pixelColor(pixmap.width() / 2, pixmap.height() / 2);
        EXPECT_EQ(centre.rgb(), IconFiles::ColourOf(c.sourceSize).rgb());
        EXPECT_EQ(icon.actualSize(QSize(c.asked, c.asked)), QSize(c.pixmapSize, c.pixmapSize));
    }
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(64, 64)}));
}

TEST(DeferredIcon, ImagesAreReadOnlyWhenAPixmapIsAskedFor) {
    IconFiles files;
    const QIcon icon = platform::qt::DeferredIcon(files.images);
    EXPECT_FALSE(icon.isNull());
    // The 64-pixel image goes away before anything is drawn: the icon never read it, so that
    // size now gives nothing, while a size already drawn stays as it was.
    EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
    std::filesystem::remove(files.folder / IconFiles::Name(64));
    EXPECT_TRUE(icon.pixmap(64, 64).isNull());
    EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
}

TEST(DeferredIcon, NoImagesGiveANullIcon) {
    const QIcon icon = platform::qt::DeferredIcon({});
    EXPECT_TRUE(icon.isNull());
    EXPECT_TRUE(icon.pixmap(32, 32).isNull());
}

}  // namespace
