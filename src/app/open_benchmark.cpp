#include "app/open_benchmark.h"

#include "app/brd_app.h"
#include "compare_ui/brd_doc.h"
#include "compare_ui/comp_ctrl.h"
#include "compare_ui/folder_doc.h"
#include "framework/doc_template.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace brindle {

namespace {

constexpr int kSteps = 100;

void repaintPanes(CBRDDoc& doc)
{
    doc.pane1().viewport()->repaint();
    doc.pane2().viewport()->repaint();
}

double millisecondsPerStep(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / kSteps;
}

}  // namespace

int reportOpenBenchmark(CBRDApp& app, const QElapsedTimer& clock)
{
    QApplication::processEvents();
    std::printf("opened in %.3f s\n", static_cast<double>(clock.nsecsElapsed()) / 1e9);
    // Two folders: the window lists their entries.
    if (CDocTemplate* folders = app.docTemplateAt(kFolderComparisonTemplate);
        folders && !folders->documents().empty()) {
        if (const auto* folderDoc = qobject_cast<CFolderDoc*>(folders->documents().front()))
            std::printf("entries: %zu\n", folderDoc->entries().size());
        return 0;
    }
    CDocTemplate* comparisons = app.docTemplateAt(kComparisonTemplate);
    CBRDDoc* doc = comparisons && !comparisons->documents().empty()
                       ? qobject_cast<CBRDDoc*>(comparisons->documents().front())
                       : nullptr;
    if (!doc) {
        std::fputs("no comparison window\n", stderr);
        return 1;
    }
    std::printf("report lines: %d\n", doc->pane1().lineCount());

    // Previous from the first section jumps to the last, then walks back: far jumps and near ones.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kSteps; ++i) {
        doc->prevSection();
        repaintPanes(*doc);
    }
    std::printf("section selection: %.3f ms per step\n", millisecondsPerStep(timer));

    timer.restart();
    for (int i = 0; i < kSteps; ++i) {
        doc->pane1().lineScroll(i % 2 == 0 ? 5000 : -2000);
        repaintPanes(*doc);
    }
    std::printf("scrolling: %.3f ms per step\n", millisecondsPerStep(timer));
    return 0;
}

}  // namespace brindle
