#include "core/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace lumora {

void nameApplication()
{
    const QString name = QStringLiteral("lumora");
    QCoreApplication::setApplicationName(name);
    // Read before the organisation is named: QSettings's folder without one.
    const QString old = QSettings().fileName();
    QCoreApplication::setOrganizationName(name);
    QCoreApplication::setOrganizationDomain(QStringLiteral("example.org"));
    const QString now = QSettings().fileName();
    if (old == now || !QFileInfo::exists(old) || QFileInfo::exists(now))
        return;
    QDir().mkpath(QFileInfo(now).path());
    if (QFile::rename(old, now))
        QDir().rmdir(QFileInfo(old).path()); // only when nothing else is in it
}

} // namespace lumora
