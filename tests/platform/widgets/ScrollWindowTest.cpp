// The scrolling window on screen: painting at the scroll position, drawing through a client
// context, and the drag image floating over the client pixels without changing them.
#include "TClientDC.h"
#include "TImageList.h"
#include "TScrollWindow.h"
#include "TestFiles.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Paints a pattern that depends on the map point, so the scroll position shows.
class PatternWindow : public TScrollWindow {
public:
    static TColor At(int x, int y) { return TColor::FromPixel(std::uint32_t(x * 5 + y * 1009)); }
    void Paint(TDC& dc, bool, const TRect&) override {
        TBitmap map(800, 600);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                map.SetPixel(x, y, At(x, y));
        dc.BitBlt(0, 0, 800, 600, map, 0, 0);
        ++Paints;
    }
    int Paints = 0;
};

class ScrollWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Window.GetWidget()->resize(300, 200);
        Window.GetWidget()->show();
        Window.SetScrollRange(500, 400);
        QApplication::processEvents();
    }
    PatternWindow Window;
};

TEST_F(ScrollWindowTest, paintShowsTheMapAtTheScrollPosition) {
    Window.ScrollTo(40, 30);
    Window.UpdateWindow();
    EXPECT_EQ(Window.GetScrollPos(), TPoint(40, 30));
    TClientDC dc(Window);
    EXPECT_EQ(dc.GetPixel(0, 0), PatternWindow::At(40, 30));
    EXPECT_EQ(dc.GetPixel(10, 20), PatternWindow::At(50, 50));
}

TEST_F(ScrollWindowTest, invalidatingRepaintsAndClientDrawingShowsAtOnce) {
    Window.UpdateWindow();
    const int before = Window.Paints;
    TClientDC dc(Window);
    TBitmap block(4, 4);
    dc.BitBlt(5, 5, 4, 4, block, 0, 0);
    Window.UpdateWindow();
    EXPECT_EQ(Window.Paints, before); // drawing is not a repaint
    EXPECT_EQ(dc.GetPixel(6, 6), TColor::Black);
    Window.InvalidateRect({0, 0, 20, 20}, false);
    Window.UpdateWindow();
    EXPECT_GT(Window.Paints, before);
    EXPECT_EQ(dc.GetPixel(6, 6), PatternWindow::At(6, 6));
}

TEST_F(ScrollWindowTest, dragImageFloatsOverTheClientPixels) {
    Window.UpdateWindow();
    TestDir dir;
    // A 24 x 24 picture: black (transparent) left half, white right half.
    std::vector<std::uint32_t> px(24 * 24);
    for (std::size_t i = 0; i < px.size(); ++i)
        px[i] = i % 24 < 12 ? 0x000000 : 0xffffff;
    dir.Write("2001.bmp", BmpBytes::Rgb24(24, 24, px));
    TModule module(dir.Path("."));
    TImageList image(&module, 2001, 24, 1, TColor(0u));
    ASSERT_TRUE(image.BeginDrag(0, 12, 12));
    ASSERT_TRUE(image.DragEnter(Window, 50, 50));
    const TBitmap client = *Window.GetClientBitmap();

    const QPoint viewport = Window.GetWidget()
                                ->findChild<QWidget*>("qt_scrollarea_viewport")
                                ->mapTo(Window.GetWidget(), QPoint(0, 0));
    auto shownAt = [&](int x, int y) {
        const QImage shown = Window.GetWidget()->grab().toImage();
        return TColor::FromPixel(shown.pixel(viewport.x() + x, viewport.y() + y));
    };
    EXPECT_EQ(shownAt(40, 45), PatternWindow::At(40, 45)); // black part: the map shows through
    EXPECT_EQ(shownAt(55, 45), TColor::White);             // white part drawn over it
    // The client pixels themselves are untouched.
    EXPECT_EQ(Window.GetClientBitmap()->GetPixel(55, 45), client.GetPixel(55, 45));

    image.DragLeave(Window);
    image.EndDrag();
    EXPECT_EQ(shownAt(55, 45), PatternWindow::At(55, 45));
}

// Laid out and resized while hidden, as the map window is while the program starts, the window
// paints nothing until it is shown; then it paints once, at the size it is shown at.
TEST(ScrollWindowHidden, paintsOnceWhenShownAtTheSizeShown) {
    PatternWindow window;
    QWidget* widget = window.GetWidget();
    for (const QSize size : {QSize(640, 480), QSize(500, 300), QSize(300, 200)}) {
        widget->resize(size);
        window.Invalidate();
        window.UpdateWindow();
    }
    EXPECT_EQ(window.Paints, 0);
    widget->show();
    QApplication::processEvents();
    EXPECT_EQ(window.Paints, 1);
    const QWidget* viewport = widget->findChild<QWidget*>("qt_scrollarea_viewport");
    const TBitmap& client = *window.GetClientBitmap();
    EXPECT_EQ(QSize(client.Width(), client.Height()), viewport->size());
    EXPECT_EQ(window.GetPaintStats().PaintPixels, (long long)client.Width() * client.Height());
    EXPECT_EQ(client.GetPixel(client.Width() - 1, client.Height() - 1),
              PatternWindow::At(client.Width() - 1, client.Height() - 1));
}

} // namespace
