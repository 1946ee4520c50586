#pragma once

#include "TBitmap.h"
#include "TDC.h"
#include "TModule.h"
#include "TPoint.h"

#include <cstdint>
#include <memory>
#include <string>

class LittleEndianWriter;

/**
 * A combat marker: the small die-face picture drawn beside an attacked hex. It is stamped into
 * the map surface together with a saved copy of the map pixels it covers, so it can be taken
 * off again without repainting the map, and it is copied to the screen at its map position
 * minus the scroll offset. In the combat file a marker can stand elsewhere and with another
 * picture (the opponent's green marker further right) than on the declaring player's map.
 */
class Tagger {
public:
    /** The marker pictures: red digits 1 to 6, then the same digits on green. */
    static constexpr int FirstImageId = 8506;
    static constexpr int LastImageId = 8517;
    /** From a red marker picture to the green one written to the combat file. */
    static constexpr int FileImageShift = 6;
    /** Where the opponent's marker stands relative to the declaring player's one. */
    static constexpr TPoint FilePlacementOffset{34, 0};

    /** True when id names one of the marker pictures. */
    static bool IsMarkerImage(std::int32_t id) { return id >= FirstImageId && id <= LastImageId; }
    /**
     * The red marker picture for a die roll: digits "1" to "5" give 8506 to 8510; anything
     * else (the digit "6" in practice) gives 8511.
     */
    static int ImageForDieRoll(const std::string& dieRoll);

    /** A marker to be read from the combat file: position and picture come with Read. */
    Tagger(TDC& target, HINSTANCE instance);
    /** A marker at a map position with a picture; raises TXBadFile if the picture is missing. */
    Tagger(const TPoint& position, int imageId, TDC& target, HINSTANCE instance);
    /** Puts the saved map pixels back into the map surface; the screen is not touched. */
    virtual ~Tagger();
    Tagger(const Tagger&) = delete;
    Tagger& operator=(const Tagger&) = delete;

    /** Draws the marker into the map surface, saving the pixels it covers the first time. */
    void Stamp();
    /** Stamps the marker and copies its picture to the screen. */
    void Show(TDC& screen, const TPoint& scroll);
    /** Takes the marker out of the map surface and off the screen; nothing if not stamped. */
    void Hide(TDC& screen, const TPoint& scroll);

    /** Sets where and as what the marker is written to the combat file; only with a picture. */
    void SetFilePlacement(const TPoint& offset, int imageId);
    void ClearFilePlacement();

    /** Appends the marker's part of a combat-file record: x, y and picture id. */
    void Write(LittleEndianWriter& out) const;
    /**
     * Takes the marker's part of a combat-file record, already checked by the caller (the
     * picture id names a marker picture), and stamps the marker. The file placement is kept.
     * Raises TXBadFile, changing nothing, if the picture cannot be loaded.
     */
    void Read(std::int32_t x, std::int32_t y, std::int32_t imageId);

    TPoint GetPosition() const { return Position; }
    int GetImageId() const { return ImageId; }
    int GetWidth() const { return Width; }
    int GetHeight() const { return Height; }
    TPoint GetFileOffset() const { return FileOffset; }
    int GetFileImageId() const { return FileImageId; }
    /** True while the marker is in the map surface (its background is saved). */
    bool IsStamped() const { return Background != nullptr; }
    /**
     * When the marker was last stamped onto the bare pixels it saved, counted over all markers:
     * a marker stamped later may have saved pixels of an earlier one beneath it, so markers are
     * taken off in the reverse of this order. 0 while not stamped.
     */
    std::uint64_t StampOrder() const { return Background ? StampedAt : 0; }

private:
    const TModule& Module() const;
    const TBitmap& Picture() const;
    void DrawPicture(TDC& dc, const TPoint& at) const;
    void RestoreBackground(TDC& dc, const TPoint& at) const;

    TPoint Position;
    std::unique_ptr<TBitmap> Background;
    TDC* Target;
    std::int32_t ImageId = 0;
    HINSTANCE Instance;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    TPoint FileOffset;
    std::int32_t FileImageId = 0;
    std::uint64_t StampedAt = 0;
};
