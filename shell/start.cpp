#include "shell/start.h"

#include "core/platform.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "exercises/h05d1/window.h"
#include "exercises/h05d3/window.h"
#include "exercises/h05d5/window.h"
#include "record/store.h"
#include "record/watch.h"
#include "shell/alap.h"
#include "shell/progresswindow.h"
#include "shell/sobre.h"
#include "shell/wordswindow.h"
#include "ui/navigator.h"
#include "ui/style.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>
#include <cstdio>
#include <memory>

namespace lumora {
namespace {

std::unique_ptr<record::Store> store;
std::unique_ptr<record::Watch> written; // every write to the store, for My progress

// The record is closed while the application still exists: its SQL driver
// is a plugin of the application.
void closeRecord()
{
    record::setRecorder(nullptr);
    record::setReviewRecord(nullptr);
    written.reset();
    store.reset();
}

// The record's notices belong to the window in front when they come: the
// splash while the record opens at start-up, later the window being worked in.
class FrontWindowBoxes : public Prompter {
public:
    void beep() override { WindowPrompter(navigator::frontWindow()).beep(); }
    void message(const QString& text, const QString& title, Icon icon, const QString& detail) override
    {
        WindowPrompter(navigator::frontWindow()).message(text, title, icon, detail);
    }
};
FrontWindowBoxes notices;

void openRecord()
{
    // A notice about the record holds its opening in a box, and the splash's
    // time may run out under it and make the menu, which asks for the record.
    static bool opening = false;
    if (store || opening)
        return;
    opening = true;
    store = std::make_unique<record::Store>(record::Store::defaultPath(), notices);
    opening = false;
    written = std::make_unique<record::Watch>(*store);
    record::setRecorder(written.get());
    record::setReviewRecord(store.get());
}

// On the command line the record's notices go to the console, not to boxes.
class Console : public Prompter {
public:
    void beep() override {}
    void message(const QString& text, const QString&, Icon, const QString&) override
    {
        std::fprintf(stderr, "lumora: %s\n", qPrintable(QString(text).replace(u'\n', u' ')));
    }
};

// Qt reads the menu bar's overflow arrow from a PNG without naming the
// format, so every image plugin (JPEG too) is loaded to ask whether it is
// one of theirs; the style's built-in picture of the same arrow needs none.
class NoPluginProbe : public FocusShown {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton)
            return QIcon(standardPixmap(which, option, widget));
        return FocusShown::standardIcon(which, option, widget);
    }
};

} // namespace

std::optional<int> commandLine()
{
    nameApplication();
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Hungarian exercises for lesson 5 of the Lumora textbook."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportCsv(
        QStringLiteral("export-csv"),
        QStringLiteral("Write every answer of the record to <file> as CSV (- for standard output) and end."),
        QStringLiteral("file"));
    parser.addOption(exportCsv);
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(QCoreApplication::arguments()); // prints it with Qt's own options, and ends
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("lumora %s\n", LUMORA_VERSION);
        return 0;
    }
    const bool windowsToCome = !qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!parsed && (parser.isSet(exportCsv) || !windowsToCome)) {
        std::fprintf(stderr, "lumora: %s\n", qPrintable(parser.errorText()));
        return 1;
    }
    if (!parser.isSet(exportCsv))
        return std::nullopt;
    Console console;
    const record::Store record(record::Store::defaultPath(), console);
    const QString target = parser.value(exportCsv);
    QFile standardOutput;
    const QString why = target == QLatin1String("-") && standardOutput.open(stdout, QIODevice::WriteOnly)
                            ? record.exportCsv(standardOutput)
                            : record.exportCsv(target);
    if (why.isEmpty())
        return 0;
    std::fprintf(stderr, "lumora: cannot write %s: %s\n", qPrintable(target), qPrintable(why));
    return 1;
}

void start()
{
    nameApplication();
    using navigator::Window;
    static const bool styled = (QApplication::setStyle(new NoPluginProbe), true);
    static_cast<void>(styled);
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMORA_APP_ID));
    // Every window sends its icon to the window manager when it is made: 64
    // pixels (16 KiB), not the 256 installed for the desktop (256 KiB a
    // window, held twice over while it is sent).
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(resourceImage(QStringLiteral(":/icons/lumora-64.png")))));

    // Opened again by a second start (tests restart the program in-process).
    closeRecord();
    static const bool closing = (qAddPostRoutine(closeRecord), true);
    static_cast<void>(closing);

    // The menu shows the review counts: the record is open before it is made.
    navigator::registerMaker(Window::Menu, [] {
        openRecord();
        return new Alap;
    });
    navigator::registerWindow<Hatter>(Window::Backdrop);
    navigator::registerWindow<Sobre>(Window::About, [](Sobre& about, int) { about.showAbout(); });
    navigator::registerWindow<h05d1::Window>(Window::Exercise12,
                                             [](h05d1::Window& w, int exnum) { w.openAs(exnum); });
    navigator::registerWindow<h05d3::Window>(Window::Exercise3);
    navigator::registerWindow<h05d5::Window>(Window::Exercise5);
    navigator::registerMaker(
        Window::Progress, [] { return new ProgressWindow(*store, *written); },
        [](QWidget& w, int exercise) { static_cast<ProgressWindow&>(w).showExercise(exercise); });
    navigator::registerWindow<WordsWindow>(Window::Words,
                                           [](WordsWindow& w, int exercise) { w.showExercise(exercise); });
    // The record (SQLite, a check of the file) opens once
    // the splash is on screen, well within the splash's 0.8 s.
    afterFirstPaint(*navigator::open(Window::About), openRecord);
}

} // namespace lumora
