#include "record/store.h"

#include "record/csv.h"
#include "record/lessonwords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio> // rename, renameat2
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora::record {

// A statement of SQLite's own interface, run with values of Qt's types and
// read as the QVariants that the checks of what is read take: an integer as
// qint64, a real as double, a text as QString, a blob as QByteArray, NULL as
// a null QString.
class Statement {
public:
    Statement(sqlite3* db, QByteArrayView sql)
    {
        result = sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return statement != nullptr; }

    // Runs it with these values up to its first row or its end: whether it ran.
    bool exec(std::initializer_list<QVariant> values = {})
    {
        if (!statement)
            return false;
        sqlite3_reset(statement);
        int i = 0;
        for (const QVariant& v : values)
            if ((result = bind(++i, v)) != SQLITE_OK)
                return false;
        result = sqlite3_step(statement);
        fresh = true;
        return result == SQLITE_ROW || result == SQLITE_DONE;
    }
    // The next row, the first one after exec(); false at the end or on a failure.
    bool next()
    {
        if (!fresh && result == SQLITE_ROW)
            result = sqlite3_step(statement);
        fresh = false;
        return result == SQLITE_ROW;
    }
    QVariant value(int column) const
    {
        switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER: return qint64(sqlite3_column_int64(statement, column));
        case SQLITE_FLOAT: return sqlite3_column_double(statement, column);
        case SQLITE_NULL: return QVariant(QMetaType::fromType<QString>());
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                              sqlite3_column_bytes(statement, column));
        default: return QString::fromUtf8(text(column));
        }
    }
    // A column as SQLite holds it as text, UTF-8; empty for NULL.
    QByteArrayView text(int column) const
    {
        return {sqlite3_column_text(statement, column), sqlite3_column_bytes(statement, column)};
    }
    bool isNull(int column) const { return sqlite3_column_type(statement, column) == SQLITE_NULL; }
    // Done with its rows (a read holds the record until then).
    void finish()
    {
        sqlite3_reset(statement);
        result = SQLITE_DONE;
    }
    // SQLite's result code of the last step; SQLITE_ROW or SQLITE_DONE when it ran.
    int code() const { return result; }

private:
    // A null QString is NULL, as an empty one is not.
    int bind(int i, const QVariant& v)
    {
        if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isNull())
            || (v.typeId() == QMetaType::QByteArray && v.toByteArray().isNull()))
            return sqlite3_bind_null(statement, i);
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Bool: return sqlite3_bind_int64(statement, i, v.toLongLong());
        case QMetaType::Double: return sqlite3_bind_double(statement, i, v.toDouble());
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            return sqlite3_bind_blob64(statement, i, bytes.constData(), quint64(bytes.size()), SQLITE_TRANSIENT);
        }
        default: {
            const QByteArray utf8 = v.toString().toUtf8();
            return sqlite3_bind_text64(statement, i, utf8.constData(), quint64(utf8.size()), SQLITE_TRANSIENT,
                                       SQLITE_UTF8);
        }
        }
    }

    sqlite3_stmt* statement = nullptr;
    int result = SQLITE_OK;
    bool fresh = false; // exec() has stepped to the first row
};

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
    // The summary's counts are made from these indexes alone.
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

// The summary that start-up and My progress read instead of every answer:
// the review boxes, the misses of each item, the kinds of mistake and each
// run's missed items. Each answer updates it in its own transaction; it is
// made again from the answers when it does not cover the last one (a record
// of an older version, or one that another program wrote to). Its columns
// have no type, so they hold values as the answers do, and what is read from
// them is checked as answers are.
constexpr int summaryLayout = 2; // made again when the tables change
const char* const summaryTables[] = {
    "CREATE TABLE summary (answers, layout)", // the last answer it covers; the layout of these tables
    "CREATE TABLE boxes (exercise, extended, item, person, box, since, PRIMARY KEY (exercise, extended, item, person))",
    "CREATE TABLE misses (exercise, variant, item, person, misses, prompt, person_word, expected, "
    "PRIMARY KEY (exercise, variant, item, person))",
    "CREATE TABLE kinds (exercise, kind, times, PRIMARY KEY (exercise, kind))",
    "CREATE TABLE run_misses (run INTEGER PRIMARY KEY, items)",
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
// The last second a time of the record may name: the end of the year 9999.
constexpr qint64 lastTime = 253402300799;

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
    for (Variant variant : {Variant::Basic, Variant::Extended, Variant::Review, Variant::Listen})
        if (v.typeId() == QMetaType::QString && v.toString() == variantName(variant))
            return variant;
    return std::nullopt;
}

// A time in local time with its offset from UTC: 2026-12-08T10:30:00+01:00.
// Written by hand, and the offset asked of the C library once for each hour
// of answers: QDateTime takes too long for the million an export may write.
class LocalTime {
public:
    QByteArray operator()(qint64 utc)
    {
        if (utc / 3600 != hour) {
            hour = utc / 3600;
            const std::time_t start = hour * 3600;
            std::tm parts{};
            offset = localtime_r(&start, &parts) ? parts.tm_gmtoff : 0;
        }
        const qint64 local = utc + offset;
        const qint64 since1970 = (local >= 0 ? local : local - 86399) / 86400, second = local - since1970 * 86400;
        int year = 0, month = 0, day = 0;
        QDate::fromJulianDay(QDate(1970, 1, 1).toJulianDay() + since1970).getDate(&year, &month, &day);
        const qint64 hours = std::labs(offset) / 3600, minutes = std::labs(offset) / 60 % 60;
        QByteArray text(25, '0');
        auto put = [&text](int at, qint64 number, int digits) {
            for (int i = at + digits - 1; i >= at; --i, number /= 10)
                text[i] = char('0' + number % 10);
        };
        put(0, year, 4);
        put(5, month, 2);
        put(8, day, 2);
        put(11, second / 3600, 2);
        put(14, second / 60 % 60, 2);
        put(17, second % 60, 2);
        put(20, hours, 2);
        put(23, minutes, 2);
        text[4] = text[7] = '-';
        text[10] = 'T';
        text[13] = text[16] = text[22] = ':';
        text[19] = offset < 0 ? '-' : '+';
        return text;
    }

private:
    qint64 hour = -1;
    long offset = 0;
};

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

// Answers kept without their words (by version 2, or added by a tool) get
// them from the lesson's tables, once; an answer the lesson has no words for,
// or one the program cannot read, gets empty ones. SQLite's code of the
// failure that stopped it, or SQLITE_OK.
int fillWords(sqlite3* db)
{
    std::vector<std::array<QVariant, 4>> keys; // as the record holds them, whatever their type
    Statement read(db, "SELECT DISTINCT exercise, variant, item, person FROM answers WHERE prompt IS NULL");
    if (!read.exec())
        return read.code();
    while (read.next())
        keys.push_back({read.value(0), read.value(1), read.value(2), read.value(3)});
    if (read.code() != SQLITE_DONE)
        return read.code();
    Statement q(db, "UPDATE answers SET prompt = ?, person_word = ?, expected = ? WHERE prompt IS NULL "
                    "AND exercise IS ? AND variant IS ? AND item IS ? AND person IS ?");
    for (const auto& [exercise, variant, item, person] : keys) {
        const std::optional<int> e = exerciseOf(exercise);
        const std::optional<Variant> v = variantOf(variant);
        const std::optional<qint64> i = whole(item, 0, 1000), p = whole(person, 0, 1000);
        const Words words = e && v && i && p ? lessonWords(*e, *v, int(*i), int(*p)) : Words{};
        // Filled, even if empty.
        if (!q.exec({words.prompt.isNull() ? QStringLiteral("") : words.prompt, words.person, words.expected,
                     exercise, variant, item, person}))
            return q.code();
    }
    return SQLITE_OK;
}

// How many answers wait for their words.
qint64 countUnworded(sqlite3* db)
{
    Statement q(db, "SELECT COUNT(*) FROM answers WHERE prompt IS NULL");
    return q.exec() && q.next() ? q.value(0).toLongLong() : -1;
}

// SQLite's "not a database" and "malformed": the file is damaged. Any other
// failure (full disk, no permission, locked too long) is no fault of the file.
bool damaging(int code)
{
    return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB;
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

QString Store::defaultPath()
{
    // Not AppDataLocation: that puts the organisation's folder in between.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/'
           + QCoreApplication::applicationName() + QStringLiteral("/record.sqlite");
}

Store::Store(const QString& path, Prompter& prompter) : path(path), prompter(prompter)
{
    Opened opened = open();
    if (opened == Opened::Damaged && putAside())
        opened = open();
    ok = opened == Opened::Ok;
    if (!ok && db)
        summarise(true, true); // to be shown, not written
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
    for (auto* q : {&insertRun, &insertAnswer, &countAnswer, &endRun, &countMiss, &countKind, &countRunMiss, &placeItem,
                    &cover})
        q->reset();
    sqlite3_close(db); // every statement is finalized
    db = nullptr;
}

int Store::connect(bool readOnly)
{
    close();
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                       (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)
                                           | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE,
                                       nullptr);
    if (opened != SQLITE_OK) {
        close();
        return opened;
    }
    waitForLock(lockWait); // a second copy of the program waits for the first one's write
    return SQLITE_OK;
}

Store::Opened Store::open()
{
    if (const Opened folder = privateFolder(QFileInfo(path).absolutePath()); folder != Opened::Ok)
        return folder;
    const Opened file = privateFile(path);
    if (file != Opened::Ok && file != Opened::ReadOnly)
        return file;

    auto failed = [](int code) { return damaging(code) ? Opened::Damaged : Opened::Unwritable; };
    // Looked at without writing first: a newer program's record stays exactly as it is.
    if (const int opened = connect(true); opened != SQLITE_OK)
        return failed(opened);
    {
        Statement check(db, "PRAGMA quick_check");
        if (!check.exec())
            return failed(check.code());
        if (!check.next() || check.value(0).toString() != QLatin1String("ok"))
            return Opened::Damaged;
        Statement layout(db, "PRAGMA user_version");
        if (!layout.exec() || !layout.next())
            return failed(layout.code());
        if (layout.value(0).toInt() > version)
            return Opened::Newer;
    }
    if (file == Opened::ReadOnly)
        return file;
    if (const int opened = connect(false); opened != SQLITE_OK)
        return failed(opened);
    const Opened prepared = prepare();
    return prepared == Opened::Newer && connect(true) != SQLITE_OK ? Opened::Unwritable : prepared;
}

Store::Opened Store::prepare()
{
    int code = SQLITE_OK; // of the last statement that failed
    auto run = [this, &code](const char* sql) {
        Statement q(db, sql);
        const bool ran = q.exec();
        code = ran ? SQLITE_OK : q.code();
        return ran;
    };
    auto failure = [&] {
        const Opened opened = damaging(code) ? Opened::Damaged : Opened::Unwritable;
        run("ROLLBACK");
        return opened;
    };

    // WAL: a write is one append, and a kill in the middle of it loses only
    // that write. NORMAL syncs at checkpoints, which a killed program survives.
    // Switching to WAL needs the file to itself, and SQLite does not wait for
    // that: a second copy starting at the same moment tries again.
    for (int attempt = 0;; ++attempt) {
        Statement wal(db, "PRAGMA journal_mode = WAL");
        if (wal.exec() && wal.next() && wal.value(0).toString() == QLatin1String("wal"))
            break;
        code = wal.code();
        if (attempt == 100)
            return failure();
        QThread::msleep(20);
    }
    if (!run("PRAGMA synchronous = NORMAL"))
        return failure();

    // Read and migrate under the write lock: a second copy starting at the
    // same moment waits, then finds the record migrated.
    if (!run("BEGIN IMMEDIATE"))
        return failure();
    int found = 0;
    {
        Statement layout(db, "PRAGMA user_version");
        if (!layout.exec() || !layout.next()) {
            code = layout.code();
            return failure();
        }
        found = layout.value(0).toInt();
    }
    if (found > version) { // a newer program has just migrated it
        run("ROLLBACK");
        return Opened::Newer;
    }
    if (found < 1)
        for (const char* sql : version1)
            if (!run(sql))
                return failure();
    if (found < 2)
        for (const char* sql : version2)
            if (!run(sql))
                return failure();
    if (found < 3)
        for (const char* sql : version3)
            if (!run(sql))
                return failure();
    // Answers given their words now are counted in the summary again with them.
    const qint64 unworded = countUnworded(db);
    if ((code = fillWords(db)) != SQLITE_OK)
        return failure();
    if (!summarise(false, countUnworded(db) != unworded) || !run("COMMIT"))
        return failure();

    auto statement = [this](std::unique_ptr<Statement>& query, const char* sql) {
        query = std::make_unique<Statement>(db, sql);
        return query->prepared();
    };
    const bool prepared =
        statement(insertRun, "INSERT INTO runs (exercise, variant, started) VALUES (?, ?, ?)")
        && statement(insertAnswer, "INSERT INTO answers (at, exercise, variant, item, person, typed, correct, mistake, "
                                   "run, prompt, person_word, expected) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
        && statement(countAnswer, "UPDATE runs SET correct = correct + ?, wrong = wrong + ? WHERE id = ?")
        && statement(endRun, "UPDATE runs SET ended = ?, finished = ? WHERE id = ?")
        && statement(countMiss, "INSERT INTO misses VALUES (?, ?, ?, ?, 1, ?, ?, ?) ON CONFLICT DO UPDATE SET "
                                "misses = misses + 1, prompt = COALESCE(excluded.prompt, prompt), "
                                "person_word = COALESCE(excluded.person_word, person_word), "
                                "expected = COALESCE(excluded.expected, expected)")
        && statement(countKind, "INSERT INTO kinds VALUES (?, ?, 1) ON CONFLICT DO UPDATE SET times = times + 1")
        && statement(countRunMiss, "INSERT INTO run_misses VALUES (?, 1) ON CONFLICT DO UPDATE SET items = items + 1")
        && statement(placeItem, "INSERT OR REPLACE INTO boxes VALUES (?, ?, ?, ?, ?, ?)")
        && statement(cover, "UPDATE summary SET answers = (SELECT MAX(rowid) FROM answers)");
    return prepared ? Opened::Ok : Opened::Unwritable;
}

bool Store::summarise(bool temporary, bool remake)
{
    if ((temporary || remake || !summaryCovers()) && !resummarise(temporary))
        return false;
    boxes = {};
    Statement q(db, "SELECT exercise, extended, item, person, box, since FROM boxes");
    if (!q.exec())
        return false;
    while (q.next()) {
        const std::optional<qint64> exercise = whole(q.value(0), 1, 5), extended = whole(q.value(1), 0, 1),
                                    item = whole(q.value(2), 0, 1000), person = whole(q.value(3), 0, 1000),
                                    box = whole(q.value(4), 0, boxCount),
                                    since = whole(q.value(5), 0, std::numeric_limits<qint64>::max() / 2);
        if (!exercise || !extended || !item || !person || !box || !since)
            continue;
        const ReviewItem i{int(*exercise), *extended == 1, int(*item), int(*person)};
        if (known(i)) {
            boxes.places[i] = {int(*box), *since};
            boxes.tries = std::max(boxes.tries, *since + 1);
        }
    }
    return true;
}

bool Store::summaryCovers()
{
    Statement q(db, QStringLiteral("SELECT (SELECT answers FROM summary) IS (SELECT MAX(rowid) FROM answers), "
                                   "(SELECT layout FROM summary) IS %1, (SELECT COUNT(*) FROM summary)")
                        .arg(summaryLayout)
                        .toUtf8());
    return q.exec() && q.next() && q.value(0).toInt() == 1 && q.value(1).toInt() == 1 && q.value(2).toInt() == 1;
}

bool Store::resummarise(bool temporary)
{
    const std::vector<FirstTry> tries = firstTries();
    auto run = [this](const QByteArray& sql) { return Statement(db, sql).exec(); };
    // Made anew, in case another program left tables of another shape.
    if (temporary)
        run("PRAGMA temp_store = MEMORY");
    for (const char* name : {"summary", "boxes", "misses", "kinds", "run_misses"})
        if (!temporary && !run(QByteArray("DROP TABLE IF EXISTS ") + name))
            return false;
    for (const char* sql : summaryTables)
        if (!run(temporary ? QByteArray(sql).replace("CREATE TABLE", "CREATE TEMP TABLE") : QByteArray(sql)))
            return false;
    for (const char* sql : {
             "INSERT INTO misses SELECT exercise, variant, item, person, COUNT(*), MAX(prompt), MAX(person_word), "
             "MAX(expected) FROM answers WHERE correct = 0 GROUP BY exercise, variant, item, person",
             "INSERT INTO run_misses SELECT run, COUNT(DISTINCT item) FROM answers "
             "WHERE correct = 0 AND typeof(run) = 'integer' GROUP BY run",
         })
        if (!run(sql))
            return false;
    if (!run(QStringLiteral("INSERT INTO summary SELECT MAX(rowid), %1 FROM answers").arg(summaryLayout).toUtf8()))
        return false;
    if (!run(QStringLiteral("INSERT INTO kinds SELECT exercise, substr(mistake, 1, %1), COUNT(*) FROM answers "
                            "WHERE mistake IS NOT NULL GROUP BY 1, 2")
                 .arg(kindLimit)
                 .toUtf8()))
        return false;
    Statement q(db, "INSERT INTO boxes VALUES (?, ?, ?, ?, ?, ?)");
    for (const auto& [item, place] : replay(tries).places)
        if (!q.exec({item.exercise, item.extended ? 1 : 0, item.item, item.person, place.box, place.since}))
            return false;
    return true;
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
    missedInRun.clear();
    if (!ok)
        return;
    pending.push_back({Write::Kind::RunStarted, now(), {exercise, variant, 0, 0, std::nullopt, false, {}, {}}});
    runOpen = true;
    flush();
}

void Store::answered(const Answer& a)
{
    if (!ok)
        return;
    Write w{Write::Kind::Answered, now(), a};
    if (askedInRun.insert({a.exercise, a.variant, a.item, a.person}).second) {
        const FirstTry first = firstTry(a.exercise, variantName(a.variant), a.item, a.person, a.correct);
        boxes.add(first);
        if (const auto place = boxes.places.find(first.item); place != boxes.places.end())
            w.placed = *place;
    }
    w.firstMissInRun = !a.correct && missedInRun.insert(a.item).second;
    pending.push_back(w);
    flush();
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
    auto transaction = [this](const char* sql) { return Statement(db, sql).exec(); };
    qint64 current = run;
    bool written = transaction("BEGIN");
    for (auto w = pending.begin(); written && w != pending.end(); ++w)
        written = write(*w, current);
    if (written && cover->exec() && transaction("COMMIT")) {
        pending.clear();
        lastRead.reset();
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
    transaction("ROLLBACK");
    for (auto* q : {&insertRun, &insertAnswer, &countAnswer, &endRun, &countMiss, &countKind, &countRunMiss, &placeItem,
                    &cover})
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
        if (!insertRun->exec({a.exercise, variantName(a.variant), w.at}))
            return false;
        current = sqlite3_last_insert_rowid(db);
        return true;
    case Write::Kind::Answered: {
        const QString variant = variantName(a.variant);
        const QString kind = a.mistake.left(kindLimit);
        // Without words (none were given) the answer gets them from the lesson at the next start.
        const QVariant prompt = a.words.prompt.isEmpty() ? none : QVariant(a.words.prompt.left(typedLimit));
        const QString person = a.words.person.left(typedLimit), expected = a.words.expected.left(typedLimit);
        return insertAnswer->exec({w.at, a.exercise, variant, a.item, a.person,
                                   a.typed ? QVariant(a.typed->left(typedLimit)) : none, a.correct ? 1 : 0,
                                   kind.isEmpty() ? none : QVariant(kind),
                                   current ? QVariant(current) : QVariant(QMetaType::fromType<qlonglong>()), prompt,
                                   person, expected})
               && countAnswer->exec({a.correct ? 1 : 0, a.correct ? 0 : 1, current})
               && (a.correct || countMiss->exec({a.exercise, variant, a.item, a.person, prompt, person, expected}))
               && (kind.isEmpty() || countKind->exec({a.exercise, kind}))
               && (!w.firstMissInRun || !current || countRunMiss->exec({current}))
               && (!w.placed
                   || placeItem->exec({w.placed->first.exercise, w.placed->first.extended ? 1 : 0,
                                       w.placed->first.item, w.placed->first.person, w.placed->second.box,
                                       w.placed->second.since}));
    }
    case Write::Kind::RunEnded:
        if (!endRun->exec({w.at, w.finished ? 1 : 0, current}))
            return false;
        current = 0;
        return true;
    }
    return false;
}

void Store::waitForLock(int ms) { sqlite3_busy_timeout(db, ms); }

History Store::history() const
{
    if (!db)
        return readHistory();
    // SQLite counts the writes of other connections; this one's own writes
    // forget what was read (flush).
    Statement version(db, "PRAGMA data_version");
    const qint64 now = version.exec() && version.next() ? version.value(0).toLongLong() : -1;
    if (!lastRead || now < 0 || now != lastReadVersion) {
        lastRead = readHistory();
        lastReadVersion = now;
    }
    return *lastRead;
}

History Store::readHistory() const
{
    History h;
    h.practiceSeconds.assign(6, 0);
    if (!db)
        return h;

    // First try: in a finished run every item is answered right once, so the
    // items right at the first try are those with no wrong answer. A run that
    // was never ended (the program was killed) lasted until its last answer.
    // SQLite reads the times (a time it cannot read is NULL): thousands of
    // runs are read in a moment.
    // A run started and never answered is no practice.
    {
        Statement q(db, "SELECT exercise, variant, unixepoch(started), unixepoch(ended), finished, correct, items "
                        "FROM (SELECT r.exercise, r.variant, r.started, "
                        "COALESCE(r.ended, (SELECT MAX(at) FROM answers WHERE run = r.id)) AS ended, r.finished, "
                        "r.correct, COALESCE(m.items, 0) AS items FROM runs r LEFT JOIN run_misses m ON m.run = r.id) "
                        "WHERE ended IS NOT NULL");
        q.exec();
        while (q.next()) {
            const std::optional<int> exercise = exerciseOf(q.value(0));
            const std::optional<Variant> variant = variantOf(q.value(1));
            const std::optional<qint64> started = whole(q.value(2), 0, lastTime), ended = whole(q.value(3), 0, lastTime);
            const std::optional<qint64> finished = whole(q.value(4), 0, 1), correct = whole(q.value(5), 0, 1000000),
                                        missed = whole(q.value(6), 0, 1000000);
            if (!exercise || !variant || !started || !ended || *ended < *started || !finished || !correct || !missed) {
                ++h.unreadable;
                continue;
            }
            h.practiceSeconds[*exercise] += std::min(*ended - *started, longestRun);
            if (*finished == 1)
                h.finished.push_back({*exercise, *variant, QDateTime::fromSecsSinceEpoch(*ended, Qt::UTC),
                                      int(*correct), int(std::max<qint64>(0, *correct - *missed))});
        }
    }

    std::stable_sort(h.finished.begin(), h.finished.end(),
                     [](const History::FinishedRun& a, const History::FinishedRun& b) { return a.ended < b.ended; });

    // A review answer names the item it reviews: the misses of both are one row.
    std::map<ReviewItem, History::Missed> missed;
    {
        Statement q(db, QStringLiteral("SELECT exercise, variant, item, person, misses, substr(prompt, 1, %1), "
                                       "substr(person_word, 1, %1), substr(expected, 1, %1) FROM misses")
                            .arg(typedLimit)
                            .toUtf8());
        q.exec();
        while (q.next()) {
            const std::optional<ReviewItem> item = itemOf(q.value(0), q.value(1), q.value(2), q.value(3));
            const std::optional<qint64> misses = whole(q.value(4), 1, std::numeric_limits<int>::max() / 4);
            if (!item || !misses) {
                ++h.unreadable;
                continue;
            }
            History::Missed& m =
                missed.try_emplace(*item, History::Missed{item->exercise, {}, 0, *item}).first->second;
            m.misses += int(*misses);
            m.words = {q.value(5).toString(), q.value(6).toString(), q.value(7).toString()};
        }
    }
    std::vector<std::pair<ReviewItem, History::Missed>> byCount(missed.begin(), missed.end());
    std::stable_sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first.exercise, b.second.misses) < std::tie(b.first.exercise, a.second.misses);
    });
    for (const auto& [item, m] : byCount)
        h.missed.push_back(m);

    Statement q(db, "SELECT exercise, kind, times FROM kinds ORDER BY exercise, times DESC, kind");
    q.exec();
    while (q.next()) {
        const std::optional<int> exercise = exerciseOf(q.value(0));
        const std::optional<qint64> times = whole(q.value(2), 1, std::numeric_limits<int>::max());
        if (!exercise || q.value(1).typeId() != QMetaType::QString || !times) {
            ++h.unreadable;
            continue;
        }
        h.kinds.push_back({*exercise, q.value(1).toString().left(kindLimit), int(*times)});
    }
    return h;
}

std::vector<FirstTry> Store::firstTries() const
{
    std::vector<FirstTry> read;
    if (!db)
        return read;
    // Oldest first, as the boxes are replayed.
    Statement q(db, "SELECT exercise, variant, item, person, correct FROM ("
                    "SELECT exercise, variant, item, person, correct, at, run, "
                    // A right answer ends an item's turn: in the same millisecond a wrong one came first.
                    "ROW_NUMBER() OVER (PARTITION BY run, exercise, variant, item, person ORDER BY at, correct) AS n "
                    "FROM answers"
                    ") firsts WHERE n = 1 ORDER BY at, run");
    if (!q.exec())
        return read;
    while (q.next()) {
        const std::optional<ReviewItem> item = itemOf(q.value(0), q.value(1), q.value(2), q.value(3));
        const std::optional<qint64> correct = whole(q.value(4), 0, 1);
        if (item && correct)
            read.push_back({*item, *correct == 1, *variantOf(q.value(1)) == Variant::Review});
    }
    return read;
}

QString Store::exportCsv(QIODevice& out) const
{
    if (!db)
        return QStringLiteral("the record of answers could not be opened");
    // SQLite reads the times (a million in a moment); one it cannot read is
    // written as it is.
    Statement rows(db, "SELECT at, exercise, variant, item, person, prompt, person_word, expected, typed, correct, "
                       "mistake, run, unixepoch(at) FROM answers ORDER BY rowid");
    auto unreadable = [this] {
        return QStringLiteral("the record of answers cannot be read: %1").arg(QString::fromUtf8(sqlite3_errmsg(db)));
    };
    if (!rows.exec())
        return unreadable();
    // The byte-order mark tells a spreadsheet that the text is UTF-8, so the
    // accents show as they are.
    QByteArray chunk = (QChar(0xFEFF)
                        + csvLine({QStringLiteral("at"), QStringLiteral("exercise"), QStringLiteral("variant"),
                                   QStringLiteral("item"), QStringLiteral("prompt"), QStringLiteral("person"),
                                   QStringLiteral("expected"), QStringLiteral("typed"), QStringLiteral("how"),
                                   QStringLiteral("correct"), QStringLiteral("mistake"), QStringLiteral("run")}))
                           .toUtf8();
    LocalTime local;
    // Texts taken as SQLite holds them, not made into a QVariant each, and
    // cut to their first `chars` characters here: substr() in the query
    // costs SQLite a copy of every text of a million answers.
    auto bytes = [&rows](int column, int chars = typedLimit) {
        const QByteArrayView utf8 = rows.text(column);
        if (utf8.size() <= chars)
            return utf8;
        qsizetype end = 0;
        for (int started = 0; end < utf8.size(); ++end) // a character starts at any byte but 10xxxxxx
            if ((utf8[end] & 0xC0) != 0x80 && ++started > chars)
                break;
        return utf8.first(end);
    };
    while (rows.next()) {
        // Counted from 1, and an extended pair of a review run by its verb;
        // an item the lesson does not have as it is written.
        const std::optional<ReviewItem> item = itemOf(rows.value(1), rows.value(2), rows.value(3), rows.value(4));
        const std::optional<qint64> at = whole(rows.value(12), 0, lastTime);
        const QByteArray time = at ? local(*at) : QByteArray();
        const QByteArray number = item ? QByteArray::number(item->item + 1) : QByteArray();
        const QByteArrayView fields[] = {at ? time : bytes(0),
                                         bytes(1),
                                         bytes(2),
                                         item ? number : bytes(3),
                                         bytes(5),
                                         bytes(6),
                                         bytes(7),
                                         bytes(8),
                                         rows.isNull(8) ? "solution" : "typed",
                                         bytes(9),
                                         bytes(10, kindLimit),
                                         bytes(11)};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            if (i > 0)
                chunk += ',';
            appendCsvField(chunk, fields[i]);
        }
        chunk += "\r\n";
        if (chunk.size() > (1 << 16)) {
            if (const QString why = writeAll(out, chunk); !why.isEmpty())
                return why;
            chunk.truncate(0); // keeps its memory
        }
    }
    if (rows.code() != SQLITE_DONE)
        return unreadable();
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
