#pragma once
#include "recording.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <random>
#include <vector>

class QWidget;

namespace lumora::test {

// The program's draws from a seeded engine, so that a walk can be repeated.
// Installed for its lifetime.
class SeededRandom : public Random {
public:
    explicit SeededRandom(unsigned seed);
    ~SeededRandom() override;
    double next() override;

private:
    std::mt19937_64 engine;
};

// A random learner. Each step is one event on the open windows, chosen among
// what a person could do there: click a button, a picture or a menu item,
// choose in a combo box, press an access key, Enter or Tab, type keys (the
// translated ones too) or paste any text into a field. Now and then it
// settles down to work and answers right for a while (it asks the window for
// the solution first), so that runs reach their end. Message boxes go to the
// recording prompter, so none ever waits for a click; now and then a real box
// opens, and while it is open a window closes or the program ends.
class Walker {
public:
    Walker(unsigned seed, RecordingPrompter& prompter);

    // Performs one event and says what it was.
    QString step();
    // The first rule the open windows break, or an empty text.
    QString broken() const;
    // "&End" has ended the program.
    bool ended() const;
    // Starts the program again, with the shared state of a new process.
    void restart();

    // The most recent events, the last one last: enough to show how a
    // failure came about, a run of 46 answers and what led to it.
    static constexpr int remembered = 200;
    QStringList recent;
    // How many runs reached their end, by window name.
    QMap<QString, int> finishedRuns;

private:
    struct Event {
        QString what;
        std::function<void()> act;
    };
    int pick(int n);
    bool chance(double p);
    QString randomText();
    QString typedKeys();
    std::vector<Event> events(const QString& kind);
    std::vector<Event> answers();
    void underBox(const std::function<void()>& open);

    std::mt19937 engine;
    RecordingPrompter& prompter;
    int diligent = 0;   // events left in which the learner mostly answers right
    QStringList before; // the menu or exercise window open before the last event
    QString underBoxDone; // what was done under the last event's box
};

} // namespace lumora::test
