#include "shell/start.h"

#include <QApplication>
#include <csignal>

int main(int argc, char** argv)
{
    // A limit on file sizes is a failed write, as a full disk is, and the
    // record keeps what it could not write; the signal would end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help, --version and the export need no display: options are read
    // first on a core application. A start without any, as from the
    // desktop, makes none.
    if (argc > 1) {
        QCoreApplication console(argc, argv);
        if (const std::optional<int> done = lumora::commandLine())
            return *done;
    }
    QApplication app(argc, argv); // takes its own options (-platform, -style, ...) out of argv
    if (argc > 1)
        if (const std::optional<int> done = lumora::commandLine())
            return *done;
    lumora::start();
    return app.exec();
}
