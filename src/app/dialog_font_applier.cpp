#include "app/dialog_font_applier.h"

#include "app/brd_app.h"

#include <QDialog>
#include <QEvent>

#include <cstring>

namespace brindle {

namespace {

// The compare dialog is built with the dialog font cleared; the font is read again when it closes.
bool takesDialogFont(const QDialog& dialog)
{
    const char* name = dialog.metaObject()->className();
    return std::strncmp(name, "brindle::", 9) == 0 && std::strcmp(name, "brindle::CCompareDlg") != 0;
}

}  // namespace

CDialogFontApplier::CDialogFontApplier(QObject* parent) : QObject(parent) {}

bool CDialogFontApplier::eventFilter(QObject* watched, QEvent* event)
{
    // Polish comes once, before a widget is first shown: the dialog is laid out in its font.
    if (event->type() == QEvent::Polish) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        CBRDApp* app = CBRDApp::instance();
        if (dialog && app && takesDialogFont(*dialog)) {
            app->readDialogFont();
            if (app->dialogFont())
                dialog->setFont(*app->dialogFont());
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace brindle
