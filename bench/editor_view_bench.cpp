// Times opening a large text file in the editor (document, view, first paint) against loading the
// same file into a bare text buffer, and the time of one typed key and of one page scroll, each
// with its repaint, in the middle of that file.
//
//   brindle_editor_view_bench [FILE] [--lines N] [--steps N]
//
// Without FILE a source-like file of --lines lines (default 1,000,000, about 60 MB) is written to
// the temp folder and removed afterwards. Runs offscreen.
#include "editor/ed_text_buffer.h"
#include "merge_editor/edit_doc.h"
#include "merge_editor/tl_edit_view.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool writeSample(const QString& path, long lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    std::string block;
    char line[160];
    for (long i = 0; i < lines; ++i) {
        const int length = std::snprintf(
            line, sizeof line, "    int value_%ld = compute(%ld, \"text\"); // note %ld\r\n", i, i % 977, i % 31);
        block.append(line, static_cast<std::size_t>(length));
        if (block.size() > (1 << 20)) {
            file.write(block.data(), static_cast<qint64>(block.size()));
            block.clear();
        }
    }
    file.write(block.data(), static_cast<qint64>(block.size()));
    return true;
}

// Paints the window's lines now (an offscreen window may skip a plain repaint).
void paint(brindle::CTlEditView& view)
{
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void press(QWidget& view, int key, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &event);
}

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QString path;
    long lines = 1000000;
    int steps = 200;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--lines" && i + 1 < argc)
            lines = std::atol(argv[++i]);
        else if (argument == "--steps" && i + 1 < argc)
            steps = std::atoi(argv[++i]);
        else
            path = QString::fromLocal8Bit(argv[i]);
    }
    QTemporaryDir folder;
    if (path.isEmpty()) {
        path = folder.filePath(QStringLiteral("sample.cpp"));
        if (!writeSample(path, lines)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 2;
        }
    }
    const std::u16string path16 = path.toStdU16String();

    // Taking turns spreads the cost of fresh memory and drifts in machine load over both.
    std::vector<double> loads;
    std::vector<double> opens;
    for (int run = 0; run < 5; ++run) {
        {
            brindle::CEdTextBuffer buffer;
            const auto start = Clock::now();
            if (!buffer.LoadFile(path16)) {
                std::fprintf(stderr, "cannot load %s\n", qPrintable(path));
                return 2;
            }
            loads.push_back(millisecondsSince(start));
        }
        auto* document = new brindle::CEditDoc;
        auto* view = new brindle::CTlEditView;
        view->attachDocument(document);
        view->resize(900, 700);
        view->show();
        const auto start = Clock::now();
        document->onOpenDocument(path);
        view->onInitialUpdate();
        paint(*view);
        opens.push_back(millisecondsSince(start));
        delete view;  // the document goes with its last view
    }

    auto* document = new brindle::CEditDoc;
    auto* view = new brindle::CTlEditView;
    view->attachDocument(document);
    view->resize(900, 700);
    view->show();
    document->onOpenDocument(path);
    view->onInitialUpdate();
    const int middle = document->textBuffer().LineCount() / 2;
    for (int line = 0; line < middle; line += 50000)
        press(*view, Qt::Key_PageDown);
    std::vector<double> typing;
    for (int step = 0; step < steps; ++step) {
        const auto start = Clock::now();
        press(*view, step % 10 == 9 ? Qt::Key_Return : Qt::Key_A,
              step % 10 == 9 ? QStringLiteral("\r") : QStringLiteral("a"));
        paint(*view);
        typing.push_back(millisecondsSince(start));
    }
    std::vector<double> scrolls;
    for (int step = 0; step < steps; ++step) {
        const auto start = Clock::now();
        press(*view, Qt::Key_PageDown);
        paint(*view);
        scrolls.push_back(millisecondsSince(start));
    }
    const double load = median(loads);
    const double open = median(opens);
    std::printf("file            %s (%d lines)\n", qPrintable(path), document->textBuffer().LineCount());
    std::printf("buffer load     %.1f ms (median of 5)\n", load);
    std::printf("editor open     %.1f ms (median of 5: document, view, first paint)\n", open);
    std::printf("open / load     %.2f\n", load > 0 ? open / load : 0.0);
    std::printf("typed key       %.3f ms median, %.3f ms worst, %d keys with repaint\n", median(typing),
                *std::max_element(typing.begin(), typing.end()), steps);
    std::printf("page scroll     %.3f ms median, %.3f ms worst, %d pages with repaint\n", median(scrolls),
                *std::max_element(scrolls.begin(), scrolls.end()), steps);
    document->setModifiedFlag(false);
    delete view;
    return 0;
}
