// A second yardstick of start-up: a plain Qt Widgets program with the parts of kurvask's frame
// and none of its work. A maximized main window with a menu bar of seven menus, a tool bar of
// fourteen 20 x 20 buttons in five groups, a status bar of three text fields, a dock listing
// the moves of a turn and, in a scroll area, a picture the size of the map. It ends as soon as
// it is first on the screen, told the same way as for kurvask (see FirstFrameProbe). Run by
// bench/startup.sh, which compares kurvask with it as well as with the empty window.
#include "FirstFrameProbe.h"

#include <QApplication>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>

#include <initializer_list>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstFrameProbe probe;
    QMainWindow window;
    window.setWindowTitle("Kurvask  :  opening");

    using Items = std::initializer_list<const char*>;
    for (const Items menu :
         {Items{"Files", "Open Turn", "Save Turn"},
          Items{"Map", "Undo Last Move", "Move All", "Zoom"},
          Items{"Left Click", "Move", "Return to Start Hex", "Combat"},
          Items{"Right Click", "Rotate", "Surr/Rail/Rep", "Show Combat"},
          Items{"Combat Display", "Show All", "Clear All"}, Items{"About", "About"},
          Items{"Review", "Show Moves", "Review Panel", "Next Move", "Previous Move"}}) {
        QMenu* popup = window.menuBar()->addMenu(*menu.begin());
        for (auto item = menu.begin() + 1; item != menu.end(); ++item)
            popup->addAction(*item);
    }

    QToolBar* tools = window.addToolBar("Tools");
    for (int i = 0; i < 14; ++i) {
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(QColor(40 + 10 * i, 120, 200));
        tools->addAction(QIcon(QPixmap::fromImage(picture)), QString::number(i));
        if (i == 1 || i == 4 || i == 7 || i == 10)
            tools->addSeparator();
    }

    for (const char* field : {"Hex : D5", "Yet To Move", "No movement report"})
        window.statusBar()->addPermanentWidget(new QLabel(field));

    auto* moves = new QListWidget;
    for (int i = 0; i < 150; ++i)
        moves->addItem(QString("(4-3) : %1 Inf   D5 \u00bb D6").arg(i + 1));
    auto* dock = new QDockWidget("Review");
    dock->setWidget(moves);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);

    QImage map(2100, 1300, QImage::Format_RGB32);
    map.fill(QColor(190, 200, 150));
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(map));
    auto* scroller = new QScrollArea;
    scroller->setWidget(picture);
    window.setCentralWidget(scroller);

    window.showMaximized();
    return app.exec();
}
