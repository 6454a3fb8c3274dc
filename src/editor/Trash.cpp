#include "editor/Trash.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace krel {
namespace fs = std::filesystem;
namespace {

#ifdef Q_OS_LINUX
// The home trash of the desktop's trash convention: files/ holds the file, info/ a note of
// where it came from. The platform call can pick a folder relative to the working folder when
// it cannot settle on a trash, scattering "files" and "info" there, so the home trash is
// written here directly and only into the user's data folder.
QString homeTrash() {
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || QDir::isRelativePath(data))
        return {};
    QString trash = data + QStringLiteral("/Trash");
    if (!QDir().mkpath(trash + QStringLiteral("/files")) ||
        !QDir().mkpath(trash + QStringLiteral("/info")))
        return {};
    return trash;
}

// A name in the trash that is not taken yet; its info file is created exclusively.
bool reserveTrashName(const QString& trash, const QString& original, QString& name, QFile& info) {
    QString base = QFileInfo(original).fileName();
    for (int n = 0; n < 10000; ++n) {
        name = n == 0 ? base : base + QStringLiteral("-%1").arg(n);
        if (QFileInfo::exists(trash + QStringLiteral("/files/") + name))
            continue;
        info.setFileName(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
        if (info.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
    }
    return false;
}

bool moveToHomeTrash(const QString& original) {
    QString trash = homeTrash();
    QString name;
    QFile info;
    if (trash.isEmpty() || !reserveTrashName(trash, original, name, info))
        return false;
    info.write("[Trash Info]\nPath=");
    info.write(QUrl::toPercentEncoding(original, "/"));
    info.write("\nDeletionDate=");
    info.write(QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8());
    info.write("\n");
    info.close();
    if (QFile::rename(original, trash + QStringLiteral("/files/") + name))
        return true;
    info.remove();
    return false;
}
#else
bool moveToHomeTrash(const QString& original) {
    return QFile::moveToTrash(original);
}
#endif

} // namespace

bool MoveToTrashOrDelete(const fs::path& file) {
    QString original = QFileInfo(QFile::decodeName(file.c_str())).absoluteFilePath();
    if (moveToHomeTrash(original))
        return true;
    std::error_code error;
    return fs::remove(file, error);
}

} // namespace krel
