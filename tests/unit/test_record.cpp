// The learner's record on temporary files: its layout, its migration, what
// it keeps of a run, the faults it survives and the CSV a teacher opens.
#include "record/csv.h"
#include "record/store.h"
#include "recording.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QVariant>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

using namespace lumora;
using namespace lumora::record;
using lumora::test::RecordingPrompter;

namespace {

// An SQL connection of the test's own to look into a record.
class Peek {
public:
    explicit Peek(const QString& path)
    {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        db.open();
    }
    ~Peek()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    }
    // The first column of every row, joined by "|".
    QString column(const QString& sql)
    {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        QStringList values;
        while (q.next())
            values << (q.value(0).isNull() ? QStringLiteral("NULL") : q.value(0).toString());
        return values.join(u'|');
    }
    bool exec(const QString& sql) { return QSqlQuery(db).exec(sql); }

private:
    QSqlDatabase db;
};

struct RecordTest : ::testing::Test {
    QTemporaryDir home;
    RecordingPrompter prompter;
    QString folder() const { return home.filePath(QStringLiteral("lumora")); }
    QString path() const { return home.filePath(QStringLiteral("lumora/record.sqlite")); }
    // The records put aside, without their journals.
    QStringList aside() const
    {
        QStringList records;
        for (const QString& name :
             QDir(folder()).entryList({QStringLiteral("record.sqlite.damaged-*")}, QDir::AllEntries | QDir::System))
            if (!name.endsWith(QLatin1String("-wal")) && !name.endsWith(QLatin1String("-shm")))
                records << name;
        return records;
    }
};

// Exercise 1's item 14: ül, for ti.
const Words sitting{QStringLiteral("ül"), QStringLiteral("ti"), QStringLiteral("ültök")};

Answer right(int item, const QString& typed, const Words& words = sitting)
{
    return {1, Variant::Basic, item, 4, typed, true, {}, words};
}
Answer wrong(int item, const QString& typed, const Words& words = sitting)
{
    return {1, Variant::Basic, item, 4, typed, false, {}, words};
}
Answer solution(int item, const Words& words = sitting) { return {1, Variant::Basic, item, 4, {}, false, {}, words}; }

TEST_F(RecordTest, ANewRecordHasTheTablesOfVersionThreeInWalMode)
{
    { Store store(path(), prompter); EXPECT_TRUE(store.writable()); }
    Peek peek(path());
    EXPECT_EQ(peek.column("PRAGMA user_version"), "3");
    EXPECT_EQ(peek.column("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(peek.column("SELECT name FROM pragma_table_info('answers')"),
              "at|exercise|variant|item|person|typed|correct|mistake|run|prompt|person_word|expected");
    EXPECT_EQ(peek.column("SELECT name FROM pragma_table_info('runs')"),
              "id|exercise|variant|started|ended|finished|correct|wrong");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(RecordTest, KeepsARunItsAnswersAndASolutionWithNothingTyped)
{
    {
        Store store(path(), prompter);
        store.runStarted(1, Variant::Basic);
        store.answered(right(25, "laktok", {QStringLiteral("lak"), QStringLiteral("ti"), QStringLiteral("laktok")}));
        store.answered(wrong(14, "'; DROP TABLE answers; --"));
        store.answered(solution(14));
        store.answered(right(14, "ültök"));
        store.runEnded(true);
        store.runStarted(2, Variant::Extended); // closed unfinished with the store
        store.answered({2, Variant::Extended, 24, 4, QStringLiteral("mentek"), true, {},
                        {QStringLiteral("megy"), QStringLiteral("ti"), QStringLiteral("mentek")}});
    }
    Peek peek(path());
    EXPECT_EQ(peek.column("SELECT typed FROM answers ORDER BY at"), "laktok|'; DROP TABLE answers; --|NULL|ültök|mentek");
    EXPECT_EQ(peek.column("SELECT correct FROM answers ORDER BY at"), "1|0|0|1|1");
    EXPECT_EQ(peek.column("SELECT COUNT(*) FROM answers WHERE mistake IS NULL"), "5");
    EXPECT_EQ(peek.column("SELECT prompt || ' ' || person_word || ' ' || expected FROM answers ORDER BY at"),
              "lak ti laktok|ül ti ültök|ül ti ültök|ül ti ültök|megy ti mentek");
    EXPECT_EQ(peek.column("SELECT variant || ' ' || finished || ' ' || correct || ' ' || wrong FROM runs ORDER BY id"),
              "basic 1 2 2|extended 0 1 0");
    EXPECT_EQ(peek.column("SELECT COUNT(*) FROM runs WHERE ended IS NULL"), "0");
    EXPECT_EQ(peek.column("SELECT COUNT(DISTINCT run) FROM answers"), "2");
    // ISO 8601 in UTC, to the millisecond.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z$"))
                    .match(peek.column("SELECT MIN(at) FROM answers"))
                    .hasMatch());

    Store again(path(), prompter);
    const History h = again.history();
    ASSERT_EQ(h.finished.size(), 1u);
    EXPECT_EQ(h.finished[0].exercise, 1);
    EXPECT_EQ(h.finished[0].correct, 2);
    EXPECT_EQ(h.finished[0].firstTry, 1); // item 25 at once, item 14 after two misses
    ASSERT_EQ(h.missed.size(), 1u);
    EXPECT_EQ(h.missed[0].words.prompt, "ül");
    EXPECT_EQ(h.missed[0].words.person, "ti");
    EXPECT_EQ(h.missed[0].words.expected, "ültök");
    EXPECT_EQ(h.missed[0].misses, 2);
}

// My progress counts an item's misses in basic, extended and review runs on
// one row, and keeps a basic item and an extended pair of the same number apart.
TEST_F(RecordTest, TheMissesOfOneItemInEveryKindOfRunAreOneRow)
{
    const Words lak{QStringLiteral("lak"), QStringLiteral("mi"), QStringLiteral("lakunk")};
    const Words bereltek{QStringLiteral("bérel"), QStringLiteral("ti"), QStringLiteral("béreltek")};
    const Words parancsol{QStringLiteral("parancsol"), QStringLiteral("mi"), QStringLiteral("parancsolunk")};
    const Words ment{QStringLiteral("Two girls walk"), QStringLiteral("ti"), QStringLiteral("A moziba mentek.")};
    const Words mennek{QStringLiteral("Two girls walk"), QStringLiteral("ők"), QStringLiteral("Moziba mennek.")};
    Store store(path(), prompter);
    auto miss = [&store](int exercise, Variant variant, int item, int person, const Words& words) {
        store.runStarted(exercise, variant);
        store.answered({exercise, variant, item, person, QStringLiteral("x"), false, {}, words});
    };
    miss(1, Variant::Basic, 24, 4, bereltek);
    miss(1, Variant::Basic, 3, 3, lak);
    miss(1, Variant::Review, 3, 3, lak);
    miss(1, Variant::Extended, 5, 3, parancsol);
    miss(1, Variant::Review, 64 + 5, 3, parancsol);
    miss(1, Variant::Review, 64 + 5, 3, parancsol);
    miss(1, Variant::Basic, 5, 3, lak); // another item with the pair's number
    miss(3, Variant::Basic, 0, 22, ment);
    miss(3, Variant::Extended, 0, 22, ment);
    miss(3, Variant::Review, 0, 22, ment);
    miss(3, Variant::Extended, 0, 33, mennek);
    store.runEnded(false);

    QStringList rows;
    for (const History::Missed& m : store.history().missed)
        rows << QStringLiteral("%1 %2 %3 %4").arg(m.exercise).arg(m.words.prompt, m.words.person).arg(m.misses);
    EXPECT_EQ(rows, (QStringList{"1 parancsol mi 3", "1 lak mi 2", "1 lak mi 1", "1 bérel ti 1",
                                 "3 Two girls walk ti 3", "3 Two girls walk ők 1"}));
}

TEST_F(RecordTest, AVersionOneRecordKeepsItsAnswersAndGainsRunsMistakesAndWords)
{
    QDir().mkpath(folder());
    {
        Peek old(path());
        ASSERT_TRUE(old.exec("CREATE TABLE answers (at TEXT NOT NULL, exercise INTEGER NOT NULL, variant TEXT NOT "
                             "NULL, item INTEGER NOT NULL, person INTEGER NOT NULL, typed TEXT, correct INTEGER NOT "
                             "NULL)"));
        ASSERT_TRUE(old.exec("INSERT INTO answers VALUES ('2026-01-05T16:00:00.000Z', 3, 'basic', 0, 22, "
                             "'Moziba mentek.', 1)"));
        ASSERT_TRUE(old.exec("PRAGMA user_version = 1"));
    }
    {
        Store store(path(), prompter);
        EXPECT_TRUE(store.writable());
        store.runStarted(5, Variant::Basic);
        store.answered({5, Variant::Basic, 9, 1, QStringLiteral("ul"), true, {},
                        {QStringLiteral("magyar"), QStringLiteral("én"), QStringLiteral("ul")}});
    }
    Peek peek(path());
    EXPECT_EQ(peek.column("PRAGMA user_version"), "3");
    EXPECT_EQ(peek.column("SELECT typed || ' ' || COALESCE(run, 'none') || ' ' || COALESCE(mistake, 'none') "
                          "FROM answers ORDER BY at"),
              "Moziba mentek. none none|ul 1 none");
    EXPECT_EQ(peek.column("SELECT prompt || ' / ' || person_word || ' / ' || expected FROM answers ORDER BY at"),
              "Two girls walk along a red arrow towards a cinema with the sign MOZI. / ti / A moziba mentek."
              "|magyar / én / ul");
    EXPECT_TRUE(prompter.messages.empty());
}

// A damaged record is put aside whole, the learner is told once, and a fresh
// record takes its place.
void expectPutAside(RecordTest& t, const QByteArray& before)
{
    Store store(t.path(), t.prompter);
    EXPECT_TRUE(store.writable());
    ASSERT_EQ(t.prompter.messages.size(), 1u);
    EXPECT_TRUE(t.prompter.messages[0].text.contains(QStringLiteral("damaged")));
    const QStringList aside = t.aside();
    ASSERT_EQ(aside.size(), 1) << aside.join(u' ').toStdString();
    EXPECT_TRUE(t.prompter.messages[0].text.contains(aside[0]));
    QFile kept(t.folder() + u'/' + aside[0]);
    if (!before.isNull() && kept.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(kept.readAll(), before);
    }
    store.runStarted(1, Variant::Basic);
    store.answered(right(1, "vagytok"));
    EXPECT_EQ(t.prompter.messages.size(), 1u);
    EXPECT_EQ(store.history().missed.size(), 0u);
}

TEST_F(RecordTest, GarbageTruncationOrAFolderArePutAsideAndAFreshRecordStarts)
{
    QDir().mkpath(folder());
    QByteArray garbage(20000, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char(i * 131 % 251);
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(garbage);
    f.close();
    expectPutAside(*this, garbage);
}

TEST_F(RecordTest, ATruncatedRecordIsPutAside)
{
    {
        Store store(path(), prompter);
        store.runStarted(1, Variant::Basic);
        for (int i = 0; i < 2000; ++i)
            store.answered(wrong(i % 64, QStringLiteral("a fairly long wrong answer number %1").arg(i)));
    }
    QFile f(path());
    const qint64 full = f.size();
    ASSERT_GT(full, 40000);
    ASSERT_TRUE(f.resize(full / 2));
    expectPutAside(*this, QByteArray());
}

TEST_F(RecordTest, AFolderInThePlaceOfTheRecordIsPutAside)
{
    ASSERT_TRUE(QDir().mkpath(path() + QStringLiteral("/inside")));
    expectPutAside(*this, QByteArray());
    EXPECT_TRUE(QFileInfo(folder() + u'/' + aside().value(0) + QStringLiteral("/inside")).isDir());
}

TEST_F(RecordTest, ADamagedRecordGoesAsideUnderANameNoFileHasYet)
{
    // Records damaged earlier, under the names of this second and the next two.
    QDir().mkpath(folder());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int s = 0; s < 3; ++s) {
        QFile earlier(folder() + QStringLiteral("/record.sqlite.damaged-")
                      + now.addSecs(s).toString(QStringLiteral("yyyyMMdd-HHmmss")));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    QFile damaged(path());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(5000, 'x'));
    damaged.close();

    Store store(path(), prompter);
    EXPECT_TRUE(store.writable());
    ASSERT_EQ(prompter.messages.size(), 1u);
    int earlier = 0;
    for (const QString& name : aside()) {
        QFile f(folder() + u'/' + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        if (f.readAll() == "earlier")
            ++earlier;
        else
            EXPECT_TRUE(prompter.messages[0].text.contains(name)) << prompter.messages[0].text.toStdString();
    }
    EXPECT_EQ(earlier, 3);
    EXPECT_EQ(aside().size(), 4);
}

// A record from a newer version of the program is shown, and stays byte for
// byte as it was.
TEST_F(RecordTest, ANewerProgramsRecordIsShownAndLeftAsItWas)
{
    {
        Store store(path(), prompter);
        store.runStarted(1, Variant::Basic);
        store.answered(wrong(7, "ültök?"));
    }
    {
        Peek newer(path());
        ASSERT_TRUE(newer.exec("PRAGMA journal_mode = DELETE"));
        ASSERT_TRUE(newer.exec("PRAGMA user_version = 99"));
    }
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    {
        Store store(path(), prompter);
        EXPECT_FALSE(store.writable());
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("newer version"))) << prompter.messages[0].text.toStdString();
        ASSERT_EQ(store.history().missed.size(), 1u);
        EXPECT_EQ(store.history().missed[0].words.expected, "ültök");
        QBuffer csv;
        csv.open(QIODevice::WriteOnly);
        EXPECT_EQ(store.exportCsv(csv), "");
        EXPECT_TRUE(csv.data().contains("ültök?"));
        store.runStarted(1, Variant::Basic);
        store.answered(right(7, "ültök"));
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == before);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

// A link where the record or its folder should be may lead anywhere among the
// learner's files: it is refused with a notice and left as it is. The data
// folder itself may be a link.
TEST_F(RecordTest, ALinkInPlaceOfTheRecordOrItsFolderIsLeftAlone)
{
    auto mode = [](const QString& p) {
        struct stat s {};
        return ::stat(QFile::encodeName(p).constData(), &s) == 0 ? int(s.st_mode & 0777) : -1;
    };
    auto refused = [this](const char* link) {
        SCOPED_TRACE(link);
        Store store(path(), prompter);
        EXPECT_FALSE(store.writable());
        EXPECT_EQ(prompter.messages.size(), 1u);
        EXPECT_TRUE(!prompter.messages.empty() && prompter.messages[0].text.contains(QStringLiteral("link")));
        prompter.clear();
    };
    QDir().mkpath(folder());

    // To one of the learner's databases.
    const QString theirs = home.filePath("theirs.sqlite");
    {
        Peek other(theirs);
        ASSERT_TRUE(other.exec("CREATE TABLE notes (text)"));
    }
    ::chmod(QFile::encodeName(theirs).constData(), 0644);
    QFile file(theirs);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    ASSERT_TRUE(QFile::link(theirs, path()));
    refused("to a database");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == before);
    EXPECT_EQ(mode(theirs), 0644);
    EXPECT_TRUE(QFileInfo(path()).isSymLink());

    // To nothing yet.
    QFile::remove(path());
    ASSERT_TRUE(QFile::link(home.filePath("nowhere.sqlite"), path()));
    refused("to nothing");
    EXPECT_FALSE(QFileInfo::exists(home.filePath("nowhere.sqlite")));

    // The folder, to a folder others may read.
    QDir(folder()).removeRecursively();
    const QString open = home.filePath("Public");
    QDir().mkpath(open);
    ::chmod(QFile::encodeName(open).constData(), 0755);
    ASSERT_TRUE(QFile::link(open, folder()));
    refused("the folder");
    EXPECT_EQ(mode(open), 0755);
    EXPECT_TRUE(QDir(open).isEmpty());

    // The data folder a link: the record is made behind it.
    QFile::remove(folder());
    const QString data = home.filePath("data");
    QDir().mkpath(data);
    ASSERT_TRUE(QFile::link(data, home.filePath("linked")));
    Store store(home.filePath("linked/lumora/record.sqlite"), prompter);
    EXPECT_TRUE(store.writable());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(QFileInfo(data + QStringLiteral("/lumora/record.sqlite")).isFile());
}

TEST_F(RecordTest, AFolderThatCannotBeMadeLeavesTheExercisesAloneWithOneWarning)
{
    // A file where the folder should be: no permission bits stop root, this does.
    QFile block(folder());
    ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    block.close();
    Store store(path(), prompter);
    EXPECT_FALSE(store.writable());
    store.runStarted(1, Variant::Basic);
    store.answered(right(1, "vagytok"));
    store.runEnded(true);
    EXPECT_EQ(prompter.messages.size(), 1u);
    const History h = store.history();
    EXPECT_TRUE(h.finished.empty() && h.missed.empty() && h.kinds.empty());
    EXPECT_EQ(std::count(h.practiceSeconds.begin(), h.practiceSeconds.end(), 0), 6);
    EXPECT_FALSE(store.exportCsv(home.filePath("out.csv")).isEmpty());
}

TEST_F(RecordTest, AFullDiskMidwayGivesOneWarningAndNoCrash)
{
    Store store(path(), prompter);
    ASSERT_TRUE(store.writable());
    store.runStarted(1, Variant::Basic);
    // Files may not grow past their size now, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{rlim_t(QFileInfo(path()).size() + 4096), limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    for (int i = 0; i < 3000; ++i)
        store.answered(wrong(i % 64, QString(200, u'x')));
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages.empty() || prompter.messages[0].text.contains(QStringLiteral("cannot write")));
    // Space again: nothing the learner answered is missing.
    QThread::msleep(1000);
    store.answered(right(1, "vagytok"));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(prompter.messages[1].text.contains(QStringLiteral("saved")));
    EXPECT_EQ(Peek(path()).column("SELECT COUNT(*) FROM answers"), "3001");
}

// Another program holds the record's write lock for longer than a write
// waits: the answers given meanwhile are kept and written with the first one
// after the lock is gone. The learner is told once each way.
TEST_F(RecordTest, AnswersGivenWhileAnotherProgramHoldsTheRecordAreWrittenLater)
{
    Store store(path(), prompter);
    store.runStarted(1, Variant::Basic);
    store.answered(wrong(1, "before"));
    {
        Peek other(path());
        ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
        store.answered(wrong(2, "locked out"));
        store.answered(right(2, "still locked out"));
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("cannot write")));
        ASSERT_TRUE(other.exec("COMMIT"));
    }
    QThread::msleep(1000); // a learner's pace
    store.answered(right(1, "after"));
    store.runStarted(2, Variant::Basic);
    store.answered({2, Variant::Basic, 50, 3, QStringLiteral("next run"), true, {}, {}});
    store.runEnded(true);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(prompter.messages[1].text.contains(QStringLiteral("saved")));

    Peek peek(path());
    EXPECT_EQ(peek.column("SELECT typed FROM answers ORDER BY rowid"), "before|locked out|still locked out|after|next run");
    EXPECT_EQ(peek.column("SELECT exercise || ' ' || finished || ' ' || correct || ' ' || wrong FROM runs ORDER BY id"),
              "1 0 2 2|2 1 1 0");
    EXPECT_EQ(peek.column("SELECT COUNT(*) FROM answers a JOIN runs r ON a.run = r.id AND a.exercise = r.exercise"),
              "5");
}

// A pasted book is not kept whole, and a huge cell planted in the file comes
// back short.
TEST_F(RecordTest, TextsAreBoundedWhenWrittenAndWhenRead)
{
    {
        Store store(path(), prompter);
        store.runStarted(1, Variant::Basic);
        store.answered(wrong(1, QString(100000, u'a')));
    }
    {
        Peek peek(path());
        EXPECT_EQ(peek.column("SELECT length(typed) FROM answers"), "500");
        ASSERT_TRUE(peek.exec("INSERT INTO answers SELECT at, exercise, variant, item, person, typed, correct, "
                              "printf('%.*c', 10000000, 'k'), run, prompt, person_word, expected FROM answers"));
        // Two bytes a letter: cut between letters, never inside one.
        ASSERT_TRUE(peek.exec("UPDATE answers SET typed = replace(hex(zeroblob(1000)), '00', 'ő') WHERE rowid = 2"));
    }
    Store store(path(), prompter);
    const History h = store.history();
    ASSERT_EQ(h.kinds.size(), 1u);
    EXPECT_EQ(h.kinds[0].kind, QString(40, u'k'));

    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    ASSERT_EQ(store.exportCsv(csv), QString());
    const QString text = QString::fromUtf8(csv.data());
    EXPECT_TRUE(text.contains(QString(500, u'ő') + u',')) << text.size();
    EXPECT_FALSE(text.contains(QString(501, u'ő')));
    EXPECT_TRUE(text.contains(u',' + QString(40, u'k') + u','));
    EXPECT_FALSE(text.contains(QString(41, u'k')));
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
}

TEST_F(RecordTest, FolderAndFilesAreTheOwnersAloneWhateverTheUmask)
{
    const mode_t before = ::umask(0);
    {
        Store store(path(), prompter);
        store.runStarted(1, Variant::Basic);
        store.answered(right(1, "vagytok")); // makes the journal files
        auto mode = [](const QString& p) {
            struct stat s {};
            return ::stat(QFile::encodeName(p).constData(), &s) == 0 ? int(s.st_mode & 0777) : -1;
        };
        EXPECT_EQ(mode(folder()), 0700);
        EXPECT_EQ(mode(path()), 0600);
        EXPECT_EQ(mode(path() + "-wal"), 0600);
    }
    ::umask(before);
}

// What a spreadsheet shows: words, items from 1, a Solution by name, every
// letter as typed and nothing taken for a formula.
TEST_F(RecordTest, ExportShowsTheAnswersInWordsAndTypedTextAsText)
{
    Store store(path(), prompter);
    store.runStarted(1, Variant::Basic);
    store.answered(wrong(0, QStringLiteral("=HYPERLINK(\"x\")")));
    store.answered(wrong(1, QStringLiteral("'; DROP TABLE answers; --")));
    store.answered(wrong(2, QStringLiteral("two\nlines")));
    store.answered(wrong(3, QStringLiteral("-ok, @te")));
    store.answered(solution(4, {QStringLiteral("+1"), QStringLiteral("ti"), QStringLiteral("a,b")}));
    const QString out = home.filePath("answers.csv");
    ASSERT_EQ(store.exportCsv(out), "");
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" "at,")) << "no byte-order mark";
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7) << lines.join(u'#').toStdString(); // header, five answers, the empty end
    EXPECT_EQ(lines[0], "at,exercise,variant,item,prompt,person,expected,typed,how,correct,mistake,run");
    const QString at = lines[1].section(u',', 0, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$"))
                    .match(at)
                    .hasMatch())
        << at.toStdString();
    EXPECT_EQ(lines[1].mid(at.size()), ",1,basic,1,ül,ti,ültök,\"'=HYPERLINK(\"\"x\"\")\",typed,0,,1");
    EXPECT_EQ(lines[2].mid(at.size()), ",1,basic,2,ül,ti,ültök,'; DROP TABLE answers; --,typed,0,,1");
    EXPECT_EQ(lines[3].mid(at.size()), ",1,basic,3,ül,ti,ültök,\"two\nlines\",typed,0,,1");
    EXPECT_EQ(lines[4].mid(at.size()), ",1,basic,4,ül,ti,ültök,\"'-ok, @te\",typed,0,,1");
    EXPECT_EQ(lines[5].mid(at.size()), ",1,basic,5,\"'+1\",ti,\"a,b\",,solution,0,,1");
    EXPECT_EQ(lines[6], "");
}

// The old export stays as it was until a new one is whole; the new one is
// the learner's alone whatever the umask.
TEST_F(RecordTest, AnExportReplacesTheOldFileOnlyWhenWhole)
{
    const QString target = home.filePath("answers.csv");
    auto writeOld = [&] {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old export\r\n");
    };
    auto contents = [&] {
        QFile f(target);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    writeOld();
    {
        Store store(path(), prompter);
        store.runStarted(3, Variant::Basic);
        for (int i = 0; i < 2000; ++i)
            store.answered({3, Variant::Basic, i % 32, 22, QString(200, u'x'), false, {}, {}});
        // The disk fills up while the export is written.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{64 * 1024, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
        const QString why = store.exportCsv(target);
        setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_EQ(why, QString::fromLocal8Bit(std::strerror(EFBIG)));
        EXPECT_EQ(contents(), "the old export\r\n");

        const mode_t before = ::umask(0);
        EXPECT_EQ(store.exportCsv(target), "");
        ::umask(before);
        EXPECT_EQ(contents().count(QStringLiteral("\r\n")), 2001);
        struct stat s {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &s), 0);
        EXPECT_EQ(s.st_mode & 0777, 0600u);
    }
    // A record whose answers are not ours cannot be exported, and says why.
    writeOld();
    QFile::remove(path());
    {
        Peek foreign(path());
        ASSERT_TRUE(foreign.exec("CREATE TABLE answers (x)"));
        ASSERT_TRUE(foreign.exec("PRAGMA user_version = 2"));
    }
    Store store(path(), prompter);
    const QString why = store.exportCsv(target);
    EXPECT_TRUE(why.contains(QStringLiteral("cannot be read"))) << why.toStdString();
    EXPECT_EQ(contents(), "the old export\r\n");
}

// A record the program kept before the words (the file is one it made then):
// every answer gets its words from the lesson's tables once, and the export
// is the one written out by hand, in Central European time.
TEST_F(RecordTest, AVersionTwoRecordGetsTheWordsOfEveryAnswerAndExportsThem)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    ::tzset();
    QDir().mkpath(folder());
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_DATA "/record-v2.sqlite"), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    {
        Store store(path(), prompter);
        ASSERT_TRUE(store.writable());
        ASSERT_EQ("", store.exportCsv(home.filePath("answers.csv")));
        Peek peek(path());
        EXPECT_EQ(peek.column("PRAGMA user_version"), "3");
        EXPECT_EQ(peek.column("SELECT COUNT(*) FROM answers"), "62");
        EXPECT_EQ(peek.column("SELECT COUNT(*) FROM answers WHERE prompt IS NULL OR prompt = '' "
                              "OR person_word IS NULL OR person_word = '' OR expected IS NULL"),
                  "0");
    }
    EXPECT_TRUE(prompter.messages.empty());
    QFile written(home.filePath("answers.csv"));
    QFile expected(QStringLiteral(TEST_DATA "/record-v2.csv"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    const QStringList got = QString::fromUtf8(written.readAll()).split(QStringLiteral("\r\n"));
    const QStringList want = QString::fromUtf8(expected.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(got.size(), want.size());
    for (int i = 0; i < std::min(got.size(), want.size()); ++i)
        EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    ::tzset();
}

// The same field as text and as UTF-8 (the export's way): a formula gets
// its apostrophe, quotes are doubled, plain text stays as it is.
TEST(Csv, EveryFormulaStartIsDefused)
{
    auto both = [](const QString& text) {
        QByteArray utf8;
        appendCsvField(utf8, text.toUtf8());
        EXPECT_EQ(QString::fromUtf8(utf8), csvField(text)) << text.toStdString();
        return csvField(text);
    };
    for (const char16_t* start : {u"=", u"+", u"-", u"@", u"\t", u"\r", u"\uFF1D", u"\uFF0B", u"\uFF0D", u"\uFF20",
                                  u" =", u"\u00A0+", u"\uFEFF@", u" \u3000\u00A0-", u"\t x"}) {
        const QString field = both(QString::fromUtf16(start) + QStringLiteral("1+1"));
        EXPECT_TRUE(field.startsWith(QStringLiteral("\"'"))) << field.toStdString();
    }
    EXPECT_EQ(both(QStringLiteral("mentek")), "mentek");
    EXPECT_EQ(both(QStringLiteral(" a=b")), " a=b");
    EXPECT_EQ(both(QStringLiteral("a\"b")), "\"a\"\"b\"");
    EXPECT_EQ(both(QStringLiteral("a,b")), "\"a,b\"");
}

} // namespace

// What start-up and My progress read is kept with each answer, also with the
// answers written late, and is what a fresh count of every answer gives.
TEST_F(RecordTest, TheSummaryKeptWithEachAnswerIsTheOneMadeFromAllAnswers)
{
    auto write = [](Store& store, const Answer& a) {
        store.answered(a);
        QThread::msleep(2); // answers a learner gives are milliseconds apart
    };
    const Words going{QStringLiteral("megy"), QStringLiteral("ti"), QStringLiteral("mentek")};
    const Words gap{QStringLiteral("ház"), QStringLiteral("Péter"), QStringLiteral("ban")};
    History kept;
    std::vector<Waiting> keptBoxes;
    {
        Store store(path(), prompter);
        store.runStarted(1, Variant::Basic);
        write(store, {1, Variant::Basic, 7, 4, QStringLiteral("x"), false, QStringLiteral("harmony"), sitting});
        write(store, {1, Variant::Basic, 7, 4, QStringLiteral("y"), false, QStringLiteral("harmony"), sitting});
        write(store, right(7, "ültök"));
        write(store, solution(9, going));
        write(store, right(9, "mentek", going));
        write(store, right(5, "laktok"));
        store.runEnded(true);
        {
            Peek other(path()); // the review run waits to be written
            ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
            store.runStarted(1, Variant::Review);
            write(store, {1, Variant::Review, 7, 4, QStringLiteral("ültök"), true, {}, sitting});
            write(store, {1, Variant::Review, 9, 4, QStringLiteral("x"), false, QStringLiteral("stem"), going});
            ASSERT_TRUE(other.exec("COMMIT"));
        }
        QThread::msleep(1000);
        write(store, {1, Variant::Review, 9, 4, QStringLiteral("mentek"), true, {}, going});
        store.runEnded(true);
        store.runStarted(5, Variant::Basic);
        write(store, {5, Variant::Basic, 3, 1, QStringLiteral("x"), false, QStringLiteral("stem"), gap});
        kept = store.history();
        keptBoxes = store.reviewBoxes().waiting();
    }
    EXPECT_EQ(Peek(path()).column("SELECT COUNT(*) FROM answers"), "10");

    // Item 7 went to box 2 in the review; item 9, missed again there, and the gap of exercise 5 wait in box 1.
    const std::vector<std::pair<ReviewItem, int>> waiting = {
        {{1, false, 9, 4}, 1}, {{1, false, 7, 4}, 2}, {{5, false, 3, 1}, 1}};
    ASSERT_EQ(keptBoxes.size(), waiting.size());
    for (std::size_t i = 0; i < waiting.size(); ++i) {
        EXPECT_EQ(keptBoxes[i].item, waiting[i].first) << i;
        EXPECT_EQ(keptBoxes[i].box, waiting[i].second) << i;
    }
    ASSERT_EQ(kept.finished.size(), 2u);
    EXPECT_EQ(kept.finished[0].firstTry, 1); // of 7, 9 and 5 only 5 at once
    EXPECT_EQ(kept.finished[1].firstTry, 1); // of 7 and 9, 7
    ASSERT_EQ(kept.missed.size(), 3u); // item 9 missed in the basic run and in the review: one item
    EXPECT_EQ(kept.missed[0].words.expected, "ültök");
    EXPECT_EQ(kept.missed[0].misses, 2);
    EXPECT_EQ(kept.missed[1].words.expected, "mentek");
    EXPECT_EQ(kept.missed[1].misses, 2);
    EXPECT_EQ(kept.missed[2].words.person, "Péter");
    ASSERT_EQ(kept.kinds.size(), 3u);
    EXPECT_EQ(kept.kinds[0].kind, "harmony");
    EXPECT_EQ(kept.kinds[0].count, 2);

    Peek(path()).exec("DELETE FROM summary"); // as if another program had written
    Store again(path(), prompter);
    const History made = again.history();
    const std::vector<Waiting> madeBoxes = again.reviewBoxes().waiting();
    ASSERT_EQ(madeBoxes.size(), keptBoxes.size());
    for (std::size_t i = 0; i < madeBoxes.size(); ++i) {
        EXPECT_EQ(madeBoxes[i].item, keptBoxes[i].item) << i;
        EXPECT_EQ(madeBoxes[i].box, keptBoxes[i].box) << i;
    }
    ASSERT_EQ(made.finished.size(), kept.finished.size());
    for (std::size_t i = 0; i < made.finished.size(); ++i)
        EXPECT_EQ(made.finished[i].firstTry, kept.finished[i].firstTry) << i;
    ASSERT_EQ(made.missed.size(), kept.missed.size());
    for (std::size_t i = 0; i < made.missed.size(); ++i)
        EXPECT_EQ(std::tie(made.missed[i].exercise, made.missed[i].words.prompt, made.missed[i].words.person,
                           made.missed[i].words.expected, made.missed[i].misses),
                  std::tie(kept.missed[i].exercise, kept.missed[i].words.prompt, kept.missed[i].words.person,
                           kept.missed[i].words.expected, kept.missed[i].misses));
    ASSERT_EQ(made.kinds.size(), kept.kinds.size());
    for (std::size_t i = 0; i < made.kinds.size(); ++i)
        EXPECT_EQ(std::tie(made.kinds[i].exercise, made.kinds[i].kind, made.kinds[i].count),
                  std::tie(kept.kinds[i].exercise, kept.kinds[i].kind, kept.kinds[i].count));
    EXPECT_EQ(prompter.messages.size(), 2u); // the write that waited, and that it was written
}

// The summary is read as warily as the answers: an item the lesson does not
// have never reaches a review run (it would be asked) nor My progress.
TEST_F(RecordTest, SummaryRowsTheLessonDoesNotHaveAreLeftOut)
{
    {
        Store store(path(), prompter);
        store.runStarted(1, Variant::Basic);
        store.answered(wrong(7, QStringLiteral("x")));
    }
    {
        Peek peek(path());
        for (const char* row : {"INSERT INTO boxes VALUES (1, 1, 3, 999, 1, 0)", // no such person
                                "INSERT INTO boxes VALUES (2, 0, 3, 2, 1, 0)",   // an item of exercise 1
                                "INSERT INTO boxes VALUES (3, 0, 2, 5, 1, 0)",   // not a person of exercise 3
                                "INSERT INTO boxes VALUES (5, 0, 18, 1, 1, 0)",  // one gap too far
                                "INSERT INTO misses VALUES (1, 'extended', 3, 999, 4, 'ír', '?', '?')",
                                "INSERT INTO misses VALUES (1, 'basic', 7.5, 4, 2, 'ül', 'ti', 'ültök')", // no whole number
                                "INSERT INTO kinds VALUES (4, 'person', 3)", // there is no exercise 4
                                "INSERT INTO runs VALUES (NULL, 4, 'basic', '2026-03-01T10:00:00.000Z', "
                                "'2026-03-01T10:05:00.000Z', 1, 12, 0)",
                                "INSERT INTO runs VALUES (NULL, 1, 'basic', '2026-03-02T10:00:00.000Z', "
                                "'2026-03-02T10:05:00.000Z', 1, 46, 0)",
                                // Ends ten minutes before it starts: no practice taken away.
                                "INSERT INTO runs VALUES (NULL, 1, 'basic', '2026-03-03T10:10:00.000Z', "
                                "'2026-03-03T10:00:00.000Z', 1, 46, 0)"})
            ASSERT_TRUE(peek.exec(row)) << row;
    }
    Store store(path(), prompter);
    const std::vector<Waiting> waiting = store.reviewBoxes().waiting();
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_EQ(waiting[0].item, (ReviewItem{1, false, 7, 4}));
    const History h = store.history();
    EXPECT_EQ(h.missed.size(), 1u);
    EXPECT_EQ(h.unreadable, 5);
    EXPECT_TRUE(h.kinds.empty());
    ASSERT_EQ(h.finished.size(), 1u);
    EXPECT_EQ(h.finished[0].exercise, 1);
    EXPECT_GE(h.practiceSeconds[1], 300); // and the seconds of the run begun above
    EXPECT_LT(h.practiceSeconds[1], 310);
}

// My progress reads the history again only when something was written: by
// this program or by another one (a second copy, a tool).
TEST_F(RecordTest, TheHistoryIsReadAgainAfterEveryWriteFromHereOrElsewhere)
{
    Store store(path(), prompter);
    store.runStarted(1, Variant::Basic);
    store.answered(right(7, QStringLiteral("ültök")));
    store.runEnded(true);
    ASSERT_EQ(store.history().finished.size(), 1u);
    EXPECT_EQ(store.history().finished.size(), 1u);

    ASSERT_TRUE(Peek(path()).exec("INSERT INTO runs VALUES (NULL, 3, 'basic', '2026-03-01T10:00:00.000Z', "
                                  "'2026-03-01T10:05:00.000Z', 1, 32, 0)"));
    EXPECT_EQ(store.history().finished.size(), 2u);

    store.runStarted(5, Variant::Basic);
    store.answered({5, Variant::Basic, 3, 1, QStringLiteral("ban"), true, {}, {}});
    EXPECT_EQ(store.history().finished.size(), 2u);
    store.runEnded(true);
    EXPECT_EQ(store.history().finished.size(), 3u);
}

// The review's input: the first answer to each item in each run, oldest
// first; kept in step with new answers exactly as a fresh read gives them.
TEST_F(RecordTest, FirstTriesAreEachRunsFirstAnswerToEachItem)
{
    auto write = [](Store& store, const Answer& a) {
        store.answered(a);
        QThread::msleep(2); // answers a learner gives are milliseconds apart
    };
    std::vector<FirstTry> kept;
    {
        Store store(path(), prompter);
        store.runStarted(1, Variant::Basic);
        write(store, wrong(7, "ültök?"));
        write(store, right(7, "ültök"));
        write(store, right(5, "laktok"));
        store.runEnded(true);
        EXPECT_EQ(store.firstTries().size(), 2u); // read now, kept from here on
        store.runStarted(1, Variant::Review);
        write(store, {1, Variant::Review, 7, 4, QStringLiteral("ültök"), true, {}, sitting});
        write(store, {1, Variant::Review, 7, 4, QStringLiteral("x"), false, {}, sitting});
        write(store, {1, Variant::Review, 64 + 3, 4, std::nullopt, false, {}, {}});
        store.runEnded(true);
        kept = store.firstTries();
    }
    Store again(path(), prompter);
    const std::vector<FirstTry> read = again.firstTries();
    const std::vector<std::pair<ReviewItem, bool>> expected = {
        {{1, false, 7, 4}, false}, {{1, false, 5, 4}, true}, {{1, false, 7, 4}, true}, {{1, true, 3, 4}, false}};
    for (const std::vector<FirstTry>& tries : {kept, read}) {
        ASSERT_EQ(tries.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(tries[i].item, expected[i].first) << i;
            EXPECT_EQ(tries[i].right, expected[i].second) << i;
            EXPECT_EQ(tries[i].review, i >= 2) << i;
        }
    }
}

// A record of the version before (no Listen answers) opens with nothing
// written and exports as it did; Listen answers then come as their own
// variant, and a heard sentence reviewed is counted from 1 as its picture.
TEST_F(RecordTest, AnOldRecordOpensAsItWasAndListenAnswersAreAVariantOfTheirOwn)
{
    QDir().mkpath(folder());
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_DATA "/record-v2.sqlite"), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    auto bytes = [this] {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    { Store upgraded(path(), prompter); } // as the version before left it
    const QByteArray before = bytes();
    Store store(path(), prompter);
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    ASSERT_EQ(store.exportCsv(csv), "");
    EXPECT_EQ(bytes(), before);
    const Words bench{QStringLiteral("A woman on a bench"), QStringLiteral("te"), QStringLiteral("Egy padon ülsz.")};
    for (auto [variant, item] : {std::pair{Variant::Listen, 12}, std::pair{Variant::Review, 32 + 12}}) {
        store.runStarted(3, variant);
        store.answered({3, variant, item, 2, QStringLiteral("Egy padon ülök."), false, QStringLiteral("person"), bench});
        store.runEnded(false);
    }
    QBuffer now;
    now.open(QIODevice::WriteOnly);
    ASSERT_EQ(store.exportCsv(now), "");
    ASSERT_TRUE(now.data().startsWith(csv.data()));
    const QStringList added = QString::fromUtf8(now.data().mid(csv.data().size())).split(QStringLiteral("\r\n"));
    ASSERT_EQ(added.size(), 3);
    for (int i : {0, 1})
        EXPECT_EQ(added[i].section(u',', 1, 3), i == 0 ? "3,listen,13" : "3,review,13") << added[i].toStdString();
    const std::vector<ReviewItem> waiting = store.reviewBoxes().waiting(3);
    EXPECT_EQ(std::count(waiting.begin(), waiting.end(), ReviewItem{3, true, 12, 2}), 1);
    EXPECT_EQ(std::count(waiting.begin(), waiting.end(), ReviewItem{3, false, 12, 2}), 0);
}
