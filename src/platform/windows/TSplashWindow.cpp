#include "TSplashWindow.h"

#include "Windows1252.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

// The splash is a picture that comes and goes while the program starts, placed by the program
// itself: the window manager is bypassed. A managed window is first taken in by the manager
// (reparented, configured, mapped) and then given up again when the splash goes, work that the
// X server waits on and that delays the frame behind it; a bypassed window is on the screen
// as soon as it is mapped, so it is painted when shown.
class TSplashWindow::View : public QLabel {
public:
    View(const QPixmap& picture, bool closeOnClick)
        : QLabel(nullptr,
                 Qt::SplashScreen | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint),
          CloseOnClick(closeOnClick) {
        setPixmap(picture);
        setAttribute(Qt::WA_QuitOnClose, false);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (CloseOnClick)
            hide();
        else
            QLabel::mousePressEvent(event);
    }

private:
    bool CloseOnClick;
};

TSplashWindow::TSplashWindow(const TDib& dib, int width, int height, unsigned style,
                             unsigned timeout, const char* title, HINSTANCE) {
    // The picture's pixels are copied once, into the window's own picture.
    const QImage image(reinterpret_cast<const uchar*>(dib.Pixels().data()), dib.Width(),
                       dib.Height(), dib.Width() * 4, QImage::Format_RGB32);
    Widget = std::make_unique<View>(QPixmap::fromImage(image.copy()), style & CaptureMouse);
    Widget->setWindowTitle(Windows1252::Decode(title));
    if (style & ShrinkToFit)
        Widget->setFixedSize(dib.Width(), dib.Height());
    else
        Widget->setFixedSize(width, height);
    if (timeout > 0) {
        auto* timer = new QTimer(Widget.get());
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, Widget.get(), &QWidget::hide);
        timer->start(int(timeout));
    }
}

TSplashWindow::~TSplashWindow() = default;

void TSplashWindow::Create() {
    // Centred on the screen, as a splash picture is.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        Widget->move(screen->availableGeometry().center() - Widget->rect().center());
}

void TSplashWindow::UpdateWindow() {
    Widget->show();
    Widget->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool TSplashWindow::IsVisible() const {
    return Widget->isVisible();
}

QWidget* TSplashWindow::GetWidget() const {
    return Widget.get();
}
