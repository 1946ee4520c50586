#pragma once

#include "TDC.h"
#include "TModule.h"
#include "TPoint.h"
#include "TResId.h"

#include <cstdint>
#include <string>

/**
 * A unit counter: the piece of one unit on the map. It knows the hex origin it stands on
 * (Position), the one it stood on when the turn was loaded (Start), its mark (none,
 * surrendered, moved by rail, replacement), its picture and its roster label. The stack that
 * holds it keeps Position equal to that hex's origin.
 */
class Counter {
public:
    enum MarkKind : std::int32_t { NoMark = 0, Surrendered = 1, Rail = 2, Replacement = 3 };
    static constexpr int Size = 24;     // counter pictures are Size x Size pixels
    static constexpr int MarkSize = 12; // a mark covers the counter's top-left corner
    static constexpr int MarkPictureBase = 2280;
    static constexpr TPoint DefaultPosition{0, 0};

    Counter() = default;
    Counter(TPoint position, TPoint start, int mark, int picture);
    virtual ~Counter() = default;
    Counter(const Counter&) = default;
    Counter& operator=(const Counter&) = default;

    virtual void ResetToStart();
    /** Draws the picture and any mark at `at`, or at Position + `at` when relative. */
    virtual bool Draw(HINSTANCE module, TDC& dc, const TPoint& at, bool relative);
    virtual bool MoveTo(const TPoint& p);
    virtual TResId GetPicture();
    virtual bool CanMove();
    /** Steps the mark: none, surrendered, rail, replacement, none. */
    virtual bool AdvanceMark();

    bool HasMoved() const { return Position != Start; }
    /** Equal when position, start, mark and picture agree; the label is not compared. */
    bool operator==(const Counter& o) const;

    TPoint Position = DefaultPosition;
    TPoint Start = DefaultPosition;
    std::int32_t Mark = NoMark;
    std::int32_t Picture = 0;
    std::string Label;
};
