#include "Tagger.h"

#include "LittleEndianWriter.h"
#include "TMemoryDC.h"

#include <cstdlib>

namespace {

// A marker position comes from the combat file unchecked. Copies are only made when the
// rectangle's corners can be worked out in 32 bits with room to spare for a context's origin;
// a rectangle that far out lies on no picture anyway.
constexpr long long FarAway = 1LL << 30;

std::uint64_t StampClock = 0;

bool Drawable(const TPoint& at, int width, int height) {
    return std::llabs(at.x) < FarAway && std::llabs(at.y) < FarAway && width < FarAway &&
           height < FarAway;
}

// The screen position of a map point: map point minus scroll offset, in 64 bits so that a far
// away marker cannot overflow; it is then refused by Drawable.
TPoint OnScreen(const TPoint& mapPoint, const TPoint& scroll, bool& ok) {
    const long long x = (long long)mapPoint.x - scroll.x;
    const long long y = (long long)mapPoint.y - scroll.y;
    ok = std::llabs(x) < FarAway && std::llabs(y) < FarAway;
    return ok ? TPoint(int(x), int(y)) : TPoint();
}

} // namespace

int Tagger::ImageForDieRoll(const std::string& dieRoll) {
    const char c = dieRoll.empty() ? '\0' : dieRoll[0];
    if (c >= '1' && c <= '5')
        return FirstImageId + (c - '1');
    return FirstImageId + 5;
}

Tagger::Tagger(TDC& target, HINSTANCE instance) : Target(&target), Instance(instance) {}

Tagger::Tagger(const TPoint& position, int imageId, TDC& target, HINSTANCE instance)
    : Position(position), Target(&target), ImageId(imageId), Instance(instance) {
    const TBitmap& picture = Picture();
    Width = picture.Width();
    Height = picture.Height();
}

Tagger::~Tagger() {
    if (Background && Target)
        RestoreBackground(*Target, Position);
    Background.reset();
    Target = nullptr;
}

const TModule& Tagger::Module() const {
    return Instance ? *Instance : TModule::Application();
}

const TBitmap& Tagger::Picture() const {
    // The module decodes each picture once and keeps it, so drawing never decodes again.
    return Module().GetBitmap(ImageId);
}

void Tagger::DrawPicture(TDC& dc, const TPoint& at) const {
    if (!Drawable(at, Width, Height))
        return;
    dc.BitBlt(at.x, at.y, Width, Height, Picture(), 0, 0, SRCCOPY);
}

void Tagger::RestoreBackground(TDC& dc, const TPoint& at) const {
    if (!Drawable(at, Width, Height))
        return;
    dc.BitBlt(at.x, at.y, Width, Height, *Background, 0, 0, SRCCOPY);
}

void Tagger::Stamp() {
    // A marker made for reading has no picture until its record is read: nothing to draw.
    if (!Target || ImageId == 0)
        return;
    if (!Background) {
        // Saved once: stamping again redraws the picture but keeps the bare map's pixels.
        auto saved = std::make_unique<TBitmap>(*Target, Width, Height);
        if (Drawable(Position, Width, Height)) {
            TMemoryDC copy(*Target);
            copy.SelectObject(*saved);
            copy.BitBlt(0, 0, Width, Height, *Target, Position.x, Position.y, SRCCOPY);
        }
        Background = std::move(saved);
        StampedAt = ++StampClock;
    }
    DrawPicture(*Target, Position);
}

void Tagger::Show(TDC& screen, const TPoint& scroll) {
    Stamp();
    bool ok = false;
    const TPoint at = OnScreen(Position, scroll, ok);
    if (ok)
        DrawPicture(screen, at);
}

void Tagger::Hide(TDC& screen, const TPoint& scroll) {
    if (!Background)
        return;
    if (Target)
        RestoreBackground(*Target, Position);
    bool ok = false;
    const TPoint at = OnScreen(Position, scroll, ok);
    if (ok)
        RestoreBackground(screen, at);
    Background.reset();
}

void Tagger::SetFilePlacement(const TPoint& offset, int imageId) {
    if (ImageId == 0)
        return;
    FileOffset = offset;
    FileImageId = imageId;
}

void Tagger::ClearFilePlacement() {
    FileOffset = TPoint();
    FileImageId = 0;
}

void Tagger::Write(LittleEndianWriter& out) const {
    // Wrapping arithmetic: the sum is written as the 32-bit value it comes to.
    out.WriteInt32(std::int32_t(std::uint32_t(Position.x) + std::uint32_t(FileOffset.x)));
    out.WriteInt32(std::int32_t(std::uint32_t(Position.y) + std::uint32_t(FileOffset.y)));
    out.WriteInt32(FileImageId != 0 ? FileImageId : ImageId);
}

void Tagger::Read(std::int32_t x, std::int32_t y, std::int32_t imageId) {
    // Load the picture first, so a missing one leaves the marker as it was.
    const TBitmap& picture = Module().GetBitmap(imageId);
    // A marker read again first lifts itself off the map, so that its saved pixels never land
    // at the new position.
    if (Background && Target)
        RestoreBackground(*Target, Position);
    Background.reset();
    Position = TPoint(x, y);
    ImageId = imageId;
    Width = picture.Width();
    Height = picture.Height();
    Stamp();
}
