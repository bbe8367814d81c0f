// The program started from outside, as from a terminal, cron or SSH: with
// no display at all.
#include "record/store.h"
#include "recording.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Ran {
    int code;
    bool crashed;
    QString out, err;
};

// The program with these arguments, no display and a record in home.
Ran lumora(const QStringList& arguments, const QString& home, const std::function<void()>& inChild = {},
           const QString& program = QStringLiteral(LUMORA))
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home);
    QProcess process;
    process.setProcessEnvironment(environment);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.exitStatus() == QProcess::CrashExit,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

TEST(CommandLine, HelpVersionAndExportNeedNoDisplay)
{
    QTemporaryDir home;
    const Ran help = lumora({QStringLiteral("--help")}, home.path());
    EXPECT_FALSE(help.crashed) << help.err.toStdString();
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--export-csv <file>"))) << help.out.toStdString();

    const Ran version = lumora({QStringLiteral("--version")}, home.path());
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^lumora \\d+\\.\\d+\\.\\d+\\n$")).match(version.out).hasMatch())
        << version.out.toStdString();

    const QString csv = home.filePath(QStringLiteral("answers.csv"));
    const Ran exported = lumora({QStringLiteral("--export-csv"), csv}, home.path());
    EXPECT_FALSE(exported.crashed) << exported.err.toStdString();
    EXPECT_EQ(exported.code, 0) << exported.err.toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("\r\n")); // the header row at least

    const Ran toStandardOutput = lumora({QStringLiteral("--export-csv"), QStringLiteral("-")}, home.path());
    EXPECT_EQ(toStandardOutput.code, 0);
    file.seek(0);
    EXPECT_EQ(toStandardOutput.out, QString::fromUtf8(file.readAll()));

    EXPECT_EQ(lumora({QStringLiteral("--export-csv"), QStringLiteral("/dev/null")}, home.path()).code, 0);

    const Ran nowhere = lumora({QStringLiteral("--export-csv"), home.filePath(QStringLiteral("none/answers.csv"))},
                               home.path());
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_TRUE(nowhere.err.contains(QString::fromLocal8Bit(std::strerror(ENOENT)))) << nowhere.err.toStdString();

    const Ran unknown = lumora({QStringLiteral("--export-csv"), csv, QStringLiteral("--colour")}, home.path());
    EXPECT_EQ(unknown.code, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("colour"))) << unknown.err.toStdString();

    // Qt's own options reach the application (here it needs no display), and
    // what is left after them must still be the program's.
    const Ran qtOption = lumora({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--colour")},
                                home.path());
    EXPECT_FALSE(qtOption.crashed) << qtOption.err.toStdString();
    EXPECT_EQ(qtOption.code, 1);
    EXPECT_TRUE(qtOption.err.contains(QStringLiteral("colour"))) << qtOption.err.toStdString();
}

// A limit on file sizes (ulimit -f) is a write that fails, as on a full
// disk: a warning, not the end of the program by SIGXFSZ.
TEST(CommandLine, AFileSizeLimitIsAWarning)
{
    QTemporaryDir home;
    const Ran limited = lumora({QStringLiteral("--export-csv"), QStringLiteral("-")}, home.path(), [] {
        const rlimit small{31 * 1024, 31 * 1024};
        setrlimit(RLIMIT_FSIZE, &small);
    });
    EXPECT_FALSE(limited.crashed);
    EXPECT_EQ(limited.code, 1);
    EXPECT_TRUE(limited.err.contains(QStringLiteral("cannot write your record"))) << limited.err.toStdString();
    // Without the limit the record starts as if nothing had happened.
    const Ran free = lumora({QStringLiteral("--export-csv"), QStringLiteral("-")}, home.path());
    EXPECT_EQ(free.code, 0) << free.err.toStdString();
    EXPECT_EQ(free.err, "");
}

// A record the learner may read but not write: shown and exported, and the
// notice comes at the start. Root may write any file, so as root the program
// runs as nobody, from a copy in a folder made for the test: nobody may be
// unable to reach the checkout (a clone in root's home).
TEST(CommandLine, AReadOnlyRecordIsExportedWithANotice)
{
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("lumora"));
    {
        lumora::test::RecordingPrompter prompter;
        lumora::record::Store store(folder + QStringLiteral("/record.sqlite"), prompter);
        store.runStarted(3, lumora::record::Variant::Basic);
        store.answered({3, lumora::record::Variant::Basic, 4, 11, QStringLiteral("Moziba megyünk."), true, {}, {}});
    }
    ::chmod(QFile::encodeName(folder + QStringLiteral("/record.sqlite")).constData(), 0400);
    const bool root = ::geteuid() == 0;
    QTemporaryDir place;
    QString program = QStringLiteral(LUMORA);
    if (root) {
        for (const QString& p : {home.path(), folder, folder + QStringLiteral("/record.sqlite")})
            ASSERT_EQ(::chown(QFile::encodeName(p).constData(), 65534, 65534), 0);
        program = place.filePath(QStringLiteral("lumora"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMORA), program));
        ASSERT_EQ(::chmod(QFile::encodeName(place.path()).constData(), 0755), 0);
    }
    const Ran read = lumora({QStringLiteral("--export-csv"), QStringLiteral("-")}, home.path(), [root] {
        if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
    }, program);
    EXPECT_EQ(read.code, 0) << read.err.toStdString();
    EXPECT_TRUE(read.out.contains(QStringLiteral("Moziba megyünk."))) << read.out.toStdString();
    EXPECT_TRUE(read.err.contains(QStringLiteral("may not write"))) << read.err.toStdString();
}

} // namespace
