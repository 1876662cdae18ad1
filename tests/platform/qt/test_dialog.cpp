#include "tests/platform/qt/test_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <stdexcept>

namespace testsupport {

using platform::qt::ControlKind;
using platform::qt::ControlTemplate;

namespace {
const std::array kControls{
    ControlTemplate{
        0, ControlKind::Label, "&Name", {4, 6, 30, 8}, platform::qt::kNoStyle, kNameEdit},
    ControlTemplate{kNameEdit, ControlKind::Edit, "", {40, 4, 40, 12}},
    ControlTemplate{0, ControlKind::GroupBox, "Group", {2, 0, 120, 90}},
    ControlTemplate{
        kColourList, ControlKind::ChoiceList, "", {40, 20, 40, 40}, platform::qt::kSorted},
    ControlTemplate{kPathBox, ControlKind::PathBox, "", {40, 36, 70, 40}},
    ControlTemplate{kPressButton, ControlKind::Button, "Press", {40, 52, 30, 14}},
    ControlTemplate{kHiddenEdit, ControlKind::Edit, "", {40, 70, 30, 12}, platform::qt::kHidden},
    ControlTemplate{kThrowButton, ControlKind::Button, "Throw", {80, 52, 30, 14}},
};
}  // namespace

const platform::qt::DialogTemplate kTestTemplate{
    1, "Test", 130, 100, {"System", 10, false}, platform::qt::kSystemMenu, kControls};

const platform::qt::MessageEntry TestDialog::kMessageMap[] = {
    {kPressButton, platform::qt::Event::Clicked,
     &platform::qt::Handle<TestDialog, &TestDialog::OnPress>},
    {kThrowButton, platform::qt::Event::Clicked,
     &platform::qt::Handle<TestDialog, &TestDialog::OnThrow>},
    {kPathBox, platform::qt::Event::DropDown,
     &platform::qt::Handle<TestDialog, &TestDialog::OnDropDown>},
};

void TestDialog::DoDataExchange(platform::qt::DataExchange& exchange) {
    exchange.Text(kNameEdit, nameText, kNameLimit);
}

std::span<const platform::qt::MessageEntry> TestDialog::GetMessageMap() const {
    return kMessageMap;
}

void TestDialog::OnSysCommand(unsigned command, std::intptr_t parameter) {
    sysCommands.push_back(command);
    Dialog::OnSysCommand(command, parameter);
}

void TestDialog::OnThrow() {
    throw std::runtime_error("disk on fire");
}

void TestDialog::OnDropDown() {
    calls.push_back("dropdown");
    auto* box = qobject_cast<QComboBox*>(ItemWidget(kPathBox));
    popupOpenAtDropDown = box->view()->isVisible();
    Item(kPathBox).ResetContent();
    Item(kPathBox).InsertItem(0, QStringLiteral("/second"));
    Item(kPathBox).InsertItem(0, QStringLiteral("/first"));
}

}  // namespace testsupport
