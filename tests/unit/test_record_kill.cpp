// kill -9 at random moments while answers are written: afterwards the record
// is whole and holds every answer it confirmed. LUMORA_KILLS sets how many
// kills (20 by default; README: 500 for the long run).
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QVariant>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Every typed text in the record.
QSet<QString> keptAnswers(const QString& path, QString* integrity)
{
    QSet<QString> kept;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("after"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next())
            *integrity = q.value(0).toString();
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT typed FROM answers")));
        while (q.next())
            kept << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("after"));
    return kept;
}

QStringList lost(const QSet<QString>& confirmed, const QSet<QString>& kept)
{
    QStringList missing;
    for (const QString& c : confirmed)
        if (!kept.contains(c))
            missing << c;
    return missing;
}

TEST(RecordKill, EveryConfirmedAnswerSurvivesKillNine)
{
    const int kills = qEnvironmentVariableIsSet("LUMORA_KILLS") ? qEnvironmentVariableIntValue("LUMORA_KILLS") : 20;
    QTemporaryDir home;
    const QString path = home.filePath(QStringLiteral("lumora/record.sqlite"));
    QRandomGenerator random(14);
    QSet<QString> confirmed;
    for (int k = 0; k < kills; ++k) {
        QProcess writer;
        const QString prefix = QStringLiteral("k%1-").arg(k);
        writer.start(QStringLiteral(RECORD_WRITER), {path, prefix});
        ASSERT_TRUE(writer.waitForStarted());
        // Mostly while answers flow, now and then while the record is opened.
        if (random.bounded(4) != 0)
            writer.waitForReadyRead(5000);
        QThread::usleep(random.bounded(1000, 60000));
        writer.kill(); // SIGKILL
        writer.waitForFinished();
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << writer.readAllStandardError().toStdString();
        for (const QByteArray& line : writer.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                confirmed << prefix + QString::fromLatin1(line);
    }
    ASSERT_GT(confirmed.size(), kills); // answers were written in most rounds

    QString integrity;
    const QStringList missing = lost(confirmed, keptAnswers(path, &integrity));
    EXPECT_EQ(integrity, QStringLiteral("ok"));
    EXPECT_TRUE(missing.isEmpty()) << missing.size() << " confirmed answers lost, e.g. " << missing.value(0).toStdString();
}

TEST(RecordKill, TwoCopiesWritingAtOnceBothKeepEveryAnswer)
{
    QTemporaryDir home;
    const QString path = home.filePath(QStringLiteral("lumora/record.sqlite"));
    QProcess first, second;
    first.start(QStringLiteral(RECORD_WRITER), {path, QStringLiteral("a")});
    second.start(QStringLiteral(RECORD_WRITER), {path, QStringLiteral("b")});
    ASSERT_TRUE(first.waitForStarted() && second.waitForStarted());
    QThread::msleep(1500);
    QSet<QString> confirmed;
    for (auto [writer, prefix] : {std::pair{&first, "a"}, std::pair{&second, "b"}}) {
        writer->kill();
        writer->waitForFinished();
        const QByteArray warning = writer->readAllStandardError();
        EXPECT_TRUE(warning.isEmpty()) << warning.toStdString(); // it never gave up writing
        int count = 0;
        for (const QByteArray& line : writer->readAllStandardOutput().split('\n'))
            if (!line.isEmpty()) {
                confirmed << QLatin1String(prefix) + QString::fromLatin1(line);
                ++count;
            }
        EXPECT_GT(count, 10) << prefix;
    }
    QString integrity;
    EXPECT_TRUE(lost(confirmed, keptAnswers(path, &integrity)).isEmpty());
    EXPECT_EQ(integrity, QStringLiteral("ok"));
}

} // namespace
