#include "platform/qt/widget_factory.h"

#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "platform/qt/combo_box.h"
#include "platform/qt/limited_line_edit.h"

namespace platform::qt {

namespace {

QString Caption(const ControlTemplate& control) {
    return QString::fromUtf8(control.caption);
}

// A label's caption as a screen reader should say it: without the mnemonic marker ("&&" stands
// for an ampersand) and without the colon that ends some captions ("Reg Addr :").
QString SpokenCaption(const QString& caption) {
    QString spoken;
    for (qsizetype index = 0; index < caption.size(); ++index) {
        if (caption[index] == u'&' && ++index == caption.size()) {
            break;
        }
        spoken += caption[index];
    }
    spoken = spoken.trimmed();
    if (spoken.endsWith(u':')) {
        spoken.chop(1);
    }
    return spoken.trimmed();
}

QWidget* CreateLabel(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(Caption(control), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* CreateGroupBox(const ControlTemplate& control, QWidget* parent) {
    auto* group = new QGroupBox(Caption(control), parent);
    group->setFocusPolicy(Qt::NoFocus);
    // Group boxes only frame their neighbours: below them, so they never take their clicks.
    group->lower();
    return group;
}

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
    auto* edit = new LimitedLineEdit(parent);
    edit->setReadOnly((control.style & kReadOnly) != 0);
    return edit;
}

QWidget* CreateButton(const ControlTemplate& control, QWidget* parent) {
    auto* button = new QPushButton(Caption(control), parent);
    // Enter is the dialog's key; a button never takes it over by having the focus.
    button->setAutoDefault(false);
    button->setDefault((control.style & kDefaultButton) != 0);
    return button;
}

// A bitmap is decoded straight to the size its placed control shows it at, in device pixels:
// neither kept larger than needed nor scaled again at each paint.
void ShowPicture(QLabel& picture, const char* image) {
    const qreal ratio = picture.devicePixelRatioF();
    QImageReader reader(QString::fromUtf8(image));
    reader.setScaledSize(picture.size() * ratio);
    QPixmap pixmap = QPixmap::fromImage(reader.read());
    pixmap.setDevicePixelRatio(ratio);
    picture.setPixmap(pixmap);
}

QWidget* CreateIcon(const ControlTemplate& control, QWidget* parent) {
    auto* icon = new QLabel(parent);
    const int size = parent->style()->pixelMetric(QStyle::PM_LargeIconSize);
    icon->setPixmap(QIcon(QString::fromUtf8(control.image)).pixmap(size, size));
    icon->setFixedSize(size, size);
    return icon;
}

QWidget* CreateWidget(const ControlTemplate& control, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::Label:
            return CreateLabel(control, parent);
        case ControlKind::GroupBox:
            return CreateGroupBox(control, parent);
        case ControlKind::Edit:
            return CreateEdit(control, parent);
        case ControlKind::ChoiceList:
            return new ComboBox(false, (control.style & kSorted) != 0, parent);
        case ControlKind::PathBox:
            return new ComboBox(true, (control.style & kSorted) != 0, parent);
        case ControlKind::Button:
            return CreateButton(control, parent);
        case ControlKind::Picture:
            return new QLabel(parent);
        case ControlKind::Icon:
            return CreateIcon(control, parent);
    }
    return new QWidget(parent);
}

void Place(QWidget& widget, const ControlTemplate& control, BaseUnits base) {
    QRect rect = DuToPixels(control.rect, base);
    if (control.kind == ControlKind::ChoiceList || control.kind == ControlKind::PathBox) {
        // A drop-down's rectangle includes its open list; the closed box is one line high.
        rect.setHeight(widget.sizeHint().height());
    } else if (control.kind == ControlKind::Icon) {
        rect.setSize(widget.size());
    } else if (control.kind == ControlKind::Label &&
               rect.height() < 2 * widget.fontMetrics().height()) {
        // The desktop's font can be wider than the one the template was laid out with: a
        // one-line caption that does not fit grows to the right instead of being cut off.
        rect.setWidth(std::max(rect.width(), widget.sizeHint().width()));
    }
    widget.setGeometry(rect);
}

}  // namespace

QWidget* CreateControlWidget(const ControlTemplate& control, BaseUnits base, QWidget* parent) {
    QWidget* widget = CreateWidget(control, parent);
    if (control.id != 0) {
        widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    }
    Place(*widget, control, base);
    if (control.kind == ControlKind::Picture) {
        ShowPicture(*static_cast<QLabel*>(widget), control.image);
    }
    if (control.style & kHidden) {
        widget->hide();
    }
    return widget;
}

void LinkBuddies(std::span<const ControlTemplate> templateControls,
                 std::span<QWidget* const> templateWidgets,
                 const std::map<int, QWidget*>& widgets) {
    for (std::size_t index = 0; index < templateControls.size() && index < templateWidgets.size();
         ++index) {
        const ControlTemplate& control = templateControls[index];
        auto* label = qobject_cast<QLabel*>(templateWidgets[index]);
        const auto buddy = widgets.find(control.buddy);
        if (control.buddy != 0 && label != nullptr && buddy != widgets.end()) {
            label->setBuddy(buddy->second);
            // Qt would take the name from the buddy label itself, but with its colon.
            buddy->second->setAccessibleName(SpokenCaption(label->text()));
        }
    }
}

namespace {

bool Encloses(const DuRect& outer, const DuRect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

}  // namespace

void DescribeByGroups(std::span<const ControlTemplate> templateControls,
                      std::span<QWidget* const> templateWidgets) {
    const std::size_t count = std::min(templateControls.size(), templateWidgets.size());
    for (std::size_t group = 0; group < count; ++group) {
        if (templateControls[group].kind != ControlKind::GroupBox) {
            continue;
        }
        const QString caption = SpokenCaption(Caption(templateControls[group]));
        for (std::size_t index = 0; index < count; ++index) {
            const ControlTemplate& control = templateControls[index];
            const bool described = control.kind == ControlKind::Edit ||
                                   control.kind == ControlKind::ChoiceList ||
                                   control.kind == ControlKind::PathBox;
            if (described && Encloses(templateControls[group].rect, control.rect)) {
                templateWidgets[index]->setAccessibleDescription(caption);
            }
        }
    }
}

void SetTemplateTabOrder(std::span<QWidget* const> templateWidgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : templateWidgets) {
        if (!(widget->focusPolicy() & Qt::TabFocus)) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

}  // namespace platform::qt
