#include "user_files.h"

#include "common/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace common {
namespace {

constexpr const char* SuiteFolderName = "hf-antenna-suite";

QString userFolder(UserFile kind) {
    const QString base = QStandardPaths::writableLocation(
        kind == UserFile::Defaults ? QStandardPaths::GenericConfigLocation
                                   : QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(SuiteFolderName);
}

} // namespace

bool FolderWritable(const std::string& folder) {
    const QFileInfo info(QString::fromStdString(folder));
    constexpr QFile::Permissions anyWrite =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isDir() && info.isWritable() && (info.permissions() & anyWrite);
}

std::string UserFilePath(const std::string& programFolder, const std::string& name, UserFile kind) {
    return InFolder(UserFileFolder(programFolder, name, kind), name);
}

std::string UserFileFolder(const std::string& programFolder, const std::string& name,
                           UserFile kind) {
    // A folder that is not there is no installed suite: its files fail where they are.
    if (FolderWritable(programFolder) || !QFileInfo(QString::fromStdString(programFolder)).isDir())
        return programFolder;
    const QString folder = userFolder(kind);
    QDir().mkpath(folder); // a folder that cannot be made shows as a file that cannot be written
    const QString path = QDir(folder).filePath(QString::fromStdString(name));
    const QString installed = QString::fromStdString(InFolder(programFolder, name));
    if (kind == UserFile::Defaults && !QFileInfo::exists(path) && QFileInfo::exists(installed) &&
        QFile::copy(installed, path))
        // The installed copy is read-only; the user's is theirs to rewrite.
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
    return folder.toStdString();
}

} // namespace common
