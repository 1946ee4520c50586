// The map window under the mouse, on the bundled map in a 1920 x 1080 window shown offscreen:
// one mouse move during a drag, the drop of a counter, and a 1:1 paint of the whole client
// area through the window, each beside the floor of the pixel copies it has to make.
#include "KVKWindow.h"
#include "TArrowPainter.h"
#include "TMemoryDC.h"
#include "TestFiles.h"
#include "UnitFile.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

constexpr int ViewW = 1920, ViewH = 1080;
constexpr int HexA = 10 * 32 + 10, HexB = 12 * 32 + 10;

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "kvk_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(argc, argv);
    }
}

// The window with a turn of 220 units spread over the board, two on hex A.
struct WindowFixture {
    WindowFixture() {
        EnsureApplication();
        UnitFile::Records records;
        for (int u = 0; u < UnitFile::Units; ++u) {
            const int hex = u < 2 ? HexA : 40 + (u * 7) % 1300;
            records[std::size_t(u)] = CounterRecord(hex, hex, 0);
        }
        Dir.Write("turn.kvk", UnitFile::Serialize(records));
        Window = std::make_unique<KVKWindow>(nullptr, nullptr, nullptr,
                                             KURVASK_SOURCE_DIR "/data/kvkmap.bmp");
        Viewport()->parentWidget()->resize(ViewW + 20, ViewH + 20);
        Viewport()->parentWidget()->show();
        QCoreApplication::processEvents();
        Window->Map().FileData.FileName = Dir.Path("turn.kvk");
        Window->Turn().OpenTurn(false);
        QCoreApplication::processEvents();
    }
    QWidget* Viewport() {
        return static_cast<QAbstractScrollArea*>(Window->GetWidget())->viewport();
    }
    static TPoint Middle(int hex) { return MapBoard::HexOrigin(hex) + TPoint(12, 20); }

    TestDir Dir;
    std::unique_ptr<KVKWindow> Window;
};

// One mouse move while a counter is dragged, shown on the screen.
void BM_DragMouseMove(benchmark::State& state) {
    WindowFixture f;
    f.Window->EvLButtonDown(0, WindowFixture::Middle(HexA));
    QCoreApplication::processEvents();
    const auto before = f.Window->GetPaintStats();
    int i = 0;
    for (auto _ : state) {
        f.Window->EvMouseMove(0, WindowFixture::Middle(HexA) + TPoint(3 + i % 2 * 5, 2));
        QCoreApplication::processEvents();
        ++i;
    }
    const auto after = f.Window->GetPaintStats();
    state.counters["pixels_per_move"] =
        double(after.FramePixels - before.FramePixels) / double(state.iterations());
    state.counters["map_repaints"] = double(after.Paints - before.Paints);
    f.Window->EvLButtonUp(0, WindowFixture::Middle(HexA));
}
BENCHMARK(BM_DragMouseMove)->Unit(benchmark::kMicrosecond);

// The floor of a move: the two 24 x 24 areas restored from the window's pixels and the
// picture drawn over them, transparent where black, on a full-HD screen image.
void BM_DragMoveFloor(benchmark::State& state) {
    QImage screen(ViewW, ViewH, QImage::Format_RGB32), client(ViewW, ViewH, QImage::Format_RGB32);
    client.fill(0x336699);
    QImage picture(24, 24, QImage::Format_ARGB32);
    picture.fill(0xff884422);
    int i = 0;
    for (auto _ : state) {
        QPainter p(&screen);
        for (const QPoint at : {QPoint(300 + i % 2 * 5, 300), QPoint(305 - i % 2 * 5, 300)}) {
            p.drawImage(at, client, QRect(at, QSize(24, 24)));
            p.drawImage(at, picture);
        }
        ++i;
        benchmark::DoNotOptimize(screen.bits());
    }
}
BENCHMARK(BM_DragMoveFloor)->Unit(benchmark::kMicrosecond);

// The same floor as a frame of the desktop: a bare widget that asks for the two areas to be
// updated and paints them as above, through Qt's update and paint cycle.
class FloorWidget : public QWidget {
public:
    FloorWidget() {
        client.fill(0x336699);
        picture.fill(0xff884422);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QPoint At;
    QImage client{ViewW, ViewH, QImage::Format_RGB32};
    QImage picture{24, 24, QImage::Format_ARGB32};

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.drawImage(event->rect(), client, event->rect());
        p.drawImage(At, picture);
    }
};

void BM_DragMoveQtFrameFloor(benchmark::State& state) {
    EnsureApplication();
    FloorWidget w;
    w.resize(ViewW, ViewH);
    w.show();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        const QPoint old = w.At;
        w.At = QPoint(300 + i % 2 * 5, 300);
        w.update(QRect(old, QSize(24, 24)));
        w.update(QRect(w.At, QSize(24, 24)));
        QCoreApplication::processEvents();
        ++i;
    }
}
BENCHMARK(BM_DragMoveQtFrameFloor)->Unit(benchmark::kMicrosecond);

// The drop of a counter on another hex: model, surface, window pixels and the repaint that
// the drop asks for, shown on the screen.
void BM_DropCounter(benchmark::State& state) {
    WindowFixture f;
    int i = 0;
    for (auto _ : state) {
        const int from = i % 2 ? HexB : HexA, to = i % 2 ? HexA : HexB;
        f.Window->EvLButtonDown(0, WindowFixture::Middle(from));
        f.Window->EvLButtonUp(0, WindowFixture::Middle(to));
        QCoreApplication::processEvents();
        ++i;
    }
}
BENCHMARK(BM_DropCounter)->Unit(benchmark::kMicrosecond);

// The floor of a drop: the pixel copies it cannot avoid, the whole client area copied from
// the surface and shown, plus the hex bodies taken off and drawn again.
void BM_DropFloor(benchmark::State& state) {
    WindowFixture f;
    const TBitmap& surface = *f.Window->Map().MapSurface().GetBitmap();
    QImage screen(ViewW, ViewH, QImage::Format_RGB32);
    TBitmap client(ViewW, ViewH);
    for (auto _ : state) {
        for (int y = 0; y < ViewH; ++y)
            std::memcpy(client.Bits() + std::size_t(y) * ViewW,
                        surface.Bits() + std::size_t(y) * surface.Stride(), ViewW * 4);
        const QImage shown(reinterpret_cast<const uchar*>(client.Bits()), ViewW, ViewH, ViewW * 4,
                           QImage::Format_RGB32);
        QPainter(&screen).drawImage(0, 0, shown);
        TMemoryDC dc(client);
        for (int k = 0; k < 8; ++k) // hex bodies: saved, restored and redrawn in both hexes
            dc.BitBlt(100 + k * 30, 100, 24, 40, surface, 200, 200);
        benchmark::DoNotOptimize(screen.bits());
    }
}
BENCHMARK(BM_DropFloor)->Unit(benchmark::kMicrosecond);

// A 1:1 paint of the whole client area through the window's Paint, into its client pixels.
void BM_WindowPaint(benchmark::State& state) {
    WindowFixture f;
    TBitmap client(ViewW, ViewH);
    TMemoryDC dc(client);
    for (auto _ : state) {
        f.Window->Paint(dc, false, TRect(0, 0, ViewW, ViewH));
        benchmark::DoNotOptimize(client.Bits());
    }
    state.SetBytesProcessed(state.iterations() * ViewW * ViewH * 4);
}
BENCHMARK(BM_WindowPaint)->Unit(benchmark::kMicrosecond);

// The review's arrows of 220 moves drawn over the whole 1920 x 1080 client area, as the window
// draws them over its pixels on every full repaint: moves of one to three hexes all over the
// part of the map in sight, every fifth by rail (dashed), one highlighted. Beside
// BM_WindowPaint, the paint they come on top of.
void BM_ReviewArrows220(benchmark::State& state) {
    EnsureApplication();
    std::vector<TArrow> arrows;
    for (int u = 0; arrows.size() < 220; ++u) {
        const int column = (u * 7) % 52, row = (u * 5) % 24;
        const int from = column * 32 + row, to = (column + 1 + u % 3) * 32 + row + u % 2;
        arrows.push_back({TurnReview::HexCentre(from), TurnReview::HexCentre(to),
                          u % 2 ? TurnReview::ReceivedColor : TurnReview::OwnColor, u % 5 == 0,
                          u == 0});
    }
    TBitmap client(ViewW, ViewH);
    for (auto _ : state) {
        TArrowPainter::Paint(client, arrows, {});
        benchmark::DoNotOptimize(client.Bits());
    }
}
BENCHMARK(BM_ReviewArrows220)->Unit(benchmark::kMicrosecond);

} // namespace
