#include "record/store.h"

#include "record/csv.h"
#include "record/lessonwords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora::record {
namespace {

// Version 1 kept bare answers; version 2 adds the runs, each answer's run
// and its kind of mistake; version 3 the words the learner saw. A new record
// is made as version 1 and migrated, so that every record takes the same path.
const char* const version1[] = {
    "CREATE TABLE answers (at TEXT NOT NULL, exercise INTEGER NOT NULL, variant TEXT NOT NULL, "
    "item INTEGER NOT NULL, person INTEGER NOT NULL, typed TEXT, correct INTEGER NOT NULL)",
    "PRAGMA user_version = 1",
};
const char* const version2[] = {
    "CREATE TABLE runs (id INTEGER PRIMARY KEY, exercise INTEGER NOT NULL, variant TEXT NOT NULL, "
    "started TEXT NOT NULL, ended TEXT, finished INTEGER NOT NULL DEFAULT 0, "
    "correct INTEGER NOT NULL DEFAULT 0, wrong INTEGER NOT NULL DEFAULT 0)",
    "ALTER TABLE answers ADD COLUMN mistake TEXT",
    "ALTER TABLE answers ADD COLUMN run INTEGER REFERENCES runs (id)",
    "CREATE INDEX answers_run ON answers (run)",
    // The progress window's counts read these indexes only.
    "CREATE INDEX answers_wrong ON answers (correct, exercise, variant, item, person, run)",
    "CREATE INDEX answers_mistake ON answers (mistake, exercise)",
    "PRAGMA user_version = 2",
};
const char* const version3[] = {
    "ALTER TABLE answers ADD COLUMN prompt TEXT",
    "ALTER TABLE answers ADD COLUMN person_word TEXT",
    "ALTER TABLE answers ADD COLUMN expected TEXT",
    // Only the answers still without their words: empty once they have them.
    "CREATE INDEX answers_unworded ON answers (exercise, variant, item, person) WHERE prompt IS NULL",
    "PRAGMA user_version = 3",
};

QString now() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs); }

// Seconds since 1970 of a time as the record writes it (2026-12-08T09:30:00.123Z),
// read by hand: QDateTime's parser is too slow for thousands of runs.
qint64 seconds(QStringView at)
{
    if (at.size() < 19)
        return 0;
    auto number = [at](int from, int length) { return at.mid(from, length).toInt(); };
    const QDate day(number(0, 4), number(5, 2), number(8, 2));
    return (day.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 86400 + number(11, 2) * 3600
           + number(14, 2) * 60 + number(17, 2);
}

Variant variantOf(const QString& name)
{
    if (name == QLatin1String("extended"))
        return Variant::Extended;
    if (name == QLatin1String("review"))
        return Variant::Review;
    return Variant::Basic;
}

// A time as the record writes it, in local time with its offset from UTC:
// 2026-12-08T10:30:00+01:00.
QString localTime(QStringView at)
{
    const QDateTime t = QDateTime::fromSecsSinceEpoch(seconds(at), Qt::LocalTime);
    const int minutes = std::abs(t.offsetFromUtc()) / 60;
    return t.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) + (t.offsetFromUtc() < 0 ? u'-' : u'+')
           + QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// Answers kept without their words (by version 2, or added by a tool) get
// them from the lesson's tables, once; an answer the lesson has no words for
// gets empty ones. The error that stopped it, if any.
QSqlError fillWords(QSqlDatabase& d)
{
    struct Key {
        int exercise;
        QString variant;
        int item;
        int person;
    };
    std::vector<Key> keys;
    QSqlQuery q(d);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT DISTINCT exercise, variant, item, person FROM answers WHERE prompt IS NULL")))
        return q.lastError();
    while (q.next())
        keys.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt()});
    q.finish();
    if (!q.prepare(QStringLiteral("UPDATE answers SET prompt = ?, person_word = ?, expected = ? WHERE prompt IS NULL "
                                  "AND exercise = ? AND variant = ? AND item = ? AND person = ?")))
        return q.lastError();
    for (const Key& k : keys) {
        const Words words = lessonWords(k.exercise, variantOf(k.variant), k.item, k.person);
        q.addBindValue(words.prompt.isNull() ? QStringLiteral("") : words.prompt); // filled, even if empty
        q.addBindValue(words.person);
        q.addBindValue(words.expected);
        q.addBindValue(k.exercise);
        q.addBindValue(k.variant);
        q.addBindValue(k.item);
        q.addBindValue(k.person);
        if (!q.exec())
            return q.lastError();
    }
    return {};
}

// SQLite's "not a database" and "malformed": the file is damaged. Any other
// failure (full disk, no permission, locked too long) is no fault of the file.
bool damaging(const QSqlError& e)
{
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
}

// The folder owner-only whatever the umask: made 0700, then set so.
bool privateFolder(const QString& dir)
{
    const QByteArray name = QFile::encodeName(dir);
    if (!QFileInfo::exists(dir)) {
        if (!QDir().mkpath(QFileInfo(dir).absolutePath()))
            return false;
        // Another copy of the program may make it at the same moment.
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            return false;
        if (::chmod(name.constData(), 0700) != 0)
            return false;
    }
    // An older folder loses what others could do with it, and nothing else.
    struct stat s {};
    if (::stat(name.constData(), &s) != 0 || (s.st_mode & 077 && ::chmod(name.constData(), s.st_mode & 0700) != 0))
        return false;
    return QFileInfo(dir).isWritable();
}

// A new record file owned by the learner alone; SQLite gives its journal
// files the same mode.
bool privateFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno == EEXIST; // made by another copy at the same moment
    const bool set = ::fchmod(fd, 0600) == 0;
    ::close(fd);
    return set;
}

} // namespace

bool History::empty() const
{
    return finished.empty() && missed.empty() && kinds.empty()
           && std::all_of(practiceSeconds.begin(), practiceSeconds.end(), [](qint64 s) { return s == 0; });
}

QString Store::defaultPath()
{
    // Not AppDataLocation: that puts the organisation's folder in between.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/'
           + QCoreApplication::applicationName() + QStringLiteral("/record.sqlite");
}

Store::Store(const QString& path, Prompter& prompter)
    : path(path), connection(QStringLiteral("record-%1").arg(quintptr(this))), prompter(prompter)
{
    Opened opened = open();
    if (opened == Opened::Damaged) {
        putAside();
        opened = open();
    }
    ok = opened == Opened::Ok;
    if (!ok)
        failed();
}

Store::~Store()
{
    warned = true; // at the end there is no one left to tell
    runEnded(false);
    close();
}

void Store::close()
{
    insertRun.reset();
    insertAnswer.reset();
    countAnswer.reset();
    endRun.reset();
    if (QSqlDatabase::contains(connection)) {
        db().close();
        QSqlDatabase::removeDatabase(connection);
    }
}

QSqlDatabase Store::db() const { return QSqlDatabase::database(connection, false); }

Store::Opened Store::open()
{
    if (!privateFolder(QFileInfo(path).absolutePath()))
        return Opened::Unwritable;
    const QFileInfo file(path);
    if (file.exists() && !file.isFile())
        return Opened::Damaged;
    if (!file.exists() && !privateFile(path))
        return Opened::Unwritable;
    if (struct stat s {}; ::stat(QFile::encodeName(path).constData(), &s) == 0 && s.st_mode & 077)
        ::chmod(QFile::encodeName(path).constData(), s.st_mode & 0600);

    QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    d.setDatabaseName(path);
    // A second copy of the program waits for the first one's write.
    d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!d.open())
        return damaging(d.lastError()) ? Opened::Damaged : Opened::Unwritable;
    QSqlQuery check(d);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")))
        return damaging(check.lastError()) ? Opened::Damaged : Opened::Unwritable;
    if (!check.next() || check.value(0).toString() != QLatin1String("ok"))
        return Opened::Damaged;
    check.finish();
    return prepare();
}

Store::Opened Store::prepare()
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    auto failure = [&] {
        const Opened opened = damaging(q.lastError()) ? Opened::Damaged : Opened::Unwritable;
        q.exec(QStringLiteral("ROLLBACK"));
        return opened;
    };

    // WAL: a write is one append, and a kill in the middle of it loses only
    // that write. NORMAL syncs at checkpoints, which a killed program survives.
    // Switching to WAL needs the file to itself, and SQLite does not wait for
    // that: a second copy starting at the same moment tries again.
    for (int attempt = 0; !q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !q.next()
                          || q.value(0).toString() != QLatin1String("wal");
         ++attempt) {
        if (attempt == 100)
            return failure();
        QThread::msleep(20);
    }
    q.finish();
    if (!q.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
        return failure();

    // Read and migrate under the write lock: a second copy starting at the
    // same moment waits, then finds the record migrated.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")) || !q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return failure();
    const int found = q.value(0).toInt();
    q.finish();
    if (found > version) {
        q.exec(QStringLiteral("ROLLBACK"));
        return Opened::Unwritable; // a newer Lumora's record: leave it as it is
    }
    if (found < 1)
        for (const char* sql : version1)
            if (!q.exec(QLatin1String(sql)))
                return failure();
    if (found < 2)
        for (const char* sql : version2)
            if (!q.exec(QLatin1String(sql)))
                return failure();
    if (found < 3)
        for (const char* sql : version3)
            if (!q.exec(QLatin1String(sql)))
                return failure();
    if (const QSqlError e = fillWords(d); e.isValid()) {
        q.exec(QStringLiteral("ROLLBACK"));
        return damaging(e) ? Opened::Damaged : Opened::Unwritable;
    }
    if (!q.exec(QStringLiteral("COMMIT")))
        return failure();

    insertRun.emplace(d);
    insertAnswer.emplace(d);
    countAnswer.emplace(d);
    endRun.emplace(d);
    const bool prepared =
        insertRun->prepare(QStringLiteral("INSERT INTO runs (exercise, variant, started) VALUES (?, ?, ?)"))
        && insertAnswer->prepare(QStringLiteral(
            "INSERT INTO answers (at, exercise, variant, item, person, typed, correct, mistake, run, "
            "prompt, person_word, expected) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
        && countAnswer->prepare(
            QStringLiteral("UPDATE runs SET correct = correct + ?, wrong = wrong + ? WHERE id = ?"))
        && endRun->prepare(QStringLiteral("UPDATE runs SET ended = ?, finished = ? WHERE id = ?"));
    return prepared ? Opened::Ok : Opened::Unwritable;
}

void Store::putAside()
{
    close();
    const QString aside =
        path + QStringLiteral(".damaged-") + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QDir().rename(path, aside); // a file, or a folder in its place
    // A journal left beside a new record would be played into it.
    for (const char* journal : {"-wal", "-shm"})
        QDir().rename(path + QLatin1String(journal), aside + QLatin1String(journal));
    prompter.message(QStringLiteral("Your record of answers was damaged. Lumora has put it aside as\n%1\n"
                                    "and starts a new record now.")
                         .arg(QDir::toNativeSeparators(aside)),
                     QStringLiteral("Lumora"), Icon::Information);
}

void Store::failed()
{
    // Once per program start; the exercises go on without the record.
    if (warned)
        return;
    warned = true;
    prompter.message(QStringLiteral("Lumora cannot write your record of answers in\n%1\n"
                                    "The exercises work as usual, but today's answers will not be kept.")
                         .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())),
                     QStringLiteral("Lumora"), Icon::Exclamation);
}

void Store::runStarted(int exercise, Variant variant)
{
    runEnded(false);
    askedInRun.clear();
    if (!ok)
        return;
    insertRun->addBindValue(exercise);
    insertRun->addBindValue(variantName(variant));
    insertRun->addBindValue(now());
    if (!insertRun->exec()) {
        failed();
        return;
    }
    run = insertRun->lastInsertId().toLongLong();
}

void Store::answered(const Answer& a)
{
    if (!ok)
        return;
    QSqlDatabase d = db();
    // The answer and its run's counts together, or neither.
    if (!d.transaction()) {
        failed();
        return;
    }
    insertAnswer->addBindValue(now());
    insertAnswer->addBindValue(a.exercise);
    insertAnswer->addBindValue(variantName(a.variant));
    insertAnswer->addBindValue(a.item);
    insertAnswer->addBindValue(a.person);
    insertAnswer->addBindValue(a.typed ? QVariant(*a.typed) : QVariant(QMetaType::fromType<QString>()));
    insertAnswer->addBindValue(a.correct ? 1 : 0);
    insertAnswer->addBindValue(a.mistake.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(a.mistake));
    insertAnswer->addBindValue(run ? QVariant(run) : QVariant(QMetaType::fromType<qlonglong>()));
    // Without words (none were given) the answer gets them from the lesson at the next start.
    insertAnswer->addBindValue(a.words.prompt.isEmpty() ? QVariant(QMetaType::fromType<QString>())
                                                         : QVariant(a.words.prompt));
    insertAnswer->addBindValue(a.words.person);
    insertAnswer->addBindValue(a.words.expected);
    countAnswer->addBindValue(a.correct ? 1 : 0);
    countAnswer->addBindValue(a.correct ? 0 : 1);
    countAnswer->addBindValue(run);
    if (!insertAnswer->exec() || !countAnswer->exec() || !d.commit()) {
        d.rollback();
        failed();
        return;
    }
    if (askedInRun.insert({a.exercise, a.variant, a.item, a.person}).second && tries)
        tries->push_back(firstTry(a.exercise, variantName(a.variant), a.item, a.person, a.correct));
}

void Store::runEnded(bool finished)
{
    if (!ok || run == 0)
        return;
    endRun->addBindValue(now());
    endRun->addBindValue(finished ? 1 : 0);
    endRun->addBindValue(run);
    run = 0;
    if (!endRun->exec())
        failed();
}

History Store::history() const
{
    History h;
    h.practiceSeconds.assign(6, 0);
    if (!QSqlDatabase::contains(connection))
        return h;
    const QSqlDatabase d = db();
    QSqlQuery q(d);
    q.setForwardOnly(true);

    // First try: in a finished run every item is answered right once, so the
    // items right at the first try are those with no wrong answer.
    QHash<qint64, int> missedItems;
    q.exec(QStringLiteral("SELECT run, COUNT(DISTINCT item) FROM answers WHERE correct = 0 GROUP BY run"));
    while (q.next())
        missedItems.insert(q.value(0).toLongLong(), q.value(1).toInt());

    // A run that was never ended (the program was killed) lasted until its last answer.
    QHash<qint64, QString> lastAnswer;
    q.exec(QStringLiteral("SELECT r.id, MAX(a.at) FROM runs r JOIN answers a ON a.run = r.id "
                          "WHERE r.ended IS NULL GROUP BY r.id"));
    while (q.next())
        lastAnswer.insert(q.value(0).toLongLong(), q.value(1).toString());

    q.exec(QStringLiteral("SELECT id, exercise, variant, started, ended, finished, correct FROM runs ORDER BY ended"));
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        const int exercise = q.value(1).toInt();
        const QString ended = q.value(4).isNull() ? lastAnswer.value(id) : q.value(4).toString();
        if (exercise >= 1 && exercise <= 5 && !ended.isEmpty())
            h.practiceSeconds[exercise] += std::max<qint64>(0, seconds(ended) - seconds(q.value(3).toString()));
        if (q.value(5).toInt() != 1)
            continue;
        const int correct = q.value(6).toInt();
        h.finished.push_back({exercise, variantOf(q.value(2).toString()),
                              QDateTime::fromSecsSinceEpoch(seconds(ended), Qt::UTC), correct,
                              std::max(0, correct - missedItems.value(id))});
    }

    // A review answer names the item it reviews: the misses of both are one row.
    std::map<ReviewItem, History::Missed> missed;
    q.exec(QStringLiteral("SELECT exercise, variant, item, person, COUNT(*), MAX(prompt), MAX(person_word), "
                          "MAX(expected) FROM answers WHERE correct = 0 GROUP BY exercise, variant, item, person"));
    while (q.next()) {
        const int exercise = q.value(0).toInt();
        const ReviewItem item =
            firstTry(exercise, q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt(), false).item;
        History::Missed& m = missed.try_emplace(item, History::Missed{exercise, {}, 0}).first->second;
        m.misses += q.value(4).toInt();
        m.words = {q.value(5).toString(), q.value(6).toString(), q.value(7).toString()};
    }
    std::vector<std::pair<ReviewItem, History::Missed>> byCount(missed.begin(), missed.end());
    std::stable_sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first.exercise, b.second.misses) < std::tie(b.first.exercise, a.second.misses);
    });
    for (const auto& [item, m] : byCount)
        h.missed.push_back(m);

    q.exec(QStringLiteral("SELECT exercise, mistake, COUNT(*) AS times FROM answers WHERE mistake IS NOT NULL "
                          "GROUP BY exercise, mistake ORDER BY exercise, times DESC, mistake"));
    while (q.next())
        h.kinds.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt()});
    return h;
}

std::vector<FirstTry> Store::firstTries() const
{
    if (tries)
        return *tries;
    std::vector<FirstTry> read;
    if (!QSqlDatabase::contains(connection))
        return read;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    // Oldest first, as the boxes are replayed.
    if (!q.exec(QStringLiteral(
            "SELECT exercise, variant, item, person, correct FROM ("
            "SELECT exercise, variant, item, person, correct, at, run, "
            // A right answer ends an item's turn: in the same millisecond a wrong one came first.
            "ROW_NUMBER() OVER (PARTITION BY run, exercise, variant, item, person ORDER BY at, correct) AS n "
            "FROM answers"
            ") firsts WHERE n = 1 ORDER BY at, run")))
        return read;
    while (q.next())
        read.push_back(firstTry(q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt(),
                                q.value(4).toInt() == 1));
    tries = read;
    return read;
}

bool Store::exportCsv(const QString& file) const
{
    QFile out(file);
    if (!QSqlDatabase::contains(connection) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT at, exercise, variant, item, person, prompt, person_word, expected, typed, "
                               "correct, mistake, run FROM answers ORDER BY at")))
        return false;
    // The byte-order mark tells a spreadsheet that the text is UTF-8, so the
    // accents show as they are.
    QString text = QChar(0xFEFF)
                   + csvLine({QStringLiteral("at"), QStringLiteral("exercise"), QStringLiteral("variant"),
                              QStringLiteral("item"), QStringLiteral("prompt"), QStringLiteral("person"),
                              QStringLiteral("expected"), QStringLiteral("typed"), QStringLiteral("how"),
                              QStringLiteral("correct"), QStringLiteral("mistake"), QStringLiteral("run")});
    while (q.next()) {
        const int exercise = q.value(1).toInt();
        const QString variant = q.value(2).toString();
        // Counted from 1, and an extended pair of a review run by its verb.
        const int item = firstTry(exercise, variant, q.value(3).toInt(), q.value(4).toInt(), false).item.item + 1;
        const bool solution = q.value(8).isNull();
        text += csvLine({localTime(q.value(0).toString()), QString::number(exercise), variant, QString::number(item),
                         q.value(5).toString(), q.value(6).toString(), q.value(7).toString(), q.value(8).toString(),
                         solution ? QStringLiteral("solution") : QStringLiteral("typed"), q.value(9).toString(),
                         q.value(10).toString(), q.value(11).toString()});
    }
    return out.write(text.toUtf8()) >= 0 && out.flush();
}

} // namespace lumora::record
