#include "ui/resources.h"

#include "platform/qt/deferred_icon.h"
#include "ui/control_ids.h"

namespace ui {

QIcon LoadAppIcon() {
    static const platform::qt::IconImage kImages[] = {
        {16, QStringLiteral(":/morlind/morlind_16.png")},
        {32, QStringLiteral(":/morlind/morlind_32.png")},
        {48, QStringLiteral(":/morlind/morlind_48.png")},
        {64, QStringLiteral(":/morlind/morlind_64.png")},
        {128, QStringLiteral(":/morlind/morlind_128.png")},
    };
    return platform::qt::DeferredIcon(kImages);
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
