// brd64: compares two files and helps merge them.
#include "app/brd_app.h"
#include "app/command_line.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindle"));
    QApplication::setApplicationVersion(QStringLiteral(BRINDLE_VERSION));

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (const auto early = brindle::earlyCommandLineAnswer(arguments)) {
        std::fputs(early->text.toLocal8Bit().constData(), stdout);
        return early->status;
    }

    brindle::CBRDApp app;
    if (!app.initInstance(brindle::CBRDApp::rawCommandLine(arguments)))
        return 0;
    const int status = QApplication::exec();
    app.exitInstance();
    return status;
}
