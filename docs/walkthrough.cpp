// A typical session with the EEPROM Editor, driven on real dialogs against the simulated
// controller, for the README: load an INI file, name a raw firmware file, "Update Configuration
// / Firmware", "Show FW Version", then the About box and a READ in the register dialog. It saves
// a picture of each dialog and prints every box the session shows, as a person would read it.
//
//   morlind_walkthrough OUTPUT_FOLDER
//
// scripts/screenshots.sh runs it in a fresh working folder holding example.ini and
// firmware.bin, with a fresh state folder for the simulated controller.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "platform/prompts.h"
#include "ui/about_dialog.h"
#include "ui/control_ids.h"
#include "ui/debug_dialog.h"
#include "ui/debug_dialog_template.h"
#include "ui/main_dialog.h"

namespace {

// The person at the screen: reads each box and presses OK; never opens a file dialog here.
class PrintingPrompts : public platform::Prompts {
  public:
    void DialogBox(std::string_view text, std::string_view caption,
                   platform::BoxType type) override {
        std::printf("box \"%.*s\" (%s, caption \"%.*s\")\n", int(text.size()), text.data(),
                    Kind(type), int(caption.size()), caption.data());
    }
    void ApplicationBox(std::string_view text, platform::BoxType type) override {
        DialogBox(text, "morlind", type);
    }
    std::optional<std::string> AskSaveFileName(std::string_view) override { return {}; }
    std::optional<std::string> AskOpenFileName(std::string_view) override { return {}; }

  private:
    static const char* Kind(platform::BoxType type) {
        switch (type) {
            case platform::BoxType::Error:
                return "error";
            case platform::BoxType::Exclamation:
                return "exclamation";
            case platform::BoxType::Information:
                return "information";
        }
        return "?";
    }
};

void Click(platform::qt::Dialog& dialog, int id, const char* what) {
    std::printf("press \"%s\"\n", what);
    QTest::mouseClick(dialog.ItemWidget(id), Qt::LeftButton);
}

void TypeInto(QWidget* field, const QString& text) {
    auto* box = qobject_cast<QComboBox*>(field);
    QWidget* target = box != nullptr ? box->lineEdit() : field;
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->clear();
    }
    QTest::keyClicks(target, text);
}

bool Save(QWidget& dialog, const QString& folder, const char* name) {
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    const bool saved = dialog.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

bool MainDialogSession(PrintingPrompts& prompts, const QString& out) {
    ui::CMorlindDlg dialog(prompts);
    dialog.Create();
    dialog.show();
    TypeInto(dialog.ItemWidget(ui::kIniPathBox), QStringLiteral("example.ini"));
    Click(dialog, ui::kLoadButton, "Load");
    TypeInto(dialog.ItemWidget(ui::kBinPathBox), QStringLiteral("firmware.bin"));
    const bool saved = Save(dialog, out, "main-dialog.png");
    Click(dialog, ui::kUpdateConfigurationFirmwareButton, "Update Configuration / Firmware");
    Click(dialog, ui::kShowFwVersionButton, "Show FW Version");
    return saved;
}

bool AboutBox(const QString& out) {
    ui::CAboutDlg about;
    about.Create();
    about.show();
    return Save(about, out, "about-dialog.png");
}

bool RegisterDialogSession(PrintingPrompts& prompts, const QString& out) {
    ui::CdebugDlg debug(prompts);
    debug.Create();
    debug.show();
    TypeInto(debug.ItemWidget(ui::kReadAddressEdit), QStringLiteral("7F0"));
    TypeInto(debug.ItemWidget(ui::kReadLengthEdit), QStringLiteral("10"));
    Click(debug, ui::kReadButton, "READ");
    return Save(debug, out, "debug-dialog.png");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: morlind_walkthrough OUTPUT_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    PrintingPrompts prompts;
    const bool main = MainDialogSession(prompts, out);
    const bool about = AboutBox(out);
    const bool debug = RegisterDialogSession(prompts, out);
    return main && about && debug ? 0 : 1;
}
