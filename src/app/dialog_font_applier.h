// The dialog font ("Dialog Font", "Dialog Font Size") on every dialog of the program's own.
#pragma once

#include <QObject>

namespace brindle {

// Watches the application: each dialog of the program's own classes gets the dialog font when it
// is first shown, read again from the settings each time, so that a change applies from the next
// dialog on. Dialogs of the toolkit (files, messages) and the compare dialog keep their own font;
// with no "Dialog Font" every dialog keeps its own.
class CDialogFontApplier : public QObject {
public:
    explicit CDialogFontApplier(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace brindle
