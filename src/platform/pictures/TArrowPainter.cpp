#include "TArrowPainter.h"

#include "TBitmap.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// Sizes at full scale, in pixels: the coloured shaft, the outline on each side, the head's
// length and half its width, and the radius of the ring an arrow without length becomes.
constexpr double Shaft = 4, Outline = 1.5, HeadLength = 14, HeadHalfWidth = 8, Ring = 22;
constexpr double HighlightFactor = 1.6;
// The smallest share of those sizes kept on a zoomed map, so arrows stay visible.
constexpr double MinimumScale = 0.5;

double SizeScale(const TArrowPainter::Placement& at) {
    return std::max(MinimumScale, std::min(at.ScaleX, at.ScaleY));
}

QPointF ClientPoint(const TPoint& p, const TArrowPainter::Placement& at) {
    return {p.x * at.ScaleX - at.Scroll.x, p.y * at.ScaleY - at.Scroll.y};
}

// How far the drawing reaches beyond the line between the ends.
double Reach(const TArrow& arrow, double scale) {
    const double grow = arrow.Highlighted ? HighlightFactor : 1;
    const double ring = arrow.From == arrow.To ? Ring * scale : 0;
    return ring + (HeadHalfWidth + Outline + Shaft) * grow * scale + 2;
}

void PaintOne(QPainter& painter, const TArrow& arrow, const TArrowPainter::Placement& at) {
    const double scale = SizeScale(at);
    const double grow = arrow.Highlighted ? HighlightFactor : 1;
    const double shaft = Shaft * grow * scale, outline = Outline * grow * scale;
    const QColor colour(arrow.Color.Red(), arrow.Color.Green(), arrow.Color.Blue());
    const QColor edge = arrow.Highlighted ? QColor(Qt::white) : QColor(Qt::black);
    const QPointF from = ClientPoint(arrow.From, at), to = ClientPoint(arrow.To, at);

    if (arrow.From == arrow.To) {
        const double r = Ring * scale;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(edge, shaft + 2 * outline));
        painter.drawEllipse(to, r, r);
        painter.setPen(QPen(colour, shaft));
        painter.drawEllipse(to, r, r);
        return;
    }
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    const double length = std::hypot(dx, dy);
    const QPointF u(dx / length, dy / length), n(-u.y(), u.x());
    const double head = std::min(HeadLength * grow * scale, length);
    const double half = HeadHalfWidth * grow * scale, hw = shaft / 2;
    const QPointF base = to - u * head;

    // Filled shapes, not wide pens: the edge first, the colour over it, so crossing arrows
    // keep their edges. A dashed shaft is a row of short bars, the head always whole.
    const auto bar = [&](const QPointF& a, const QPointF& b, double w) {
        const QPoint points[4] = {(a + n * w).toPoint(), (b + n * w).toPoint(),
                                  (b - n * w).toPoint(), (a - n * w).toPoint()};
        painter.drawConvexPolygon(points, 4);
    };
    const auto tip = [&](double o) {
        const QPoint points[3] = {(to + u * (2 * o)).toPoint(),
                                  (base - u * o + n * (half + 2 * o)).toPoint(),
                                  (base - u * o - n * (half + 2 * o)).toPoint()};
        painter.drawConvexPolygon(points, 3);
    };
    const double shaftLength = length - head;
    // The edge is whole: under a dashed shaft it shows between the dashes, which makes the
    // dashes plain on any ground and costs one shape instead of one for each dash.
    painter.setPen(Qt::NoPen);
    painter.setBrush(edge);
    bar(from - u * outline, base, hw + outline);
    tip(outline);
    painter.setBrush(colour);
    const double dash = arrow.Dashed ? 2.5 * shaft : shaftLength, gap = 1.5 * shaft;
    for (double at = 0; at < shaftLength; at += dash + gap)
        bar(from + u * at, from + u * std::min(shaftLength, at + dash), hw);
    tip(0);
}

} // namespace

TRect TArrowPainter::Area(const TArrow& arrow, const Placement& at) {
    const QPointF a = ClientPoint(arrow.From, at), b = ClientPoint(arrow.To, at);
    const double reach = Reach(arrow, SizeScale(at));
    return {int(std::floor(std::min(a.x(), b.x()) - reach)),
            int(std::floor(std::min(a.y(), b.y()) - reach)),
            int(std::ceil(std::max(a.x(), b.x()) + reach)) + 1,
            int(std::ceil(std::max(a.y(), b.y()) + reach)) + 1};
}

void TArrowPainter::Paint(QPainter& painter, const std::vector<TArrow>& arrows, const Placement& at,
                          const TRect& clip) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TArrow& arrow : arrows)
        if (!(Area(arrow, at) & clip).IsEmpty())
            PaintOne(painter, arrow, at);
    painter.restore();
}

void TArrowPainter::Paint(TBitmap& target, const std::vector<TArrow>& arrows, const Placement& at) {
    QImage image(reinterpret_cast<uchar*>(target.Bits()), target.Width(), target.Height(),
                 target.Stride() * 4, QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter, arrows, at, {0, 0, target.Width(), target.Height()});
}
