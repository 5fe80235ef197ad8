#include "framework/print_preview.h"

#include "framework/win_app.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

namespace brindle {

void showPrintPreview(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* target) { paint(target); });
    CWinApp* app = CWinApp::instance();
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    if (app && preview) {
        const int pages = app->profile().readInt(kSettingsSection, kPreviewPagesValue, kDefaultPreviewPages);
        if (pages == 2)
            preview->setFacingPagesViewMode();
        else
            preview->setSinglePageViewMode();
    }
    dialog.exec();
    if (app && preview) {
        const int pages = preview->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1;
        app->profile().writeInt(kSettingsSection, kPreviewPagesValue, pages);
    }
}

}  // namespace brindle
