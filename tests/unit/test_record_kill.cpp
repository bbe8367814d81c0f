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

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("after"));
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("ok"));
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT typed FROM answers")));
        QSet<QString> kept;
        while (q.next())
            kept << q.value(0).toString();
        QStringList lost;
        for (const QString& c : confirmed)
            if (!kept.contains(c))
                lost << c;
        EXPECT_TRUE(lost.isEmpty()) << lost.size() << " confirmed answers lost, e.g. " << lost.value(0).toStdString();
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("after"));
}

} // namespace
