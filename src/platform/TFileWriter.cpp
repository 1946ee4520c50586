#include "TFileWriter.h"

#include "TFileBatch.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace {

QString DecodeName(const std::string& fileName) {
    return QFile::decodeName(QByteArray(fileName.data(), qsizetype(fileName.size())));
}

} // namespace

bool TFileWriter::WriteAll(const std::string& fileName, const std::string& bytes) {
    TFileBatch batch;
    return batch.Prepare(fileName, bytes) && batch.Commit();
}

bool TFileWriter::ReadAll(const std::string& fileName, std::string& out, std::string* why,
                          std::size_t limit) {
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason.toStdString();
        return false;
    };
    if (fileName.empty())
        return fail(QStringLiteral("the file has no name"));
    const QFileInfo info(DecodeName(fileName));
    if (info.isDir())
        return fail(QStringLiteral("it is a folder, not a file"));
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    // Only as much as asked for: a reader never allocates for what it would refuse anyway.
    const bool tooLong = file.size() >= 0 && std::size_t(file.size()) > limit;
    const QByteArray data = tooLong ? file.read(qint64(limit) + 1) : file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    out.assign(data.constData(), std::size_t(data.size()));
    return true;
}

bool TFileWriter::Exists(const std::string& fileName) {
    if (fileName.empty())
        return false;
    const QFileInfo info(DecodeName(fileName));
    return info.exists() && !info.isDir();
}

bool TFileWriter::PathExists(const std::string& fileName) {
    return !fileName.empty() && QFileInfo::exists(DecodeName(fileName));
}

std::string TFileWriter::AbsolutePath(const std::string& fileName) {
    if (fileName.empty())
        return fileName;
    const QByteArray absolute =
        QFile::encodeName(QFileInfo(DecodeName(fileName)).absoluteFilePath());
    return std::string(absolute.constData(), std::size_t(absolute.size()));
}
