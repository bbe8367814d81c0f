// The program driven in-process, for what a start from outside cannot show
// (start-up itself is measured on the program; see README, Benchmarks):
//   session  open every window once from the menu, then "&End";
//   windows  time opening each exercise window and judging one answer
//            (with its write to the record), and opening My progress;
//   progress time opening My progress only;
//   voice    time the Hungarian voice on the longest sentence of exercise 3;
//   speech   the memory speech adds to exercise 5 (bench/speech.py runs it
//            with a sound server of its own).
// The record is a fresh one, or the one in $LUMORA_BENCH_DATA/lumora
// (tools/record/fill.py makes a large one).
#include "core/module1.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "core/speaker.h"
#include "core/voice.h"
#include "feedback/analyser.h"
#include "lesson/sentences.h"
#include "shell/start.h"
#include "ui/navigator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <tuple>
#include <vector>

using namespace lumora;

namespace {

// Message boxes would wait for a click: keep only the last text.
struct Silent : Prompter {
    QString last;
    void beep() override {}
    void message(const QString& text, const QString&, Icon, const QString&) override { last = text; }
};

// Names of the windows that have painted since the last clear.
struct Painted : QObject {
    QSet<QString> names;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            names << watched->objectName();
        return false;
    }
};

Painted painted;

QWidget* window(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

bool waitFor(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

template <class T = QAbstractButton>
T* control(QWidget* w, const char* name)
{
    T* c = w ? w->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    if (!c)
        qFatal("no control %s", name);
    return c;
}

void press(QWidget* w, const char* button) { control(w, button)->click(); }

// Presses a button and waits until the window it opens has painted.
QWidget* openPainted(QWidget* from, const char* button, const char* name)
{
    painted.names.clear();
    press(from, button);
    if (!waitFor([name] { return painted.names.contains(QLatin1String(name)); }))
        qFatal("%s did not paint", name);
    return window(name);
}

QWidget* startToMenu()
{
    start();
    if (!waitFor([] { return window("alap") != nullptr; }))
        qFatal("no menu");
    return window("alap");
}

// Right answers, from the window's own Solution.
void answerH05d1(QWidget* w, Silent& silent)
{
    press(w, "Command1");
    press(w, "Command4");
    const QString form = silent.last.mid(Module1::msgsolution.size());
    auto* verb = control<QLineEdit>(w, "Text1");
    auto* ending = control<QLineEdit>(w, "Text2");
    const QString stem = Module1::trim(verb->text());
    if (verb->isReadOnly()) {
        ending->setText(form.mid(stem.size()));
    } else {
        verb->setText(form);
        ending->clear();
    }
}

void answerH05d3(QWidget* w, Silent&)
{
    press(w, "comenzar");
    press(w, "Solución");
    control<QLineEdit>(w, "Text1")->setText(control<QLabel>(w, "Label1")->text());
}

void answerH05d5(QWidget* w, Silent&) { press(w, "Command1"); } // gap 0 holds Péter's "ik"

// Wrong answers that the diagnosis reads with the dictionary, after the right
// one was judged: a form with one letter too many, a verb with a typo, lakok.
void wrongH05d1(QWidget* w)
{
    auto* ending = control<QLineEdit>(w, "Text2");
    ending->setText(ending->text() + QStringLiteral("k"));
}

void wrongH05d3(QWidget* w)
{
    auto* answer = control<QLineEdit>(w, "Text1");
    answer->setText(control<QLabel>(w, "Label1")->text().chopped(1) + QStringLiteral("k."));
}

void wrongH05d5(QWidget* w) { control<QLineEdit>(w, "Text1_1")->setText(QStringLiteral("ben")); }

struct Exercise {
    const char* name;
    const char* menuButton;
    const char* close;
    const char* next;
    void (*answer)(QWidget*, Silent&);
    void (*wrong)(QWidget*);
};

// Resident memory of this process, in KiB.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

long long median(std::vector<long long> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Creating and showing an empty window of an exercise window's client area,
// until it has painted: the yardstick of the openings.
long long emptyWindowUs()
{
    QElapsedTimer clock;
    clock.start();
    QWidget w;
    w.setObjectName(QStringLiteral("empty"));
    w.resize(twips(9270), twips(5880));
    painted.names.clear();
    w.show();
    waitFor([] { return painted.names.contains(QStringLiteral("empty")); });
    return clock.nsecsElapsed() / 1000;
}

// Opening My progress from the menu until it has painted, 30 times.
void progressTimes(QWidget* menu)
{
    std::vector<long long> progress;
    for (int i = 0; i <= 30; ++i) {
        painted.names.clear();
        QElapsedTimer clock;
        clock.start();
        control<QAction>(menu, "mnuProgress")->trigger();
        if (!waitFor([] { return painted.names.contains(QStringLiteral("progress")); }))
            qFatal("My progress did not paint");
        progress.push_back(clock.nsecsElapsed() / 1000);
        window("progress")->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const long long progressFirst = progress.front();
    progress.erase(progress.begin());
    std::printf("My progress opens in %lld us (first %lld us); goal: within 100 ms: %s\n", median(progress),
                progressFirst, std::max(progressFirst, median(progress)) <= 100000 ? "met" : "MISSED");
}

int windows()
{
    Silent silent;
    setPrompter(&silent);
    QWidget* menu = startToMenu();
    const int rounds = 30;
    std::vector<long long> empty;
    for (int i = 0; i <= rounds; ++i)
        empty.push_back(emptyWindowUs());
    empty.erase(empty.begin()); // the first of each kind pays for loading
    const long long yardstick = median(empty);

    const Exercise exercises[] = {
        {"h05d1", "AniButton1", "Command3", "Command2", answerH05d1, wrongH05d1},
        {"h05d3", "AniButton2", "Cerrar", "Siguiente", answerH05d3, wrongH05d3},
        {"h05d5", "AniButton4", "Command3", "Command2", answerH05d5, wrongH05d5},
    };
    std::printf("%-8s %11s %12s %9s %11s %11s\n", "window", "first (us)", "median (us)", "x empty", "judge (us)",
                "wrong (us)");
    long long slowest = 0, slowestWrong = 0;
    const long beforeDictionary = residentKiB();
    long withDictionary = 0;
    for (const Exercise& e : exercises) {
        std::vector<long long> open, judge, wrong;
        for (int i = 0; i <= rounds; ++i) {
            QElapsedTimer clock;
            clock.start();
            QWidget* w = openPainted(menu, e.menuButton, e.name);
            open.push_back(clock.nsecsElapsed() / 1000);
            // The first exercise window started the dictionary's load: the
            // wrong answers are judged with it, as in a session.
            if (!withDictionary) {
                if (!feedback::Analyser::shared().waitUntilReady(30000))
                    qFatal("the dictionary did not load (hunspell-hu)");
                withDictionary = residentKiB();
            }
            e.answer(w, silent);
            silent.last.clear();
            clock.restart();
            press(w, e.next);
            QCoreApplication::processEvents();
            judge.push_back(clock.nsecsElapsed() / 1000);
            if (!silent.last.isEmpty() && silent.last != Module1::msgdone)
                qFatal("%s judged the right answer wrong: %s", e.name, qPrintable(silent.last));
            if (silent.last.isEmpty()) { // a run that just ended has nothing more to judge
                e.wrong(w);
                clock.restart();
                press(w, e.next);
                QCoreApplication::processEvents();
                wrong.push_back(clock.nsecsElapsed() / 1000);
                if (silent.last != Module1::msgwrong)
                    qFatal("%s judged a wrong answer right", e.name);
            }
            menu = openPainted(w, e.close, "alap");
        }
        const long long first = open.front();
        open.erase(open.begin());
        judge.erase(judge.begin());
        slowest = std::max(slowest, median(open));
        slowestWrong = std::max(slowestWrong, median(wrong));
        std::printf("%-8s %11lld %12lld %9.1f %11lld %11lld\n", e.name, first, median(open),
                    double(median(open)) / double(yardstick), median(judge), median(wrong));
    }
    std::printf("judging a wrong answer with its diagnosis read from the dictionary: slowest median %lld us; goal: "
                "under 2 ms: %s\n", slowestWrong, slowestWrong < 2000 ? "met" : "MISSED");
    std::printf("resident memory of the session: %ld KiB before the dictionary, %ld KiB with it loaded (+%ld KiB)\n",
                beforeDictionary, withDictionary, withDictionary - beforeDictionary);
    std::printf("%-8s %11s %12lld %9.1f   (an empty window as large, created and shown)\n", "empty", "", yardstick,
                1.0);

    progressTimes(menu);
    std::printf("slowest median opening %lld us; goal: every window within one 60 Hz frame (16667 us): %s\n", slowest,
                slowest <= 16667 ? "met" : "MISSED");
    navigator::end();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

// Says nothing: speech never starts.
struct Mute : Speaker {
    void say(const QString&) override {}
    void stop() override {}
    QString silence() const override { return {}; }
};

// Speech has a figure of its own (bench/speech.py, with a sound server):
// the session's windows are measured without it.
int session()
{
    Silent silent;
    setPrompter(&silent);
    Mute mute;
    setSpeaker(&mute);
    QWidget* menu = startToMenu();
    for (auto [button, name, close] : {std::tuple{"AniButton1", "h05d1", "Command3"},
                                       std::tuple{"AniButton3", "h05d1", "Command3"},
                                       std::tuple{"AniButton2", "h05d3", "Cerrar"},
                                       std::tuple{"AniButton4", "h05d5", "Command3"}}) {
        QWidget* w = openPainted(menu, button, name);
        menu = openPainted(w, close, "alap");
    }
    // The first exercise window asked for the dictionary: a session that ends
    // before it has loaded would not count it.
    feedback::Analyser::shared().waitUntilReady(30000);
    painted.names.clear();
    control<QAction>(menu, "mnuabout")->trigger();
    if (!waitFor([] { return painted.names.contains(QStringLiteral("sobre")); }))
        qFatal("no About window");
    press(window("sobre"), "Command1");
    press(menu, "Command1"); // "&End"
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

// Exercise 5 open with speech never started, then after the program's own
// speaker has said a few words: everything speech adds, its libraries
// included. Without the dictionary, which would load meanwhile.
int speechMemory()
{
    Silent silent;
    setPrompter(&silent);
    Mute mute;
    setSpeaker(&mute);
    openPainted(startToMenu(), "AniButton4", "h05d5");
    waitFor([] { return false; }, 1000);
    const long before = residentKiB();
    setSpeaker(nullptr);
    for (const char* text : {"lakik", "Kelenföldön", "Budapesten lakik. Kelenföldön bérel egy szép szobát."}) {
        speaker().say(QString::fromUtf8(text));
        waitFor([] { return false; }, 1500);
    }
    const long after = residentKiB();
    const QString silence = speaker().silence();
    std::printf("memory speech adds to exercise 5 (its libraries, the voice, the stream, its thread): %ld KiB "
                "(%ld KiB before, %ld KiB after three utterances%s); goal <= 5 MiB: %s\n",
                after - before, before, after, silence.isEmpty() ? "" : qPrintable(", but " + silence),
                after - before <= 5 * 1024 && silence.isEmpty() ? "met" : "MISSED");
    navigator::end();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

// Loading the voice once, then synthesising the longest sentence exercise 3
// accepts, 30 times: what a right answer costs before its first sample.
int voiceTimes()
{
    QElapsedTimer clock;
    clock.start();
    if (!voice::open()) {
        std::printf("the Hungarian voice is not installed (espeak-ng-data)\n");
        return 1;
    }
    const long long openUs = clock.nsecsElapsed() / 1000;
    QString longest;
    for (int item = 0; item < h05d3::itemCount; ++item) {
        std::vector<int> persons = h05d3::singular(item) ? std::vector{1, 2, 3} : std::vector{11, 22, 33};
        if (item < h05d3::basicCount)
            persons.push_back(h05d3::basicPerson(item));
        for (int code : persons)
            for (const QString& s : {h05d3::sentences(item, code).first, h05d3::sentences(item, code).second})
                if (s.size() > longest.size())
                    longest = s;
    }
    std::vector<long long> times;
    std::size_t samples = 0;
    for (int i = 0; i < 30; ++i) {
        clock.restart();
        samples = voice::synthesise(longest, false).size();
        times.push_back(clock.nsecsElapsed() / 1000);
    }
    std::printf("the voice loads in %lld us; \"%s\" (%.2f s of speech) synthesises in %lld us (median of 30)\n",
                openUs, qPrintable(longest), double(samples) / voice::sampleRate(), median(times));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Never the learner's own record.
    const QTemporaryDir home;
    const QByteArray data = qgetenv("LUMORA_BENCH_DATA");
    qputenv("XDG_DATA_HOME", data.isEmpty() ? home.path().toLocal8Bit() : data);
    QApplication app(argc, argv);
    const char* mode = argc > 1 ? argv[1] : "";
    app.installEventFilter(&painted);
    if (std::strcmp(mode, "windows") == 0)
        return windows();
    if (std::strcmp(mode, "progress") == 0) {
        Silent silent;
        setPrompter(&silent);
        progressTimes(startToMenu());
        navigator::end();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return 0;
    }
    if (std::strcmp(mode, "session") == 0)
        return session();
    if (std::strcmp(mode, "voice") == 0)
        return voiceTimes();
    if (std::strcmp(mode, "speech") == 0)
        return speechMemory();
    std::fprintf(stderr, "usage: %s session|windows|progress|voice|speech\n", argv[0]);
    return 2;
}
