// Times opening a large file in the binary document and its hex view against reading the file
// plainly, and the time of one page scroll with its repaint.
//
//   brindle_hex_view_bench [FILE] [--size MB] [--pages N]
//
// Without FILE a file of --size MiB (default 100) of pseudo-random bytes is written to the temp
// folder and removed afterwards. Runs offscreen.
#include "hex_view/rode_zor_bin_doc.h"
#include "hex_view/rode_zor_bin_view.h"

#include <QApplication>
#include <QByteArray>
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

bool writeSample(const QString& path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    std::uint32_t state = 12345;
    for (qint64 done = 0; done < bytes; done += block.size()) {
        for (char& byte : block) {
            state = state * 1664525u + 1013904223u;
            byte = static_cast<char>(state >> 24);
        }
        file.write(block.constData(), std::min<qint64>(block.size(), bytes - done));
    }
    return true;
}

// A plain read of the whole file into one block, as the fastest way to have it in memory.
double plainRead(const QString& path)
{
    const auto start = Clock::now();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return -1;
    QByteArray bytes(file.size(), Qt::Uninitialized);
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 got = file.read(bytes.data() + done, bytes.size() - done);
        if (got <= 0)
            break;
        done += got;
    }
    return millisecondsSince(start);
}

// Paints the window's rows now (an offscreen window may skip a plain repaint).
void paint(brindle::CHexEditView& view)
{
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QString path;
    qint64 megabytes = 100;
    int pages = 200;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--size" && i + 1 < argc)
            megabytes = std::atoll(argv[++i]);
        else if (argument == "--pages" && i + 1 < argc)
            pages = std::atoi(argv[++i]);
        else
            path = QString::fromLocal8Bit(argv[i]);
    }
    QTemporaryDir folder;
    if (path.isEmpty()) {
        path = folder.filePath(QStringLiteral("sample.bin"));
        if (!writeSample(path, megabytes << 20)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 2;
        }
    }
    plainRead(path);  // warm the file cache for both timings
    std::vector<double> reads;
    std::vector<double> loads;
    brindle::CRodeZorBinDoc document;
    brindle::CRodeZorBinView view;
    view.attachDocument(&document);
    view.setData(&document.bytes());
    view.resize(900, 700);
    view.show();
    for (int run = 0; run < 5; ++run) {
        reads.push_back(plainRead(path));
        const auto start = Clock::now();
        if (!document.load(path)) {
            std::fprintf(stderr, "%s\n", qPrintable(document.lastError()));
            return 2;
        }
        paint(view);
        loads.push_back(millisecondsSince(start));
    }
    std::vector<double> scrolls;
    for (int page = 0; page < pages; ++page) {
        const auto start = Clock::now();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&view, &key);
        paint(view);
        scrolls.push_back(millisecondsSince(start));
    }
    const std::int64_t lastTop = view.topOffset();
    const double read = median(reads);
    const double load = median(loads);
    std::printf("file            %s (%lld bytes)\n", qPrintable(path), static_cast<long long>(document.bytes().size()));
    std::printf("plain read      %.1f ms (median of 5)\n", read);
    std::printf("document load   %.1f ms (median of 5, with the first paint)\n", load);
    std::printf("load / read     %.2f\n", read > 0 ? load / read : 0.0);
    std::printf("page scroll     %.3f ms median, %.3f ms worst, %d pages of %d rows\n", median(scrolls),
                *std::max_element(scrolls.begin(), scrolls.end()), pages, view.visibleRows());
    std::printf("scrolled to     offset %lld\n", static_cast<long long>(lastTop));
    view.detachDocument();
    return 0;
}
