#include "TScrollWindow.h"

#include "FileNameText.h"
#include "TArrowPainter.h"
#include "TClientDC.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>

/** The Qt side: a scroll area whose viewport shows the client bitmap. */
class TScrollWindow::View : public QAbstractScrollArea {
public:
    explicit View(TScrollWindow& owner) : Owner(owner) {
        setFocusPolicy(Qt::StrongFocus);
        viewport()->setMouseTracking(true);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
        horizontalScrollBar()->setSingleStep(16);
        verticalScrollBar()->setSingleStep(16);
    }

    TScrollWindow& Owner;
    TBitmap Client{0, 0};
    QRegion Invalid;
    QImage Overlay;
    const TBitmap* OverlaySource = nullptr;
    QPoint OverlayAt;
    std::vector<TArrow> Arrows;
    double ArrowScaleX = 1, ArrowScaleY = 1;
    bool Painting = false;
    PaintStats Stats;

    static long long Area(const QRegion& region) {
        long long area = 0;
        for (const QRect& r : region)
            area += (long long)r.width() * r.height();
        return area;
    }

    // Keeps the client bitmap the size of the viewport; a new size is wholly invalid.
    void FitClient() {
        const QSize size = viewport()->size();
        if (size.width() != Client.Width() || size.height() != Client.Height()) {
            Client = TBitmap(size.width(), size.height());
            Invalid = QRegion(viewport()->rect());
        }
    }

    TArrowPainter::Placement ArrowPlacement() const {
        return {ArrowScaleX, ArrowScaleY, Owner.GetScrollPos()};
    }
    void UpdateArrow(const TArrow& arrow) {
        const TRect r = TArrowPainter::Area(arrow, ArrowPlacement());
        viewport()->update(QRect(r.left, r.top, r.Width(), r.Height()));
    }

    // Runs Paint for what was invalidated, into the client bitmap.
    void Repaint() {
        FitClient();
        if (Invalid.isEmpty() || Painting)
            return;
        const QRect r = Invalid.boundingRect();
        Invalid = QRegion();
        Painting = true;
        ++Stats.Paints;
        Stats.PaintPixels += (long long)r.width() * r.height();
        TClientDC dc(Owner);
        dc.SetWindowOrg(Owner.GetScrollPos());
        Owner.Paint(dc, false, TRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
        Painting = false;
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        ++Stats.Frames;
        Stats.FramePixels += Area(event->region());
        Repaint();
        QPainter painter(viewport());
        const QImage image(reinterpret_cast<const uchar*>(Client.Bits()), Client.Width(),
                           Client.Height(), Client.Stride() * 4, QImage::Format_RGB32);
        painter.drawImage(event->rect(), image, event->rect());
        if (!Arrows.empty()) {
            const QRect r = event->rect();
            painter.setClipRegion(event->region());
            TArrowPainter::Paint(painter, Arrows, ArrowPlacement(),
                                 TRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
            painter.setClipping(false);
        }
        if (!Overlay.isNull())
            painter.drawImage(OverlayAt, Overlay);
    }
    // The client bitmap takes the new size when it is next painted or drawn into, so a window
    // resized several times before it is shown (laid out, shown, maximized) allocates it once.
    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        Owner.EvSize(window()->isMinimized() ? SIZE_MINIMIZED : SIZE_RESTORED,
                     TSize(viewport()->width(), viewport()->height()));
    }
    // The wheel scrolls up and down, and with Shift held across, as in any map viewer; the
    // arrow and page keys scroll through the scroll area itself.
    void wheelEvent(QWheelEvent* event) override {
        if (!(event->modifiers() & Qt::ShiftModifier)) {
            QAbstractScrollArea::wheelEvent(event);
            return;
        }
        const QPoint delta = event->angleDelta();
        const int turn = delta.y() != 0 ? delta.y() : delta.x();
        QScrollBar* bar = horizontalScrollBar();
        bar->setValue(bar->value() - turn * 3 * bar->singleStep() / 120);
        event->accept();
    }
    // Escape goes to the window first (it gives up a drag); other keys scroll as usual.
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && Owner.EvKeyDown(VK_ESCAPE)) {
            event->accept();
            Owner.CommandsChanged();
            return;
        }
        QAbstractScrollArea::keyPressEvent(event);
    }
    void scrollContentsBy(int, int) override {
        Invalid = QRegion(viewport()->rect());
        viewport()->update();
    }
    bool viewportEvent(QEvent* event) override {
        auto point = [](QMouseEvent* e) {
            const QPoint p = e->position().toPoint();
            return TPoint(p.x(), p.y());
        };
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton)
                Owner.EvLButtonDown(0, point(e));
            else if (e->button() == Qt::RightButton)
                Owner.EvRButtonDown(0, point(e));
            Owner.CommandsChanged(); // what a press did may change what the commands show
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton)
                Owner.EvLButtonUp(0, point(e));
            Owner.CommandsChanged();
            return true;
        }
        case QEvent::MouseMove:
            Owner.EvMouseMove(0, point(static_cast<QMouseEvent*>(event)));
            return true;
        default:
            return QAbstractScrollArea::viewportEvent(event);
        }
    }
};

TScrollWindow::TScrollWindow() : Widget(new View(*this)) {}

TScrollWindow::~TScrollWindow() {
    // A frame that adopted the widget deletes it with itself; otherwise it is ours.
    if (Widget && !Widget->parent())
        delete Widget;
}

QWidget* TScrollWindow::GetWidget() const {
    return Widget;
}

TPoint TScrollWindow::GetScrollPos() const {
    return {Widget->horizontalScrollBar()->value(), Widget->verticalScrollBar()->value()};
}

TRect TScrollWindow::GetClientRect() const {
    const QSize s = Widget->viewport()->size();
    return {0, 0, s.width(), s.height()};
}

void TScrollWindow::InvalidateRect(const TRect& r, bool erase) {
    (void)erase; // the client bitmap is always wholly repainted, so erasing changes nothing
    const QRect q(r.left, r.top, r.Width(), r.Height());
    Widget->Invalid += q;
    Widget->viewport()->update(q);
}

void TScrollWindow::Invalidate(bool erase) {
    InvalidateRect(GetClientRect(), erase);
}

void TScrollWindow::UpdateWindow() {
    // A window not on the screen has nothing to show yet: it is painted when it is shown, at
    // the size it has then.
    if (!Widget->isVisible())
        return;
    Widget->Repaint();
    Widget->viewport()->repaint();
}

// The window takes the keyboard focus along with the mouse, so that Escape reaches it.
void TScrollWindow::SetCapture() {
    Widget->viewport()->grabMouse();
    Widget->setFocus(Qt::MouseFocusReason);
}

void TScrollWindow::ReleaseCapture() {
    Widget->viewport()->releaseMouse();
}

TBitmap* TScrollWindow::GetClientBitmap() {
    Widget->FitClient();
    return &Widget->Client;
}

void TScrollWindow::ClientChanged(const TRect& r) {
    Widget->viewport()->update(QRect(r.left, r.top, r.Width(), r.Height()));
}

void TScrollWindow::SetDragImage(const TBitmap* image, const TPoint& at, const TColor& mask) {
    const QRect old(Widget->OverlayAt, Widget->Overlay.size());
    if (!image) {
        Widget->Overlay = QImage();
        Widget->OverlaySource = nullptr;
    } else if (image == Widget->OverlaySource &&
               Widget->Overlay.size() == QSize(image->Width(), image->Height())) {
        // The same picture moved: only its place changes.
        Widget->OverlayAt = QPoint(at.x, at.y);
    } else {
        QImage overlay(image->Width(), image->Height(), QImage::Format_ARGB32);
        for (int y = 0; y < image->Height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(overlay.scanLine(y));
            for (int x = 0; x < image->Width(); ++x) {
                const TColor c = image->GetPixel(x, y);
                line[x] = c == mask ? qRgba(0, 0, 0, 0) : qRgb(c.Red(), c.Green(), c.Blue());
            }
        }
        Widget->Overlay = overlay;
        Widget->OverlaySource = image;
        Widget->OverlayAt = QPoint(at.x, at.y);
    }
    Widget->viewport()->update(old);
    Widget->viewport()->update(QRect(Widget->OverlayAt, Widget->Overlay.size()));
}

void TScrollWindow::SetArrows(std::vector<TArrow> arrows) {
    std::vector<TArrow>& shown = Widget->Arrows;
    // Arrows that stay as they were are not repainted; one that goes or changes is repainted
    // where it was and where it is now.
    const std::size_t common = std::min(shown.size(), arrows.size());
    for (std::size_t i = 0; i < common; ++i)
        if (!(shown[i] == arrows[i])) {
            Widget->UpdateArrow(shown[i]);
            Widget->UpdateArrow(arrows[i]);
        }
    for (std::size_t i = common; i < shown.size(); ++i)
        Widget->UpdateArrow(shown[i]);
    for (std::size_t i = common; i < arrows.size(); ++i)
        Widget->UpdateArrow(arrows[i]);
    shown = std::move(arrows);
}

const std::vector<TArrow>& TScrollWindow::GetArrows() const {
    return Widget->Arrows;
}

void TScrollWindow::SetArrowScale(double sx, double sy) {
    if (sx == Widget->ArrowScaleX && sy == Widget->ArrowScaleY)
        return;
    for (const TArrow& arrow : Widget->Arrows)
        Widget->UpdateArrow(arrow);
    Widget->ArrowScaleX = sx;
    Widget->ArrowScaleY = sy;
    for (const TArrow& arrow : Widget->Arrows)
        Widget->UpdateArrow(arrow);
}

TRect TScrollWindow::ArrowArea(const TArrow& arrow) const {
    return TArrowPainter::Area(arrow, Widget->ArrowPlacement());
}

void TScrollWindow::SetScrollRange(int xRange, int yRange) {
    Widget->horizontalScrollBar()->setRange(0, std::max(0, xRange));
    Widget->verticalScrollBar()->setRange(0, std::max(0, yRange));
    Widget->horizontalScrollBar()->setPageStep(Widget->viewport()->width());
    Widget->verticalScrollBar()->setPageStep(Widget->viewport()->height());
    Widget->setHorizontalScrollBarPolicy(xRange > 0 ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
    Widget->setVerticalScrollBarPolicy(yRange > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TScrollWindow::ScrollTo(int x, int y) {
    Widget->horizontalScrollBar()->setValue(x);
    Widget->verticalScrollBar()->setValue(y);
}

void TScrollWindow::Paint(TDC& dc, bool erase, const TRect& rect) {
    (void)dc;
    (void)erase;
    (void)rect;
}
void TScrollWindow::EvLButtonDown(unsigned, const TPoint&) {}
void TScrollWindow::EvLButtonUp(unsigned, const TPoint&) {}
void TScrollWindow::EvRButtonDown(unsigned, const TPoint&) {}
void TScrollWindow::EvMouseMove(unsigned, const TPoint&) {}
bool TScrollWindow::EvKeyDown(unsigned) {
    return false;
}
void TScrollWindow::EvSize(unsigned, const TSize&) {}

void TScrollWindow::SetCursor(HINSTANCE, TResId cursorId) {
    Cursor = std::make_unique<TCursor>(cursorId);
    Widget->viewport()->setCursor(Cursor->Get());
}

const TScrollWindow::PaintStats& TScrollWindow::GetPaintStats() const {
    return Widget->Stats;
}

TResId TScrollWindow::GetCursorId() const {
    return Cursor ? Cursor->GetId() : TResId(TCursor::Arrow);
}

void TScrollWindow::SetMainCaption(const std::string& caption) {
    Widget->window()->setWindowTitle(FileNameText::Decode(caption));
}
