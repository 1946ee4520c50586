#include "MarkerPainter.h"

#include "GamePalette.h"
#include "PixelFont.h"

#include <string>

IndexedImage MarkerPainter::Mark(char letter, std::uint8_t colour) {
    IndexedImage image(MarkSize, MarkSize, GamePalette::MarkCream);
    image.FrameRect(0, 0, MarkSize, MarkSize, GamePalette::MarkBorder);
    const PixelFont& font = PixelFont::Heavy();
    const std::string text(1, letter);
    font.Draw(image, (MarkSize - font.TextWidth(text)) / 2, (MarkSize - font.Height()) / 2, text,
              colour);
    return image;
}

IndexedImage MarkerPainter::CombatMarker(int digit, std::uint8_t background) {
    IndexedImage image(CombatSize, CombatSize, background);
    const PixelFont& font = PixelFont::Factors();
    const std::string text(1, char('0' + digit));
    font.Draw(image, (CombatSize - font.TextWidth(text)) / 2, (CombatSize - font.Height()) / 2,
              text, GamePalette::Black);
    return image;
}
