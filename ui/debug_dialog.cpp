#include "ui/debug_dialog.h"

#include <QLabel>
#include <string>

#include "device/register_access.h"
#include "ui/debug_dialog_template.h"
#include "ui/register_grid_view.h"

namespace ui {

namespace {

using platform::qt::Event;
using platform::qt::Handle;
using platform::qt::MessageEntry;

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

// The header labels have no identifier; the template's captions find them.
QLabel* LabelWithText(const QWidget& dialog, const char* text) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == QString::fromUtf8(text)) {
            return label;
        }
    }
    return nullptr;
}

}  // namespace

const MessageEntry CdebugDlg::kMessageMap[] = {
    {kWriteButton, Event::Clicked, &Handle<CdebugDlg, &CdebugDlg::OnWrite>},
    {kReadButton, Event::Clicked, &Handle<CdebugDlg, &CdebugDlg::OnRead>},
};

CdebugDlg::CdebugDlg(platform::Prompts& prompts, QWidget* parent)
    : Dialog(DebugDialogTemplate(), parent), prompts(prompts) {}

CdebugDlg::~CdebugDlg() = default;

std::span<const MessageEntry> CdebugDlg::GetMessageMap() const {
    return kMessageMap;
}

void CdebugDlg::DoDataExchange(platform::qt::DataExchange& exchange) {
    Dialog::DoDataExchange(exchange);
    exchange.Bind(kReadAddressEdit, readAddressEdit);
    exchange.Bind(kReadLengthEdit, readLengthEdit);
    exchange.Bind(kWriteAddressEdit, writeAddressEdit);
    exchange.Bind(kWriteValueEdit, writeValueEdit);
    exchange.Bind(kRegisterGrid, gridArea);
}

bool CdebugDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    if (auto* grid = qobject_cast<QLabel*>(gridArea.Widget())) {
        SetUpRegisterGrid(*grid, LabelWithText(*this, kGridColumnHeader),
                          LabelWithText(*this, kGridRowHeader));
    }
    return true;
}

void CdebugDlg::OnOK() {
    OnCancel();
}

void CdebugDlg::OnRead() {
    const auto grid =
        device::OnRead(Utf8(readAddressEdit.Text()), Utf8(readLengthEdit.Text()), prompts);
    auto* gridLabel = qobject_cast<QLabel*>(gridArea.Widget());
    if (grid && gridLabel != nullptr) {
        ShowRegisterGrid(*gridLabel, QString::fromStdString(*grid));
    }
}

void CdebugDlg::OnWrite() {
    device::OnWrite(Utf8(writeAddressEdit.Text()), Utf8(writeValueEdit.Text()), prompts);
}

}  // namespace ui
