#include "ui/resources.h"

#include "ui/control_ids.h"

namespace ui {

QIcon LoadAppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/morlind/morlind_%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QString LoadResourceString(int id) {
    switch (id) {
        case kAboutBoxString:
            return QString::fromUtf8("關於 Morlind(&A)...");
        default:
            return {};
    }
}

}  // namespace ui
