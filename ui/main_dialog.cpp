#include "ui/main_dialog.h"

#include <QPainter>
#include <QStyle>
#include <cstring>

#include "config/field_ops.h"
#include "ui/about_dialog.h"
#include "ui/control_ids.h"
#include "ui/main_dialog_template.h"
#include "ui/resources.h"

namespace ui {

using platform::qt::Event;
using platform::qt::Handle;
using platform::qt::MessageEntry;

const MessageEntry CMorlindDlg::kMessageMap[] = {
    {kIniBrowseButton, Event::Clicked, &Handle<CMorlindDlg, &CMorlindDlg::OnBrowseIni>},
    {kBinBrowseButton, Event::Clicked, &Handle<CMorlindDlg, &CMorlindDlg::OnBrowseBin>},
    {kLoadButton, Event::Clicked, &Handle<CMorlindDlg, &CMorlindDlg::OnLoad>},
    {kIniPathBox, Event::DropDown, &Handle<CMorlindDlg, &CMorlindDlg::OnDropDownIniPath>},
    {kBinPathBox, Event::DropDown, &Handle<CMorlindDlg, &CMorlindDlg::OnDropDownBinPath>},
    {kSaveAndLoadButton, Event::Clicked, &Handle<CMorlindDlg, &CMorlindDlg::OnSaveAndLoad>},
    {kClearButton, Event::Clicked, &Handle<CMorlindDlg, &CMorlindDlg::OnClear>},
    {kUpdateConfigurationFirmwareButton, Event::Clicked,
     &Handle<CMorlindDlg, &CMorlindDlg::OnUpdateConfigurationFirmware>},
    {kUpdateFirmwareButton, Event::Clicked, &Handle<CMorlindDlg, &CMorlindDlg::OnUpdateFirmware>},
    {kUpdateConfigurationButton, Event::Clicked,
     &Handle<CMorlindDlg, &CMorlindDlg::OnUpdateConfiguration>},
    {kDebugButton, Event::Clicked, &Handle<CMorlindDlg, &CMorlindDlg::OnDebug>},
    {kShowFwVersionButton, Event::Clicked, &Handle<CMorlindDlg, &CMorlindDlg::OnShowFwVersion>},
};

CMorlindDlg::CMorlindDlg(platform::Prompts& prompts, QWidget* parent)
    : Dialog(MainDialogTemplate(), parent), prompts(prompts), appIcon(LoadAppIcon()) {}

CMorlindDlg::~CMorlindDlg() = default;

std::span<const MessageEntry> CMorlindDlg::GetMessageMap() const {
    return kMessageMap;
}

void CMorlindDlg::DoDataExchange(platform::qt::DataExchange& exchange) {
    Dialog::DoDataExchange(exchange);
    exchange.Bind(kLanguageList, languageList);
    exchange.Bind(kIniPathBox, iniPathBox);
    exchange.Bind(kSpeedList, speedList);
    exchange.Bind(kBinPathBox, binPathBox);
    exchange.Bind(kPowerList, powerList);
    exchange.Bind(kDeviceRevisionEdit, deviceRevisionEdit);
    exchange.Bind(kManufacturerEdit, manufacturerEdit);
    exchange.Bind(kProductIdEdit, productIdEdit);
    exchange.Bind(kProductStringEdit, productStringEdit);
    exchange.Bind(kSerialNumberEdit, serialNumberEdit);
    exchange.Bind(kVendorIdEdit, vendorIdEdit);
    exchange.Text(kDeviceRevisionEdit, deviceRevisionText, 4);
    exchange.Text(kManufacturerEdit, manufacturerText, 44);
    exchange.Text(kProductIdEdit, productIdText, 4);
    exchange.Text(kProductStringEdit, productStringText, 48);
    exchange.Text(kSerialNumberEdit, serialNumberText, 20);
    exchange.Text(kVendorIdEdit, vendorIdText, 4);
}

bool CMorlindDlg::OnInitDialog() {
    Dialog::OnInitDialog();  // 1: the data exchange empties the fields and sets their limits
    AppendAboutEntry();      // 2
    SetIcon(appIcon, true);  // 3
    SetIcon(appIcon, false);
    // 4: the lists are picked from, the path boxes and edit fields are typed into.
    for (platform::qt::Control* list : {&languageList, &speedList, &powerList}) {
        list->SetReadOnly(true);
    }
    for (platform::qt::Control* field :
         {&iniPathBox, &binPathBox, &vendorIdEdit, &productIdEdit, &deviceRevisionEdit,
          &serialNumberEdit, &manufacturerEdit, &productStringEdit}) {
        field->SetReadOnly(false);
    }
    ShowStartupDefaults();  // 5 to 7
    FillChoiceLists();      // 8 to 10
    form.commitOnly = 0;    // 11
    form.commitSucceeded = 0;
    form.firmwareImageBuilt = 0;
    setWindowTitle(QString::fromUtf8(kMainDialogTitle));  // 12
    return true;                                          // 13: focus on the Vendor ID field
}

void CMorlindDlg::AppendAboutEntry() {
    platform::qt::SystemMenu* menu = GetSystemMenu();
    if (menu == nullptr) {
        return;
    }
    const QString about = LoadResourceString(kAboutBoxString);
    if (!about.isEmpty()) {
        menu->AppendSeparator();
        menu->AppendItem(kAboutCommand, about);
    }
}

namespace {
template <std::size_t N>
QString ZeroTerminated(const std::array<char, N>& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(strnlen(text.data(), N)));
}

QString HexWord(std::uint16_t value) {
    return QString::fromStdString(config::FormatHexWord(value));
}
}  // namespace

void CMorlindDlg::ShowStartupDefaults() {
    const config::FormState defaults = config::StartupFormState();
    form.serialText = defaults.serialText;
    form.manufacturerText = defaults.manufacturerText;
    form.productText = defaults.productText;
    form.vendorId = defaults.vendorId;
    form.productId = defaults.productId;
    form.deviceRevision = defaults.deviceRevision;
    serialNumberEdit.SetText(ZeroTerminated(form.serialText));
    manufacturerEdit.SetText(ZeroTerminated(form.manufacturerText));
    productStringEdit.SetText(ZeroTerminated(form.productText));
    vendorIdEdit.SetText(HexWord(form.vendorId));
    productIdEdit.SetText(HexWord(form.productId));
    deviceRevisionEdit.SetText(HexWord(form.deviceRevision));
}

void CMorlindDlg::FillChoiceLists() {
    languageList.AddItem(QStringLiteral("English"));
    languageList.Select(0);
    // The list sorts them: Full (0), High (1), Super (2).
    for (const char* speed : {"Super", "High", "Full"}) {
        speedList.AddItem(QString::fromLatin1(speed));
    }
    speedList.Select(2);
    powerList.AddItem(QStringLiteral("Self"));
    powerList.Select(0);
}

void CMorlindDlg::OnClear() {
    for (platform::qt::Control* field :
         {&iniPathBox, &vendorIdEdit, &productIdEdit, &deviceRevisionEdit, &serialNumberEdit,
          &manufacturerEdit, &productStringEdit}) {
        field->SetText(QString());
    }
    form.commitSucceeded = 0;
}

void CMorlindDlg::OnSysCommand(unsigned command, std::intptr_t parameter) {
    if ((command & 0xFFF0) == kAboutCommand) {
        CAboutDlg about(this);
        about.DoModal();
        return;
    }
    Dialog::OnSysCommand(command, parameter);
}

void CMorlindDlg::OnPaint() {
    if (!isMinimized()) {
        Dialog::OnPaint();
        return;
    }
    QPainter painter(this);
    painter.eraseRect(rect());
    const int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize);
    const int x = (width() - iconSize + 1) / 2;
    const int y = (height() - iconSize + 1) / 2;
    painter.drawPixmap(x, y, appIcon.pixmap(iconSize, iconSize));
}

}  // namespace ui
