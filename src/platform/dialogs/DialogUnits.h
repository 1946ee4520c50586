#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

/**
 * Converts dialog units to pixels as the classic Windows dialog manager does, so templates
 * laid out in dialog units keep their proportions whatever the font. One horizontal unit is a
 * quarter of the font's average character width (over "A".."Z" and "a".."z"), one vertical
 * unit an eighth of its height. Each value is rounded on its own, and a rectangle converts its
 * edges, so controls that touch in dialog units touch in pixels.
 */
class DialogUnits {
public:
    DialogUnits(int baseX, int baseY);
    /** The base units of a font. */
    static DialogUnits ForFont(const QFont& font);
    /**
     * The font a template names, or where that face is not installed the desktop's default
     * font at the same point size.
     */
    static QFont DialogFont(const QString& face, int points);

    int BaseX() const { return X; }
    int BaseY() const { return Y; }
    int ToPixelsX(int dlu) const;
    int ToPixelsY(int dlu) const;
    QSize ToPixels(const QSize& dlus) const;
    QRect ToPixels(const QRect& dlus) const;

private:
    int X;
    int Y;
};
