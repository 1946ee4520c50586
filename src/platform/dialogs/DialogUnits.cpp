#include "DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <cstdint>

namespace {

/** a * b / c rounded half away from zero. */
int MulDiv(int a, int b, int c) {
    const std::int64_t p = std::int64_t(a) * b;
    const std::int64_t half = c / 2;
    return int(p >= 0 ? (p + half) / c : (p - half) / c);
}

} // namespace

DialogUnits::DialogUnits(int baseX, int baseY) : X(baseX), Y(baseY) {}

DialogUnits DialogUnits::ForFont(const QFont& font) {
    const QFontMetrics m(font);
    static const QString Alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // The width of the 52 letters over 52, rounded: (w / 26 + 1) / 2 as Windows computes it.
    const int average = (m.horizontalAdvance(Alphabet) / 26 + 1) / 2;
    return DialogUnits(average > 0 ? average : 1, m.height() > 0 ? m.height() : 1);
}

QFont DialogUnits::DialogFont(const QString& face, int points) {
    if (QFontDatabase::hasFamily(face)) {
        QFont f(face, points);
        return f;
    }
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPointSize(points);
    return f;
}

int DialogUnits::ToPixelsX(int dlu) const {
    return MulDiv(dlu, X, 4);
}

int DialogUnits::ToPixelsY(int dlu) const {
    return MulDiv(dlu, Y, 8);
}

QSize DialogUnits::ToPixels(const QSize& dlus) const {
    return {ToPixelsX(dlus.width()), ToPixelsY(dlus.height())};
}

QRect DialogUnits::ToPixels(const QRect& dlus) const {
    const int left = ToPixelsX(dlus.x());
    const int top = ToPixelsY(dlus.y());
    return QRect(left, top, ToPixelsX(dlus.x() + dlus.width()) - left,
                 ToPixelsY(dlus.y() + dlus.height()) - top);
}
