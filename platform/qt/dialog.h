#pragma once

// The dialog class of the framework: a QDialog built from a template, with its controls reached
// by id, a message map, data exchange, a system menu, and a modal run with an end code.
// Enter ends the dialog like the OK command (after reading the data back), Escape and the close
// box like Cancel; no button is clicked by Enter unless it has the focus.

#include <QDialog>
#include <QIcon>
#include <cstdint>
#include <map>
#include <memory>
#include <span>

#include "platform/prompts.h"
#include "platform/qt/control.h"
#include "platform/qt/data_exchange.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/message_map.h"
#include "platform/qt/system_menu.h"

namespace platform::qt {

class Dialog : public QDialog {
  public:
    explicit Dialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);
    ~Dialog() override;

    // Builds the controls and runs OnInitDialog, once; DoModal does it when needed. Returns
    // false when it has run before.
    bool Create();

    // Runs the dialog modally; returns the end code given to EndDialog.
    int DoModal();
    void EndDialog(int result);

    Control Item(int id) const;
    QWidget* ItemWidget(int id) const;

    // Null when the template has no system menu.
    SystemMenu* GetSystemMenu() { return systemMenu.get(); }

    void SetIcon(const QIcon& icon, bool big);
    BaseUnits DialogBaseUnits() const { return baseUnits; }

    // Runs the data exchange: towards the controls (false) or back from them (true). Returns
    // false when a text was refused.
    bool UpdateData(bool saveAndValidate = true);

    // A box owned by this dialog.
    void MessageBox(const QString& text, const QString& caption, platform::BoxType type);

    // Called by the data exchange when the text of `id` is longer than `maxChars`.
    virtual void ReportTooLong(int id, int maxChars);

  protected:
    // The framework's own initialisation runs the data exchange towards the controls; a dialog
    // that overrides this calls it first. Returning true puts the focus on the first control
    // in tab order that takes it.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange& exchange);
    virtual std::span<const MessageEntry> GetMessageMap() const { return {}; }

    // Default handling: minimise and close; anything else is ignored.
    virtual void OnSysCommand(unsigned command, std::intptr_t parameter);
    virtual void OnPaint() {}
    virtual void OnOK();
    virtual void OnCancel();

    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  public:
    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

  private:
    void BuildControls();
    void ConnectMessageMap();
    void ConnectButton(QWidget* widget, Handler handler);
    void InstallShortcuts();
    void FocusFirstControl();
    void Dispatch(Handler handler);
    void RunSysCommand(unsigned command);

    const DialogTemplate& dialogTemplate;
    BaseUnits baseUnits;
    std::map<int, QWidget*> controls;
    std::unique_ptr<SystemMenu> systemMenu;
    bool created = false;
};

}  // namespace platform::qt
