#include "platform/qt/data_exchange.h"

#include "platform/qt/dialog.h"

namespace platform::qt {

void DataExchange::Bind(int id, Control& member) {
    member = dialog.Item(id);
}

void DataExchange::Text(int id, QString& member, int maxChars) {
    Control control = dialog.Item(id);
    if (!saveAndValidate) {
        control.SetText(member);
        if (maxChars > 0) {
            control.SetLimit(maxChars);
        }
        return;
    }
    if (failed) {
        return;
    }
    const QString text = control.Text();
    if (maxChars > 0 && text.size() > maxChars) {
        failed = true;
        dialog.ReportTooLong(id, maxChars);
        return;
    }
    member = text;
}

}  // namespace platform::qt
