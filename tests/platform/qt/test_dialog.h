#pragma once

// A small dialog built on the framework, with one control of each kind, for its tests.

#include <QString>
#include <array>
#include <string>
#include <vector>

#include "platform/qt/dialog.h"

namespace testsupport {

inline constexpr int kNameEdit = 100;
inline constexpr int kColourList = 101;  // sorted choice list
inline constexpr int kPathBox = 102;
inline constexpr int kPressButton = 103;
inline constexpr int kHiddenEdit = 104;
inline constexpr int kThrowButton = 105;
inline constexpr int kNameLimit = 5;
inline constexpr unsigned kAppendedCommand = 0x0010;

extern const platform::qt::DialogTemplate kTestTemplate;

class TestDialog : public platform::qt::Dialog {
  public:
    TestDialog() : Dialog(kTestTemplate) {}

    QString nameText;
    std::vector<std::string> calls;  // handlers run, in order
    std::vector<unsigned> sysCommands;
    bool popupOpenAtDropDown = true;

  protected:
    void DoDataExchange(platform::qt::DataExchange& exchange) override;
    std::span<const platform::qt::MessageEntry> GetMessageMap() const override;
    void OnSysCommand(unsigned command, std::intptr_t parameter) override;

  private:
    static const platform::qt::MessageEntry kMessageMap[];

    void OnPress() { calls.push_back("press"); }
    void OnThrow();
    void OnDropDown();
};

}  // namespace testsupport
