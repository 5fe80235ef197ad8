// The compare dialog's host in brd64: the dialog reaches the application's shared text font.
#pragma once

#include "compare_ui/compare_dlg_host.h"

namespace brindle {

// Settings, message boxes and file, font and colour dialogs as the default host has them; the
// shared text font is the application's (CBRDApp::textFont), so that a font chosen on the Display
// page is used by the report panes and editors at once. Without an application object it behaves
// like the default host. The dialog font needs nothing on closing: the program's dialogs take the
// user's dialog font when they are built, and the sheet never takes it.
class CAppCompareDlgHost final : public CCompareDlgHost {
public:
    QFont textFont() const override;
    void setTextFont(const QString& face, int pointSize) override;

    // Makes the process's one application host the installed host (CCompareDlgHost::instance()).
    static void install();
};

}  // namespace brindle
