#include "app/app_compare_dlg_host.h"

#include "app/brd_app.h"

namespace brindle {

namespace {

// Tests run the dialog under application objects of other kinds.
CBRDApp* application() { return qobject_cast<CBRDApp*>(CWinApp::instance()); }

}  // namespace

QFont CAppCompareDlgHost::textFont() const
{
    if (const CBRDApp* app = application())
        return app->textFont();
    return CCompareDlgHost::textFont();
}

void CAppCompareDlgHost::setTextFont(const QString& face, int pointSize)
{
    if (CBRDApp* app = application())
        app->setTextFont(face, pointSize);
}

void CAppCompareDlgHost::install()
{
    static CAppCompareDlgHost host;
    setInstance(&host);
}

}  // namespace brindle
