// The learner's record on temporary files: its layout, its migration, what
// it keeps of a run, the faults it survives and the CSV a teacher opens.
#include "record/csv.h"
#include "record/store.h"
#include "recording.h"

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
#include <csignal>
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
    QStringList aside() const
    {
        return QDir(folder()).entryList({QStringLiteral("record.sqlite.damaged-*")}, QDir::AllEntries | QDir::System);
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
    EXPECT_TRUE(store.history().empty());
    EXPECT_FALSE(store.exportCsv(home.filePath("out.csv")));
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
    ASSERT_TRUE(store.exportCsv(out));
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
        ASSERT_TRUE(store.exportCsv(home.filePath("answers.csv")));
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

TEST(Csv, EveryFormulaStartIsDefused)
{
    for (const char* start : {"=", "+", "-", "@", "\t", "\r"}) {
        const QString field = csvField(QLatin1String(start) + QStringLiteral("1+1"));
        EXPECT_TRUE(field.startsWith(QStringLiteral("\"'"))) << field.toStdString();
    }
    EXPECT_EQ(csvField(QStringLiteral("mentek")), "mentek");
    EXPECT_EQ(csvField(QStringLiteral("a\"b")), "\"a\"\"b\"");
}

} // namespace

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
