#include "FileNameText.h"

#include <QByteArray>
#include <QFile>

QString FileNameText::Decode(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

std::string FileNameText::ToUtf8(std::string_view bytes) {
    return Decode(bytes).toStdString();
}
