#include "TModule.h"

#include "TBitmap.h"
#include "TDib.h"
#include "TXBadFile.h"

#include <QFile>

TModule::TModule(std::string root) : Root(std::move(root)) {}

TModule::~TModule() = default;

std::string TModule::ResourcePath(TResId id) const {
    return Root + "/" + std::to_string(int(id)) + ".bmp";
}

bool TModule::HasBitmap(TResId id) const {
    return QFile::exists(QString::fromStdString(ResourcePath(id)));
}

std::string TModule::BitmapBytes(TResId id) const {
    QFile file(QString::fromStdString(ResourcePath(id)));
    if (!file.open(QIODevice::ReadOnly))
        throw TXBadFile("bitmap resource " + std::to_string(int(id)), "no such resource");
    QByteArray data = file.readAll();
    return std::string(data.constData(), std::size_t(data.size()));
}

const TBitmap& TModule::GetBitmap(TResId id) const {
    auto found = Cache.find(int(id));
    if (found != Cache.end())
        return *found->second;
    auto bitmap = std::make_unique<TBitmap>(TDib(this, id));
    return *Cache.emplace(int(id), std::move(bitmap)).first->second;
}

TModule& TModule::Application() {
    static TModule module;
    return module;
}
