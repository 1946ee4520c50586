#include "TModule.h"

#include "TBitmap.h"
#include "TDib.h"
#include "TXBadFile.h"

#include <QFile>

#include <exception>

TModule::TModule(std::string root) : Root(std::move(root)) {}

// A preload still running reads this module's resources: it is waited for.
TModule::~TModule() {
    if (Preloaded.valid())
        Preloaded.wait();
}

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
    if (Preloaded.valid())
        TakePreloaded();
    auto found = Cache.find(int(id));
    if (found != Cache.end())
        return *found->second;
    auto bitmap = std::make_unique<TBitmap>(TDib(this, id));
    return *Cache.emplace(int(id), std::move(bitmap)).first->second;
}

void TModule::Preload(std::vector<TResId> ids) {
    if (Preloaded.valid())
        TakePreloaded();
    Preloaded = std::async(std::launch::async, [this, ids = std::move(ids)] {
        Decoded decoded;
        for (const TResId id : ids) {
            try {
                decoded.emplace_back(int(id), std::make_unique<TBitmap>(TDib(this, id)));
            } catch (const std::exception&) {
                // left for GetBitmap, which raises the error
            }
        }
        return decoded;
    });
}

void TModule::TakePreloaded() const {
    for (auto& [id, bitmap] : Preloaded.get())
        Cache.try_emplace(id, std::move(bitmap));
}

TModule& TModule::Application() {
    static TModule module;
    return module;
}
