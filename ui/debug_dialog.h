#pragma once

// The register debug dialog: reads a block of the device's registers into a 16 by 16 grid and
// writes one register. The main dialog's DEBUG button makes a new one for each opening, so the
// fields and the grid always start empty. OK, Enter, Cancel, Escape and the close box all end it
// with the cancel result; no field is read then.

#include <span>

#include "platform/prompts.h"
#include "platform/qt/dialog.h"

namespace ui {

class CdebugDlg : public platform::qt::Dialog {
  public:
    // The boxes about the fields and the device go through `prompts`.
    explicit CdebugDlg(platform::Prompts& prompts, QWidget* parent = nullptr);
    ~CdebugDlg() override;

    void OnRead();
    void OnWrite();

  protected:
    std::span<const platform::qt::MessageEntry> GetMessageMap() const override;
    void DoDataExchange(platform::qt::DataExchange& exchange) override;
    bool OnInitDialog() override;
    // The OK command cancels, as the Cancel command does.
    void OnOK() override;

  private:
    static const platform::qt::MessageEntry kMessageMap[];

    platform::Prompts& prompts;

    platform::qt::Control readAddressEdit;   // 1114
    platform::qt::Control readLengthEdit;    // 1115
    platform::qt::Control writeAddressEdit;  // 1118
    platform::qt::Control writeValueEdit;    // 1119
    platform::qt::Control gridArea;          // 1033
};

}  // namespace ui
