#include "TFileWriter.h"

#include "TFileBatch.h"
#include "TReadFile.h"

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
    TReadFile file(fileName);
    std::string bytes;
    if (!file.IsOpen() || !file.ReadAll(bytes, limit)) {
        if (why)
            *why = file.Error();
        return false;
    }
    out = std::move(bytes);
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
