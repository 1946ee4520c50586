#include "ToolbarPainter.h"

#include <stdexcept>
#include <string>

namespace {

using C = Image16::Colour;

// A unit counter: a red square with the white box and cross of infantry.
void Counter(Image16& im, int x, int y, int size) {
    im.Rect(x, y, x + size - 1, y + size - 1, C::Red);
    im.Frame(x, y, x + size - 1, y + size - 1, C::Black);
    const int bx0 = x + 2, by0 = y + size / 3, bx1 = x + size - 3, by1 = y + size - size / 3 - 1;
    im.Frame(bx0, by0, bx1, by1, C::White);
    im.Line(bx0, by0, bx1, by1, C::White);
    im.Line(bx0, by1, bx1, by0, C::White);
}

Image16 OpenTurn() {
    Image16 im(20, 20, C::Silver);
    im.Rect(2, 5, 8, 7, C::Yellow);
    im.Rect(2, 7, 17, 16, C::Olive);
    im.Frame(2, 5, 8, 7, C::Black);
    im.Frame(2, 7, 17, 16, C::Black);
    for (int i = 0; i < 7; ++i) // the front flap, open
        im.Line(5 + i / 2, 10 + i, 19 - i / 2 > 18 ? 18 : 19 - i / 2, 10 + i, C::Yellow);
    im.Line(5, 10, 18, 10, C::Black);
    im.Line(18, 10, 15, 16, C::Black);
    im.Line(5, 10, 2, 16, C::Black);
    return im;
}

Image16 SaveTurn() {
    Image16 im(20, 20, C::Silver);
    im.Rect(2, 2, 17, 17, C::Navy);
    im.Frame(2, 2, 17, 17, C::Black);
    im.Rect(5, 3, 14, 8, C::White);
    im.Line(6, 5, 13, 5, C::Grey);
    im.Line(6, 7, 13, 7, C::Grey);
    im.Rect(6, 12, 13, 17, C::Silver);
    im.Rect(7, 13, 9, 16, C::Navy);
    return im;
}

Image16 Undo() {
    Image16 im(20, 20, C::Silver);
    // A thick arc from the right, over the top and down to the left, ending in a head.
    for (int r = 6; r <= 8; ++r)
        for (int x = -r; x <= r; ++x)
            for (int y = -r; y <= 0; ++y)
                if (x * x + y * y >= r * r - r && x * x + y * y <= r * r + r)
                    im.Set(10 + x, 11 + y, C::Navy);
    im.Rect(2, 11, 4, 13, C::Navy);
    im.Stamp(0, 12, {"       ", " ##### ", "  ###  ", "   #   "}, C::Navy);
    return im;
}

Image16 MoveAll() {
    Image16 im(20, 20, C::Silver);
    Counter(im, 1, 9, 10);
    Counter(im, 5, 5, 10);
    Counter(im, 9, 1, 10);
    return im;
}

Image16 Zoom() {
    Image16 im(20, 20, C::Silver);
    im.Circle(8, 8, 5, C::Cyan, true);
    im.Circle(8, 8, 6, C::Black, false);
    im.Line(6, 6, 8, 5, C::White);
    for (int i = 0; i < 3; ++i)
        im.Line(12 + i, 13, 17 + i > 18 ? 18 : 17 + i, 18, C::Black);
    im.Rect(5, 8, 11, 8, C::Navy);
    im.Rect(8, 5, 8, 11, C::Navy);
    return im;
}

Image16 Move() {
    Image16 im(20, 20, C::Silver);
    Counter(im, 5, 5, 10);
    im.Stamp(8, 0, {"  #  ", " ### ", "#####"}, C::Black);
    im.Stamp(8, 16, {"#####", " ### ", "  #  "}, C::Black);
    im.Stamp(0, 8, {"  #", " ##", "###", " ##", "  #"}, C::Black);
    im.Stamp(17, 8, {"#  ", "## ", "###", "## ", "#  "}, C::Black);
    return im;
}

Image16 ReturnToStart() {
    Image16 im(20, 20, C::Silver);
    // A hex on the left, an arrow coming back into it from the right.
    im.Stamp(1, 4,
             {"  #####  ", " #     # ", "#       #", "#       #", "#       #", "#       #",
              "#       #", " #     # ", "  #####  "},
             C::Black);
    im.Rect(3, 5, 7, 11, C::Green);
    im.Rect(2, 6, 8, 10, C::Green);
    im.Rect(10, 7, 18, 9, C::DarkGreen);
    im.Stamp(6, 4, {"   #", "  ##", " ###", "####", "####", "####", " ###", "  ##", "   #"},
             C::DarkGreen);
    return im;
}

Image16 Combat() {
    Image16 im(20, 20, C::Silver);
    im.Circle(10, 10, 6, C::Red, false);
    im.Circle(10, 10, 5, C::DarkRed, false);
    im.Line(10, 0, 10, 7, C::Black);
    im.Line(10, 13, 10, 19, C::Black);
    im.Line(0, 10, 7, 10, C::Black);
    im.Line(13, 10, 19, 10, C::Black);
    im.Set(10, 10, C::Red);
    return im;
}

Image16 Rotate() {
    Image16 im(20, 20, C::Silver);
    Counter(im, 6, 6, 8);
    im.Circle(10, 10, 8, C::Navy, false);
    im.Rect(6, 1, 9, 3, C::Silver); // gaps for the heads
    im.Rect(10, 16, 13, 19, C::Silver);
    im.Stamp(8, 0, {"#   ", "###", "#####", "###", "#"}, C::Navy);
    im.Stamp(8, 15, {"    #", "  ###", "#####", "  ###", "    #"}, C::Navy);
    return im;
}

Image16 Marks() {
    Image16 im(20, 20, C::Silver);
    Counter(im, 2, 2, 16);
    im.Rect(3, 3, 9, 9, C::White);
    im.Stamp(4, 4, {"#####", "#    ", "#####", "    #", "#####"}, C::DarkRed);
    return im;
}

Image16 ShowCombat() {
    Image16 im(20, 20, C::Silver);
    im.Rect(3, 3, 16, 16, C::White);
    im.Frame(3, 3, 16, 16, C::Black);
    for (const auto& [x, y] : {std::pair{6, 6}, std::pair{13, 6}, std::pair{6, 13},
                               std::pair{13, 13}, std::pair{6, 9}, std::pair{13, 9}})
        im.Rect(x - 1, y - 1, x, y, C::Black);
    return im;
}

// A move on the map: a counter at the lower left, and a thick yellow arrow edged in black
// from it up to the right.
Image16 ShowMoves() {
    Image16 im(20, 20, C::Silver);
    Counter(im, 1, 11, 8);
    for (int i = -1; i <= 1; ++i) // the shaft, its edges black
        im.Line(7, 12 + i, 13, 6 + i, i == 0 ? C::Yellow : C::Black);
    im.Stamp(10, 1,
             {"#########", " ########", "  #######", "   ######", "  #######", " ########",
              "#### ####", " ##   ###", "       ##"},
             C::Black);
    im.Stamp(11, 2, {" YYYYYY", "  YYYYY", "   YYYY", "  YYYYY", " YYY YY", "YYY   Y"}, C::Yellow);
    return im;
}

// Stepping through the moves: a black head and a bar, pointing right (next) or left.
Image16 StepNext() {
    Image16 im(20, 20, C::Silver);
    im.Stamp(4, 3, {"#", "###", "#####", "#######", "#########", "#######", "#####", "###", "#"},
             C::Black);
    im.Rect(14, 3, 15, 11, C::Black);
    im.Rect(3, 15, 16, 16, C::Navy);
    return im;
}

// Previous is Next turned left to right.
Image16 StepPrevious() {
    const Image16 next = StepNext();
    Image16 im(next.Width(), next.Height(), C::Silver);
    for (int y = 0; y < next.Height(); ++y)
        for (int x = 0; x < next.Width(); ++x)
            im.Set(next.Width() - 1 - x, y, next.Get(x, y));
    return im;
}

} // namespace

Image16 ToolbarPainter::Button(int id) {
    switch (id) {
    case 400:
        return OpenTurn();
    case 401:
        return SaveTurn();
    case 405:
        return Undo();
    case 406:
        return MoveAll();
    case 407:
        return Zoom();
    case 410:
        return Move();
    case 412:
        return ReturnToStart();
    case 413:
        return Combat();
    case 422:
        return ShowCombat();
    case 423:
        return Rotate();
    case 424:
        return Marks();
    case 430:
        return ShowMoves();
    case 432:
        return StepNext();
    case 433:
        return StepPrevious();
    default:
        throw std::invalid_argument("no tool-bar picture for command " + std::to_string(id));
    }
}
