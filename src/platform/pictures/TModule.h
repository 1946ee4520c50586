#pragma once

#include "TResId.h"

#include <future>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class TBitmap;
class TDib;

/**
 * The program module: the holder of the bitmap resources compiled into the program, found by
 * integer id. Decoded bitmaps are kept, so drawing a picture again never decodes it again.
 */
class TModule {
public:
    /** root is the resource folder that holds the pictures as <id>.bmp. */
    explicit TModule(std::string root = ":/bitmaps");
    ~TModule();
    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;

    bool HasBitmap(TResId id) const;
    /** The raw .bmp bytes of a bitmap resource; raises TXBadFile if there is none. */
    std::string BitmapBytes(TResId id) const;
    /** The bitmap resource as a device bitmap, decoded once and then kept. */
    const TBitmap& GetBitmap(TResId id) const;
    /**
     * Starts decoding the bitmap resources ids on another thread; the next GetBitmap takes
     * them all, waiting for that thread if it has not finished. A resource that cannot be
     * decoded there is decoded again by GetBitmap, which raises the error as usual.
     */
    void Preload(std::vector<TResId> ids);

    /** The module of the running program. */
    static TModule& Application();

private:
    using Decoded = std::vector<std::pair<int, std::unique_ptr<TBitmap>>>;

    std::string ResourcePath(TResId id) const;
    void TakePreloaded() const;

    std::string Root;
    mutable std::unordered_map<int, std::unique_ptr<TBitmap>> Cache;
    mutable std::future<Decoded> Preloaded;
};

/** The instance handle the drawing operations pass around: the module holding the pictures. */
using HINSTANCE = const TModule*;
