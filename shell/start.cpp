#include "shell/start.h"

#include "core/prompter.h"
#include "exercises/h05d1/window.h"
#include "exercises/h05d3/window.h"
#include "exercises/h05d5/window.h"
#include "record/progresswindow.h"
#include "record/store.h"
#include "shell/alap.h"
#include "shell/navigator.h"
#include "shell/sobre.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>
#include <memory>

namespace lumora {
namespace {

std::unique_ptr<record::Store> store;

// The record is closed while the application still exists: its SQL driver
// is a plugin of the application.
void closeRecord()
{
    record::setRecorder(nullptr);
    store.reset();
}

// On the command line the record's notices go to the console, not to boxes.
class Console : public Prompter {
public:
    void beep() override {}
    void message(const QString& text, const QString&, Icon) override
    {
        std::fprintf(stderr, "lumora: %s\n", qPrintable(QString(text).replace(u'\n', u' ')));
    }
};

} // namespace

std::optional<int> commandLine()
{
    QCoreApplication::setApplicationName(QStringLiteral("lumora"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Hungarian exercises for lesson 5 of the Lumora textbook."));
    parser.addHelpOption();
    const QCommandLineOption exportCsv(QStringLiteral("export-csv"),
                                       QStringLiteral("Write every answer of the record to <file> as CSV and end."),
                                       QStringLiteral("file"));
    parser.addOption(exportCsv);
    parser.process(QCoreApplication::arguments()); // --help and unknown options end here
    if (!parser.isSet(exportCsv))
        return std::nullopt;
    Console console;
    const record::Store record(record::Store::defaultPath(), console);
    if (record.exportCsv(parser.value(exportCsv)))
        return 0;
    std::fprintf(stderr, "lumora: cannot write %s\n", qPrintable(parser.value(exportCsv)));
    return 1;
}

void start()
{
    QCoreApplication::setApplicationName(QStringLiteral("lumora"));
    using navigator::Window;
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/lumora.png")));

    // Opened again by a second start (tests restart the program in-process).
    closeRecord();
    store = std::make_unique<record::Store>(record::Store::defaultPath(), prompter());
    record::setRecorder(store.get());
    static const bool closing = (qAddPostRoutine(closeRecord), true);
    static_cast<void>(closing);

    navigator::registerWindow(Window::Menu, [] { return new Alap; });
    navigator::registerWindow(Window::Backdrop, [] { return makeHatter(); });
    navigator::registerWindow(Window::About, [] { return new Sobre; });
    navigator::registerWindow(Window::Exercise12, [] { return new h05d1::Window; });
    navigator::registerWindow(Window::Exercise3, [] { return new h05d3::Window; });
    navigator::registerWindow(Window::Exercise5, [] { return new h05d5::Window; });
    navigator::registerWindow(Window::Progress, [] { return new record::ProgressWindow(*store); });
    navigator::open(Window::About);
}

} // namespace lumora
