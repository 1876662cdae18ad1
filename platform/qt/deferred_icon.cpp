#include "platform/qt/deferred_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <map>
#include <vector>

namespace platform::qt {

namespace {

class DeferredIconEngine : public QIconEngine {
  public:
    explicit DeferredIconEngine(std::vector<IconImage> images) : images(std::move(images)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const IconImage* image = ImageFor(size);
        if (image == nullptr) {
            return {};
        }
        QPixmap pixmap = Decoded(*image);
        if (pixmap.width() > size.width() || pixmap.height() > size.height()) {
            pixmap = pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        if (mode != QIcon::Normal) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const IconImage* image = ImageFor(size);
        if (image == nullptr) {
            return {};
        }
        const QSize imageSize(image->size, image->size);
        return imageSize.boundedTo(size);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const IconImage& image : images) {
            sizes.append(QSize(image.size, image.size));
        }
        return sizes;
    }

    bool isNull() override { return images.empty(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

  private:
    const IconImage* ImageFor(const QSize& size) const {
        const int wanted = qMax(size.width(), size.height());
        for (const IconImage& image : images) {
            if (image.size >= wanted) {
                return &image;
            }
        }
        return images.empty() ? nullptr : &images.back();
    }

    QPixmap Decoded(const IconImage& image) {
        auto found = decoded.find(image.size);
        if (found == decoded.end()) {
            found = decoded.emplace(image.size, QPixmap(image.path)).first;
        }
        return found->second;
    }

    std::vector<IconImage> images;
    std::map<int, QPixmap> decoded;
};

}  // namespace

QIcon DeferredIcon(std::span<const IconImage> images) {
    return QIcon(new DeferredIconEngine({images.begin(), images.end()}));
}

}  // namespace platform::qt
