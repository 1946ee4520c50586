#pragma once

#include "TResId.h"

#include <memory>
#include <string>
#include <unordered_map>

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

    /** The module of the running program. */
    static TModule& Application();

private:
    std::string ResourcePath(TResId id) const;

    std::string Root;
    mutable std::unordered_map<int, std::unique_ptr<TBitmap>> Cache;
};

/** The instance handle the drawing operations pass around: the module holding the pictures. */
using HINSTANCE = const TModule*;
