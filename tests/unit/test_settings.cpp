// Where the settings and the record are kept once the application is named.
#include "core/settings.h"
#include "record/store.h"
#include "recording.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

using namespace lumora;

namespace {

void write(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

bool explains() { return QSettings().value(QStringLiteral("explainMistakes"), true).toBool(); }

} // namespace

TEST(Settings, AnEarlierFileMovesOnceAndTheRecordStaysInItsFolder)
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString old = config + "/Unknown Organization/lumora.conf";
    write(old, "[General]\nexplainMistakes=false\n");

    nameApplication();
    EXPECT_EQ(QSettings().fileName(), config + "/lumora/lumora.conf");
    EXPECT_FALSE(explains());
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_FALSE(QFileInfo::exists(config + "/Unknown Organization"));
    EXPECT_EQ(record::Store::defaultPath(), qEnvironmentVariable("XDG_DATA_HOME") + "/lumora/record.sqlite");

    // An earlier file that shows up again is left alone: the program's own wins.
    write(old, "[General]\nexplainMistakes=true\nother=1\n");
    QCoreApplication::setOrganizationName({});
    QCoreApplication::setOrganizationDomain({});
    nameApplication();
    EXPECT_FALSE(explains());
    EXPECT_TRUE(QFileInfo::exists(old));
}
