#include "Counter.h"

#include "TBitmap.h"

Counter::Counter(TPoint position, TPoint start, int mark, int picture)
    : Position(position), Start(start), Mark(mark), Picture(picture) {}

void Counter::ResetToStart() {
    Position = Start;
}

bool Counter::Draw(HINSTANCE module, TDC& dc, const TPoint& at, bool relative) {
    const TModule& pictures = module ? *module : TModule::Application();
    const TPoint p = relative ? Position + at : at;
    // The pictures are decoded once per module and kept, so a redraw only copies pixels.
    dc.BitBlt(p.x, p.y, Size, Size, pictures.GetBitmap(Picture), 0, 0, SRCCOPY);
    if (Mark > NoMark)
        dc.BitBlt(p.x, p.y, MarkSize, MarkSize, pictures.GetBitmap(MarkPictureBase + Mark), 0, 0,
                  SRCCOPY);
    return true;
}

bool Counter::MoveTo(const TPoint& p) {
    Position = p;
    return true;
}

TResId Counter::GetPicture() {
    return Picture;
}

bool Counter::CanMove() {
    return true;
}

bool Counter::AdvanceMark() {
    if (++Mark > Replacement)
        Mark = NoMark;
    return true;
}

bool Counter::operator==(const Counter& o) const {
    return Position == o.Position && Start == o.Start && Mark == o.Mark && Picture == o.Picture;
}
