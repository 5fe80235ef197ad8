// brd64: compares two files and helps merge them.
#include "app/brd_app.h"
#include "app/command_line.h"
#include "app/open_benchmark.h"
#include "platform/interrupt_cleanup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QStringList>
#include <cstdio>

namespace {

// The application icon in every size the program carries (see resources/desktop).
QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/brindle/icons/%1x%1/brindle.png").arg(size));
    return icon;
}

}  // namespace

int main(int argc, char** argv)
{
    // --help and --version answer before the window system is reached: they work without a
    // display, over ssh and in scripts.
    QStringList early;
    for (int i = 1; i < argc; ++i)
        early << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = brindle::earlyCommandLineAnswer(early)) {
        std::fputs(answer->text.toLocal8Bit().constData(), stdout);
        return answer->status;
    }

    // Ctrl+C or SIGTERM during a write leaves no temporary file beside the target.
    brindle::removeTempFilesOnInterrupt();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindle"));
    QApplication::setApplicationVersion(QStringLiteral(BRINDLE_VERSION));
    // Lets the desktop match windows to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.brindle.Brindle"));
    QApplication::setWindowIcon(applicationIcon());

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    // --benchmark-open FILE1 FILE2: open the comparison, wait until the window is filled and
    // painted, print the time since start and how fast moving through it is, and end.
    const bool benchmark = arguments.size() == 3 && arguments.front() == QLatin1String("--benchmark-open");
    QElapsedTimer clock;
    clock.start();
    if (benchmark)
        arguments.removeFirst();
    // --new-instance FILE1 FILE2: never hands over to a running copy, and runs until its window is
    // closed, so that a caller such as git difftool waits for the user.
    const bool newInstance = !arguments.isEmpty() && arguments.front() == QLatin1String("--new-instance");
    if (newInstance)
        arguments.removeFirst();

    brindle::CBRDApp app;
    app.setStandAlone(benchmark || newInstance);
    if (!app.initInstance(brindle::CBRDApp::rawCommandLine(brindle::absoluteFileArguments(arguments))))
        return 0;
    if (benchmark) {
        const int status = brindle::reportOpenBenchmark(app, clock);
        app.exitInstance();
        return status;
    }
    const int status = QApplication::exec();
    app.exitInstance();
    return status;
}
