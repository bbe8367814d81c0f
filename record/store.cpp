#include "record/store.h"

#include "record/csv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSqlError>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <cerrno>
#include <cstdio> // rename, renameat2
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora::record {
namespace {

// Version 1 kept bare answers; version 2 adds the runs, each answer's run
// and its kind of mistake. A new record is made as version 1 and migrated,
// so that every record takes the same path.
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

// How long a write waits for another program's (a second copy's) write.
constexpr int lockWait = 2000;
// After a failed write, how long the answers wait before the next try.
constexpr int retryMs = 1000;

QString now() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs); }

// The longest text kept of what was typed or of a kind of mistake: no answer
// of the lesson comes near it, and a pasted book stays out of the record.
constexpr int typedLimit = 500;
constexpr int kindLimit = 40;
// A run counts at most this long as practice: a window left open is not.
constexpr qint64 longestRun = 24 * 3600;

// Every value read from the record is checked before it is used: the file
// may hold anything, in any column. Nothing marks a value that fails.

// An integer within [low, high].
std::optional<qint64> whole(const QVariant& v, qint64 low, qint64 high)
{
    if (v.typeId() != QMetaType::LongLong && v.typeId() != QMetaType::Int)
        return std::nullopt;
    const qint64 n = v.toLongLong();
    return n >= low && n <= high ? std::optional(n) : std::nullopt;
}

std::optional<int> exerciseOf(const QVariant& v)
{
    const std::optional<qint64> n = whole(v, 1, 5);
    return n && *n != 4 ? std::optional(int(*n)) : std::nullopt;
}

std::optional<Variant> variantOf(const QVariant& v)
{
    for (Variant variant : {Variant::Basic, Variant::Extended, Variant::Review})
        if (v.typeId() == QMetaType::QString && v.toString() == variantName(variant))
            return variant;
    return std::nullopt;
}

// Seconds since 1970 of a time as the record writes it (2026-12-08T09:30:00.123Z),
// read by hand: QDateTime's parser is too slow for thousands of runs.
std::optional<qint64> seconds(const QVariant& v)
{
    const QString at = v.typeId() == QMetaType::QString ? v.toString() : QString();
    if (at.size() < 19 || at[4] != u'-' || at[7] != u'-' || at[10] != u'T' || at[13] != u':' || at[16] != u':')
        return std::nullopt;
    auto number = [&at](int from, int length) {
        bool digits = true;
        for (int i = from; i < from + length; ++i)
            digits = digits && at[i].isDigit() && at[i].unicode() < 128;
        return digits ? at.mid(from, length).toInt() : -1;
    };
    const QDate day(number(0, 4), number(5, 2), number(8, 2));
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (!day.isValid() || day.year() < 1970 || !QTime::isValid(hour, minute, second, 0))
        return std::nullopt;
    return (day.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 86400 + hour * 3600 + minute * 60 + second;
}

// Writes all of it; the reason when it cannot. A write cut short (the file
// reached a size limit) is tried on, so that the next one says why.
QString writeAll(QIODevice& out, const QByteArray& bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = out.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return out.errorString();
        done += written;
    }
    return {};
}

// An answer's item as the review and the progress window name it, when the
// lesson has it.
std::optional<ReviewItem> itemOf(const QVariant& exercise, const QVariant& variant, const QVariant& item,
                                 const QVariant& person)
{
    const std::optional<int> e = exerciseOf(exercise);
    const std::optional<Variant> v = variantOf(variant);
    const std::optional<qint64> i = whole(item, 0, 1000), p = whole(person, 0, 1000);
    if (!e || !v || !i || !p)
        return std::nullopt;
    const ReviewItem asked = firstTry(*e, variantName(*v), int(*i), int(*p), false).item;
    return known(asked) ? std::optional(asked) : std::nullopt;
}

// SQLite's "not a database" and "malformed": the file is damaged. Any other
// failure (full disk, no permission, locked too long) is no fault of the file.
bool damaging(const QSqlError& e)
{
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
}

// The folder and the file of the record are opened without following a
// link in their place: a link may lead to any of the learner's folders or
// files, whose mode the record would change and into which it would write.
constexpr int noLink = O_NOFOLLOW | O_CLOEXEC;

// Why such an opening failed: a link, or whatever else.
Store::Opened refused(const QByteArray& name)
{
    struct stat s {};
    return ::lstat(name.constData(), &s) == 0 && S_ISLNK(s.st_mode) ? Store::Opened::Link : Store::Opened::Unwritable;
}

// The folder, owner-only whatever the umask; its parent (XDG_DATA_HOME)
// may be a link.
Store::Opened privateFolder(const QString& dir)
{
    const QByteArray name = QFile::encodeName(dir);
    if (!QDir().mkpath(QFileInfo(dir).absolutePath()))
        return Store::Opened::Unwritable;
    // Another copy of the program may make it at the same moment.
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return Store::Opened::Unwritable;
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | noLink);
    if (fd < 0)
        return refused(name);
    // An older folder loses what others could do with it, and nothing else.
    struct stat s {};
    const bool owned = ::fstat(fd, &s) == 0 && (!(s.st_mode & 077) || ::fchmod(fd, s.st_mode & 0700) == 0);
    ::close(fd);
    return owned && ::access(name.constData(), W_OK | X_OK) == 0 ? Store::Opened::Ok : Store::Opened::Unwritable;
}

// The record file, owner-only whatever the umask (SQLite gives its journal
// files the same mode), or read-only when the learner cannot write it.
// Whatever else stands in its place (a folder, a pipe) is damage.
Store::Opened privateFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NONBLOCK | noLink, 0600);
    const bool readOnly = fd < 0 && (errno == EACCES || errno == EROFS);
    if (readOnly)
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | noLink);
    if (fd < 0)
        return errno == EISDIR ? Store::Opened::Damaged : refused(name);
    struct stat s {};
    Store::Opened opened = Store::Opened::Ok;
    if (::fstat(fd, &s) != 0)
        opened = Store::Opened::Unwritable;
    else if (!S_ISREG(s.st_mode))
        opened = Store::Opened::Damaged;
    else if (readOnly)
        opened = Store::Opened::ReadOnly;
    else if (s.st_mode & 077 && ::fchmod(fd, s.st_mode & 0600) != 0)
        opened = Store::Opened::Unwritable;
    ::close(fd);
    return opened;
}

} // namespace

bool History::empty() const
{
    return finished.empty() && missed.empty() && kinds.empty()
           && std::all_of(practiceSeconds.begin(), practiceSeconds.end(), [](qint64 s) { return s == 0; });
}

QString Store::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/record.sqlite");
}

Store::Store(const QString& path, Prompter& prompter)
    : path(path), connection(QStringLiteral("record-%1").arg(quintptr(this))), prompter(prompter)
{
    Opened opened = open();
    if (opened == Opened::Damaged && putAside())
        opened = open();
    ok = opened == Opened::Ok;
    if (!ok)
        tell(opened);
}

Store::~Store()
{
    warned = true; // at the end there is no one left to tell
    runEnded(false);
    if (behind) {
        waitForLock(lockWait); // the last chance for what waits
        sinceFailure.invalidate();
        flush();
    }
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

bool Store::connect(bool readOnly)
{
    close();
    QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    d.setDatabaseName(path);
    // A second copy of the program waits for the first one's write.
    d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(lockWait)
                        + (readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
    return d.open();
}

Store::Opened Store::open()
{
    if (const Opened folder = privateFolder(QFileInfo(path).absolutePath()); folder != Opened::Ok)
        return folder;
    const Opened file = privateFile(path);
    if (file != Opened::Ok && file != Opened::ReadOnly)
        return file;

    // Looked at without writing first: a newer program's record stays exactly as it is.
    if (!connect(true))
        return damaging(db().lastError()) ? Opened::Damaged : Opened::Unwritable;
    {
        QSqlQuery check(db());
        if (!check.exec(QStringLiteral("PRAGMA quick_check")))
            return damaging(check.lastError()) ? Opened::Damaged : Opened::Unwritable;
        if (!check.next() || check.value(0).toString() != QLatin1String("ok"))
            return Opened::Damaged;
        check.finish();
        if (!check.exec(QStringLiteral("PRAGMA user_version")) || !check.next())
            return damaging(check.lastError()) ? Opened::Damaged : Opened::Unwritable;
        if (check.value(0).toInt() > version)
            return Opened::Newer;
    }
    if (file == Opened::ReadOnly)
        return file;
    if (!connect(false))
        return damaging(db().lastError()) ? Opened::Damaged : Opened::Unwritable;
    const Opened prepared = prepare();
    return prepared == Opened::Newer && !connect(true) ? Opened::Unwritable : prepared;
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
    if (found > version) { // a newer program has just migrated it
        q.exec(QStringLiteral("ROLLBACK"));
        return Opened::Newer;
    }
    if (found < 1)
        for (const char* sql : version1)
            if (!q.exec(QLatin1String(sql)))
                return failure();
    if (found < 2)
        for (const char* sql : version2)
            if (!q.exec(QLatin1String(sql)))
                return failure();
    if (!q.exec(QStringLiteral("COMMIT")))
        return failure();

    insertRun.emplace(d);
    insertAnswer.emplace(d);
    countAnswer.emplace(d);
    endRun.emplace(d);
    const bool prepared =
        insertRun->prepare(QStringLiteral("INSERT INTO runs (exercise, variant, started) VALUES (?, ?, ?)"))
        && insertAnswer->prepare(QStringLiteral(
            "INSERT INTO answers (at, exercise, variant, item, person, typed, correct, mistake, run) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"))
        && countAnswer->prepare(
            QStringLiteral("UPDATE runs SET correct = correct + ?, wrong = wrong + ? WHERE id = ?"))
        && endRun->prepare(QStringLiteral("UPDATE runs SET ended = ?, finished = ? WHERE id = ?"));
    return prepared ? Opened::Ok : Opened::Unwritable;
}

bool Store::putAside()
{
    close();
    // Under a name no file has yet: an earlier damaged record keeps its own.
    const QString stamp =
        path + QStringLiteral(".damaged-") + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stamp;
    for (int n = 2; ::renameat2(AT_FDCWD, QFile::encodeName(path).constData(), AT_FDCWD,
                                QFile::encodeName(aside).constData(), RENAME_NOREPLACE) != 0;
         ++n) {
        if (errno != EEXIST || n > 1000)
            return false;
        aside = stamp + QStringLiteral("-%1").arg(n);
    }
    // A journal left beside a new record would be played into it.
    for (const char* journal : {"-wal", "-shm"})
        ::rename(QFile::encodeName(path + QLatin1String(journal)).constData(),
                 QFile::encodeName(aside + QLatin1String(journal)).constData());
    prompter.message(QStringLiteral("Your record of answers was damaged. Lumora has put it aside as\n%1\n"
                                    "and starts a new record now.")
                         .arg(QDir::toNativeSeparators(aside)),
                     QStringLiteral("Lumora"), Icon::Information);
    return true;
}

void Store::tell(Opened opened)
{
    // Once per program start; the exercises go on without the record.
    if (warned)
        return;
    warned = true;
    const QString file = QDir::toNativeSeparators(path);
    const QString notKept = QStringLiteral("The exercises work as usual, but today's answers will not be kept.");
    QString text;
    switch (opened) {
    case Opened::Newer:
        text = QStringLiteral("Your record of answers\n%1\nwas written by a newer version of Lumora. This version "
                              "shows it but leaves it as it is.\n")
                   .arg(file);
        break;
    case Opened::ReadOnly:
        text = QStringLiteral("Lumora can read your record of answers\n%1\nbut may not write to it.\n").arg(file);
        break;
    case Opened::Link:
        text = QStringLiteral("Your record of answers\n%1\nor its folder is a link to another place. Lumora does "
                              "not follow it and leaves it alone.\n")
                   .arg(file);
        break;
    default:
        text = QStringLiteral("Lumora cannot write your record of answers in\n%1\n")
                   .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    }
    prompter.message(text + notKept, QStringLiteral("Lumora"), Icon::Exclamation);
}

void Store::runStarted(int exercise, Variant variant)
{
    runEnded(false);
    askedInRun.clear();
    if (!ok)
        return;
    pending.push_back({Write::Kind::RunStarted, now(), {exercise, variant, 0, 0, std::nullopt, false, {}}});
    runOpen = true;
    flush();
}

void Store::answered(const Answer& a)
{
    if (!ok)
        return;
    pending.push_back({Write::Kind::Answered, now(), a});
    flush();
    if (askedInRun.insert({a.exercise, a.variant, a.item, a.person}).second && tries)
        tries->push_back(firstTry(a.exercise, variantName(a.variant), a.item, a.person, a.correct));
}

void Store::runEnded(bool finished)
{
    if (!ok || !runOpen)
        return;
    runOpen = false;
    pending.push_back({Write::Kind::RunEnded, now(), {}, finished});
    flush();
}

void Store::flush()
{
    // What waits is written whole each time: on a full disk, not with every answer.
    if (pending.empty() || (behind && sinceFailure.isValid() && sinceFailure.elapsed() < retryMs))
        return;
    QSqlDatabase d = db();
    qint64 current = run;
    bool written = d.transaction();
    for (auto w = pending.begin(); written && w != pending.end(); ++w)
        written = write(*w, current);
    if (written && d.commit()) {
        pending.clear();
        run = current;
        if (behind) {
            behind = false;
            waitForLock(lockWait);
            if (!warned)
                prompter.message(QStringLiteral("Lumora has now saved the answers it could not write before."),
                                 QStringLiteral("Lumora"), Icon::Information);
        }
        return;
    }
    // Nothing of it was written: what waits is tried again, from the start,
    // with a later answer.
    d.rollback();
    for (auto* q : {&insertRun, &insertAnswer, &countAnswer, &endRun})
        (*q)->finish();
    sinceFailure.start();
    if (!behind) {
        behind = true;
        // Another program may hold the record for long: the next tries do not wait for it.
        waitForLock(0);
        if (!warned)
            prompter.message(QStringLiteral("Lumora cannot write your answers to\n%1\njust now. It keeps them "
                                            "and writes them with your next answer.")
                                 .arg(QDir::toNativeSeparators(path)),
                             QStringLiteral("Lumora"), Icon::Exclamation);
    }
}

bool Store::write(const Write& w, qint64& current)
{
    const Answer& a = w.answer;
    const QVariant none = QVariant(QMetaType::fromType<QString>());
    switch (w.kind) {
    case Write::Kind::RunStarted:
        insertRun->bindValue(0, a.exercise);
        insertRun->bindValue(1, variantName(a.variant));
        insertRun->bindValue(2, w.at);
        if (!insertRun->exec())
            return false;
        current = insertRun->lastInsertId().toLongLong();
        return true;
    case Write::Kind::Answered:
        insertAnswer->bindValue(0, w.at);
        insertAnswer->bindValue(1, a.exercise);
        insertAnswer->bindValue(2, variantName(a.variant));
        insertAnswer->bindValue(3, a.item);
        insertAnswer->bindValue(4, a.person);
        insertAnswer->bindValue(5, a.typed ? QVariant(a.typed->left(typedLimit)) : none);
        insertAnswer->bindValue(6, a.correct ? 1 : 0);
        insertAnswer->bindValue(7, a.mistake.isEmpty() ? none : QVariant(a.mistake.left(kindLimit)));
        insertAnswer->bindValue(8, current ? QVariant(current) : QVariant(QMetaType::fromType<qlonglong>()));
        countAnswer->bindValue(0, a.correct ? 1 : 0);
        countAnswer->bindValue(1, a.correct ? 0 : 1);
        countAnswer->bindValue(2, current);
        return insertAnswer->exec() && countAnswer->exec();
    case Write::Kind::RunEnded:
        endRun->bindValue(0, w.at);
        endRun->bindValue(1, w.finished ? 1 : 0);
        endRun->bindValue(2, current);
        current = 0;
        return endRun->exec();
    }
    return false;
}

void Store::waitForLock(int ms)
{
    QSqlQuery(db()).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(ms));
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
    QHash<qint64, qint64> missedItems;
    q.exec(QStringLiteral("SELECT run, COUNT(DISTINCT item) FROM answers WHERE correct = 0 GROUP BY run"));
    while (q.next())
        missedItems.insert(q.value(0).toLongLong(), q.value(1).toLongLong());

    // A run that was never ended (the program was killed) lasted until its last answer.
    QHash<qint64, QVariant> lastAnswer;
    q.exec(QStringLiteral("SELECT r.id, MAX(a.at) FROM runs r JOIN answers a ON a.run = r.id "
                          "WHERE r.ended IS NULL GROUP BY r.id"));
    while (q.next())
        lastAnswer.insert(q.value(0).toLongLong(), q.value(1));

    q.exec(QStringLiteral("SELECT id, exercise, variant, started, ended, finished, correct FROM runs ORDER BY ended"));
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        const bool unended = q.value(4).isNull();
        if (unended && !lastAnswer.contains(id))
            continue; // started, never answered
        const std::optional<int> exercise = exerciseOf(q.value(1));
        const std::optional<Variant> variant = variantOf(q.value(2));
        const std::optional<qint64> started = seconds(q.value(3));
        const std::optional<qint64> ended = seconds(unended ? lastAnswer.value(id) : q.value(4));
        const std::optional<qint64> finished = whole(q.value(5), 0, 1);
        const std::optional<qint64> correct = whole(q.value(6), 0, 1000000);
        if (!exercise || !variant || !started || !ended || *ended < *started || !finished || !correct) {
            ++h.unreadable;
            continue;
        }
        h.practiceSeconds[*exercise] += std::min(*ended - *started, longestRun);
        if (*finished == 1)
            h.finished.push_back({*exercise, *variant, QDateTime::fromSecsSinceEpoch(*ended, Qt::UTC), int(*correct),
                                  int(std::max<qint64>(0, *correct - missedItems.value(id)))});
    }

    q.exec(QStringLiteral("SELECT exercise, variant, item, person, COUNT(*) AS misses FROM answers "
                          "WHERE correct = 0 GROUP BY exercise, variant, item, person "
                          "ORDER BY exercise, misses DESC, item"));
    while (q.next()) {
        const std::optional<ReviewItem> item = itemOf(q.value(0), q.value(1), q.value(2), q.value(3));
        if (!item) {
            ++h.unreadable;
            continue;
        }
        h.missed.push_back({item->exercise, *variantOf(q.value(1)), q.value(2).toInt(), item->person,
                            q.value(4).toInt()});
    }

    q.exec(QStringLiteral("SELECT exercise, substr(mistake, 1, %1) AS kind, COUNT(*) AS times FROM answers "
                          "WHERE mistake IS NOT NULL GROUP BY exercise, kind ORDER BY exercise, times DESC, kind")
               .arg(kindLimit));
    while (q.next()) {
        const std::optional<int> exercise = exerciseOf(q.value(0));
        if (!exercise || q.value(1).typeId() != QMetaType::QString) {
            ++h.unreadable;
            continue;
        }
        h.kinds.push_back({*exercise, q.value(1).toString(), q.value(2).toInt()});
    }
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
    while (q.next()) {
        const std::optional<ReviewItem> item = itemOf(q.value(0), q.value(1), q.value(2), q.value(3));
        const std::optional<qint64> correct = whole(q.value(4), 0, 1);
        if (item && correct)
            read.push_back({*item, *correct == 1, *variantOf(q.value(1)) == Variant::Review});
    }
    tries = read;
    return read;
}

QString Store::exportCsv(QIODevice& out) const
{
    if (!QSqlDatabase::contains(connection))
        return QStringLiteral("the record of answers could not be opened");
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT at, exercise, variant, item, person, substr(typed, 1, %1), correct, "
                               "substr(mistake, 1, %2), run FROM answers ORDER BY at")
                    .arg(typedLimit)
                    .arg(kindLimit)))
        return QStringLiteral("the record of answers cannot be read: %1").arg(q.lastError().text());
    QByteArray chunk = csvLine({QStringLiteral("at"), QStringLiteral("exercise"), QStringLiteral("variant"),
                                QStringLiteral("item"), QStringLiteral("person"), QStringLiteral("typed"),
                                QStringLiteral("correct"), QStringLiteral("mistake"), QStringLiteral("run")})
                           .toUtf8();
    QStringList fields;
    while (q.next()) {
        fields.clear();
        for (int i = 0; i < 9; ++i)
            fields << q.value(i).toString();
        chunk += csvLine(fields).toUtf8();
        if (chunk.size() > (1 << 16)) {
            if (const QString why = writeAll(out, chunk); !why.isEmpty())
                return why;
            chunk.clear();
        }
    }
    if (q.lastError().isValid())
        return QStringLiteral("the record of answers cannot be read: %1").arg(q.lastError().text());
    return writeAll(out, chunk);
}

QString Store::exportCsv(const QString& file) const
{
    // A device or a pipe (/dev/null, /dev/stdout) has nothing to keep.
    if (const QFileInfo target(file); target.exists() && !target.isFile()) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) ? exportCsv(static_cast<QIODevice&>(out)) : out.errorString();
    }
    // A new file beside the old one, renamed over it once whole: a failure
    // leaves the old file as it was.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    if (::fchmod(out.handle(), 0600) != 0) // it holds the record
        return QString::fromLocal8Bit(std::strerror(errno));
    if (const QString why = exportCsv(static_cast<QIODevice&>(out)); !why.isEmpty()) {
        out.cancelWriting();
        return why;
    }
    return out.commit() ? QString() : out.errorString();
}

} // namespace lumora::record
