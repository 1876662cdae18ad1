#include "platform/qt/dialog.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <exception>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/message_box.h"
#include "platform/qt/widget_factory.h"

namespace platform::qt {

namespace {

Qt::WindowFlags WindowFlagsFor(const DialogTemplate& dialogTemplate) {
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (dialogTemplate.style & kSystemMenu) {
        flags |= Qt::WindowSystemMenuHint;
    }
    if (dialogTemplate.style & kMinimizeBox) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    return flags;
}

bool IsPlainEnter(const QKeyEvent& event) {
    const bool enterKey = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return enterKey && modifiers == Qt::NoModifier;
}

}  // namespace

Dialog::Dialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, WindowFlagsFor(dialogTemplate)), dialogTemplate(dialogTemplate) {
    setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    setFont(TemplateFont(dialogTemplate.font));
    baseUnits = BaseUnitsOf(font());
    setFixedSize(DuToPixelsX(dialogTemplate.width, baseUnits),
                 DuToPixelsY(dialogTemplate.height, baseUnits));
}

Dialog::~Dialog() = default;

bool Dialog::Create() {
    if (created) {
        return false;
    }
    created = true;
    BuildControls();
    ConnectMessageMap();
    InstallShortcuts();
    if (dialogTemplate.style & kSystemMenu) {
        systemMenu =
            std::make_unique<SystemMenu>(this, (dialogTemplate.style & kMinimizeBox) != 0,
                                         [this](unsigned command) { RunSysCommand(command); });
    }
    if (OnInitDialog()) {
        FocusFirstControl();
    }
    return true;
}

int Dialog::DoModal() {
    Create();
    return exec();
}

void Dialog::EndDialog(int result) {
    done(result);
}

Control Dialog::Item(int id) const {
    return Control(ItemWidget(id));
}

QWidget* Dialog::ItemWidget(int id) const {
    const auto found = controls.find(id);
    return found != controls.end() ? found->second : nullptr;
}

void Dialog::SetIcon(const QIcon& icon, bool /*big*/) {
    // Qt keeps one icon in several sizes and picks the size itself.
    setWindowIcon(icon);
}

bool Dialog::UpdateData(bool saveAndValidate) {
    DataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void Dialog::MessageBox(const QString& text, const QString& caption, platform::BoxType type) {
    ShowMessageBox(this, text, caption, type);
}

void Dialog::ReportTooLong(int id, int maxChars) {
    ShowApplicationBox(this, QStringLiteral("Enter no more than %1 characters.").arg(maxChars),
                       platform::BoxType::Exclamation);
    if (QWidget* widget = ItemWidget(id)) {
        widget->setFocus();
    }
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::DoDataExchange(DataExchange& /*exchange*/) {}

void Dialog::OnSysCommand(unsigned command, std::intptr_t /*parameter*/) {
    switch (command & 0xFFF0) {
        case kScMinimize:
            showMinimized();
            break;
        case kScClose:
            OnCancel();
            break;
        default:
            break;
    }
}

void Dialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(kIdOk);
    }
}

void Dialog::OnCancel() {
    EndDialog(kIdCancel);
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    if (IsPlainEnter(*event)) {
        // A focused push button stands for Enter, as on the platform; anywhere else Enter is
        // the OK command, since no button is a default button.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget());
            button && button->isEnabled()) {
            button->click();
        } else {
            OnOK();
        }
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        OnCancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Dialog::contextMenuEvent(QContextMenuEvent* event) {
    if (systemMenu) {
        systemMenu->Popup(event->globalPos());
    }
}

void Dialog::paintEvent(QPaintEvent* /*event*/) {
    OnPaint();
}

void Dialog::BuildControls() {
    std::vector<QWidget*> templateWidgets;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = CreateControlWidget(control, baseUnits, this);
        templateWidgets.push_back(widget);
        if (control.id != 0) {
            controls[control.id] = widget;
        }
    }
    LinkBuddies(dialogTemplate.controls, templateWidgets, controls);
    DescribeByGroups(dialogTemplate.controls, templateWidgets);
    SetTemplateTabOrder(templateWidgets);
}

void Dialog::ConnectMessageMap() {
    std::map<int, bool> mapped;
    for (const MessageEntry& entry : GetMessageMap()) {
        QWidget* widget = ItemWidget(entry.controlId);
        if (entry.event == Event::Clicked) {
            ConnectButton(widget, entry.handler);
            mapped[entry.controlId] = true;
        } else if (auto* box = qobject_cast<ComboBox*>(widget)) {
            connect(box, &ComboBox::AboutToDropDown, this,
                    [this, handler = entry.handler] { Dispatch(handler); });
        }
    }
    // OK and Cancel buttons end the dialog unless the map says otherwise.
    if (!mapped[kIdOk]) {
        ConnectButton(ItemWidget(kIdOk), [](Dialog& dialog) { dialog.OnOK(); });
    }
    if (!mapped[kIdCancel]) {
        ConnectButton(ItemWidget(kIdCancel), [](Dialog& dialog) { dialog.OnCancel(); });
    }
}

void Dialog::ConnectButton(QWidget* widget, Handler handler) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { Dispatch(handler); });
    }
}

void Dialog::InstallShortcuts() {
    auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (systemMenu) {
            systemMenu->Popup(mapToGlobal(QPoint(0, 0)));
        }
    });
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [] {
        if (Application* application = Application::Instance()) {
            application->OnCommand(kHelpCommand);
        }
    });
}

void Dialog::FocusFirstControl() {
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = ItemWidget(control.id);
        if (widget != nullptr && widget->isVisibleTo(this) && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

// Handlers report their failures themselves; anything that still escapes one must not cross
// Qt's event loop, so it ends here with a box naming it.
void Dialog::Dispatch(Handler handler) {
    try {
        handler(*this);
    } catch (const std::exception& error) {
        MessageBox(QString::fromUtf8(error.what()), QStringLiteral("Error"),
                   platform::BoxType::Error);
    }
}

void Dialog::RunSysCommand(unsigned command) {
    try {
        OnSysCommand(command, 0);
    } catch (const std::exception& error) {
        MessageBox(QString::fromUtf8(error.what()), QStringLiteral("Error"),
                   platform::BoxType::Error);
    }
}

}  // namespace platform::qt
