#pragma once
#include "core/prompter.h"
#include "record/recorder.h"
#include "record/review.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QIODevice>
#include <QString>
#include <memory>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

struct sqlite3;

// The learner's record in an SQLite file, through SQLite's own interface;
// every SQL statement of the program is in store.cpp.
namespace lumora::record {

// What the progress window shows, read in one go.
struct History {
    struct FinishedRun {
        int exercise;
        Variant variant;
        QDateTime ended;
        int correct;
        int firstTry; // items right at the first try
    };
    // An item missed in basic, extended and review runs alike.
    struct Missed {
        int exercise;
        Words words;
        int misses;
        ReviewItem item; // the item and person, as the review names them
    };
    struct MistakeKind {
        int exercise;
        QString kind;
        int count;
    };
    std::vector<FinishedRun> finished;    // oldest first
    std::vector<qint64> practiceSeconds;  // by exercise number, 0 to 5
    std::vector<Missed> missed;           // by exercise, most missed first, then in item order
    std::vector<MistakeKind> kinds;       // by exercise, most frequent first
    int unreadable = 0;                   // rows left out: the program cannot show what they hold
};

class Statement; // one of SQLite's prepared statements (store.cpp)

class Store : public Recorder, public FirstTries {
public:
    // How opening the record went: a read-only record, a newer program's and
    // a link in place of the file or its folder are not written to.
    enum class Opened { Ok, ReadOnly, Newer, Link, Damaged, Unwritable };

    // Opens the record at path, creating it and its folder owner-only. A
    // damaged record is put aside and a new one started; a record that cannot
    // be written leaves the store silent, and one that can be read is still
    // shown and exported. Either is told once through prompter.
    Store(const QString& path, Prompter& prompter);
    ~Store() override;
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // $XDG_DATA_HOME/lumora/record.sqlite, once the application is named.
    static QString defaultPath();
    // The version of the record's layout this program writes.
    static constexpr int version = 3;

    bool writable() const { return ok; }

    void runStarted(int exercise, Variant variant) override;
    void answered(const Answer& answer) override;
    void runEnded(bool finished) override;

    History history() const;
    // The first answer to each item in each run, read from every answer.
    std::vector<FirstTry> firstTries() const override;
    // Where the missed items stand, as kept with the record.
    Boxes reviewBoxes() const override { return boxes; }
    // Every answer as CSV for a spreadsheet, to out; why it could not be
    // written, or nothing when it was.
    QString exportCsv(QIODevice& out) const;
    // The same into a file readable by its owner alone, which replaces the
    // old file only once it is whole.
    QString exportCsv(const QString& file) const;

private:
    // A run's start or end, or an answer, waiting to be written; each keeps
    // the time it happened.
    struct Write {
        enum class Kind { RunStarted, Answered, RunEnded } kind;
        QString at;
        Answer answer; // exercise and variant also for a run's start
        bool finished = false;
        // What the answer changes in the summary besides the counts.
        std::optional<std::pair<ReviewItem, Boxes::Place>> placed = std::nullopt;
        bool firstMissInRun = false;
    };

    // SQLite's result code.
    int connect(bool readOnly);
    Opened open();
    Opened prepare();
    // Makes the summary's tables, as temporary ones for a record that is not
    // written, and makes them again from the answers when they do not cover
    // them all or are to be remade; then reads the boxes.
    bool summarise(bool temporary, bool remake);
    bool summaryCovers();
    bool resummarise(bool temporary);
    // The statements and the connection go, so the file can be moved or freed.
    void close();
    // False when the damaged record cannot be moved.
    bool putAside();
    void tell(Opened opened);
    // Writes what waits, all of it or none.
    void flush();
    bool write(const Write& w, qint64& current);
    void waitForLock(int ms);
    History readHistory() const;

    QString path;
    sqlite3* db = nullptr; // while the record is open
    Prompter& prompter;
    bool ok = false;
    bool warned = false;
    bool behind = false; // the learner was told that answers wait to be written
    QElapsedTimer sinceFailure;
    bool runOpen = false;
    qint64 run = 0; // id of the open run in the record; 0 when none is open or it waits
    std::vector<Write> pending;
    std::unique_ptr<Statement> insertRun, insertAnswer, countAnswer, endRun, countMiss, countKind, countRunMiss,
        placeItem, cover;
    Boxes boxes;
    // The history last read, kept while nothing was written: a record of a
    // million answers takes tens of milliseconds to read.
    mutable std::optional<History> lastRead;
    mutable qint64 lastReadVersion = -1;
    std::set<std::tuple<int, Variant, int, int>> askedInRun; // items answered in the open run
    std::set<int> missedInRun;
};

} // namespace lumora::record
