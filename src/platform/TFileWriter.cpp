#include "TFileWriter.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace {

QString DecodeName(const std::string& fileName) {
    return QFile::decodeName(QByteArray(fileName.data(), qsizetype(fileName.size())));
}

} // namespace

bool TFileWriter::WriteAll(const std::string& fileName, const std::string& bytes) {
    if (fileName.empty())
        return false;
    QSaveFile file(DecodeName(fileName));
    // Never write in place: if the temporary file cannot be made, the save fails.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool TFileWriter::ReadAll(const std::string& fileName, std::string& out) {
    if (fileName.empty())
        return false;
    QFile file(DecodeName(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    out.assign(data.constData(), std::size_t(data.size()));
    return true;
}

bool TFileWriter::Exists(const std::string& fileName) {
    if (fileName.empty())
        return false;
    const QFileInfo info(DecodeName(fileName));
    return info.exists() && !info.isDir();
}
