#include "tests/platform/qt/modal_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace testsupport {

namespace {
constexpr int kPollMilliseconds = 10;
}

ModalWatcher::ModalWatcher(Answer answer) : answer(std::move(answer)) {
    QObject::connect(&timer, &QTimer::timeout, [this] { Poll(); });
    timer.start(kPollMilliseconds);
}

ModalWatcher::~ModalWatcher() {
    timer.stop();
}

void ModalWatcher::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == last || !modal->isVisible()) {
        return;
    }
    last = modal;
    ++answered;
    // From a timer of its own: an answer that opens a further modal window (a confirmation)
    // must not stop this watcher from seeing it.
    QPointer<QWidget> target = modal;
    QTimer::singleShot(0, modal, [this, target] {
        if (target) {
            answer(*target);
        }
    });
}

ModalWatcher::Answer ReadAndCloseBoxes(std::vector<SeenBox>& seen) {
    return [&seen](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box == nullptr) {
            seen.push_back({modal.windowTitle().toStdString(), "<unexpected>", 0, 0});
            if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
                dialog->reject();
            }
            return;
        }
        seen.push_back({box->text().toStdString(), box->windowTitle().toStdString(),
                        static_cast<int>(box->icon()), static_cast<int>(box->buttons().size())});
        box->button(QMessageBox::Ok) != nullptr ? box->button(QMessageBox::Ok)->click()
                                                : box->reject();
    };
}

}  // namespace testsupport
