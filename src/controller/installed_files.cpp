#include "installed_files.h"

#include <QDir>
#include <QFileInfo>

#include "build_info.h"

namespace kav {

QString installedDataDir(const QString& programDir)
{
    if (programDir.isEmpty())
        return {};
    const QString dir = QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(KAV_INSTALLED_DATA_DIR)));
    return QFileInfo(dir).isDir() ? dir + u'/' : QString();
}

QString findSharedFile(const QString& programDir, const QString& name)
{
    const QString beside = QDir(programDir).filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString dataDir = installedDataDir(programDir);
    if (!dataDir.isEmpty() && QFileInfo::exists(dataDir + name))
        return dataDir + name;
    return beside;
}

} // namespace kav
