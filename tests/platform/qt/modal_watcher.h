#pragma once

// Answers the modal windows a test lets appear (message boxes, file dialogs, nested dialogs):
// while the watcher lives, each new active modal widget is handed to the answer function,
// which reads it and closes it. A window nobody answers leaves the test to its timeout.

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class ModalWatcher {
  public:
    using Answer = std::function<void(QWidget& modal)>;

    explicit ModalWatcher(Answer answer);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    int Answered() const { return answered; }

  private:
    void Poll();

    Answer answer;
    QTimer timer;
    QPointer<QWidget> last;
    int answered = 0;
};

// What a message box showed, read before it is closed with its OK button.
struct SeenBox {
    std::string text;
    std::string caption;
    int icon = 0;  // QMessageBox::Icon
    int buttons = 0;

    bool operator==(const SeenBox&) const = default;
};

// An answer that reads each QMessageBox into `seen` and presses OK; any other modal window is
// rejected and recorded with the caption "<unexpected>".
ModalWatcher::Answer ReadAndCloseBoxes(std::vector<SeenBox>& seen);

}  // namespace testsupport
