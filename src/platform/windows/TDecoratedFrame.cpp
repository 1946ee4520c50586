#include "TDecoratedFrame.h"

#include "MenuTemplate.h"
#include "TButtonGadget.h"
#include "TDib.h"
#include "TModule.h"
#include "TSeparatorGadget.h"
#include "TXBadFile.h"
#include "Windows1252.h"

#include <QAction>
#include <QBitmap>
#include <QDockWidget>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include <cstdint>
#include <cstring>

namespace {

// The remembered layout: the user's settings of the program, and the key of the panels' state.
constexpr const char* SettingsName = "kurvask";
constexpr const char* LayoutKey = "frame/panels";

// A tool-bar or icon picture: the colour of its top-left pixel is its ground, shown as
// transparent, as tool-bar bitmaps have it. Decoded as every picture of the program is: Qt's
// image reader would first look through the image format plugins installed, which at start-up
// costs more than decoding all the pictures of the frame.
QIcon IconResource(TResId id) {
    const TModule icons(":/icons");
    for (const TModule* module : {&icons, static_cast<const TModule*>(&TModule::Application())}) {
        if (!module->HasBitmap(id))
            continue;
        QImage image;
        try {
            const TDib dib(module, id);
            image = QImage(dib.Width(), dib.Height(), QImage::Format_RGB32);
            for (int y = 0; y < dib.Height(); ++y)
                std::memcpy(image.scanLine(y), dib.Pixels().data() + std::size_t(y) * dib.Width(),
                            std::size_t(dib.Width()) * sizeof(std::uint32_t));
        } catch (const TXBadFile&) {
            continue;
        }
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(image.pixel(0, 0))));
        return QIcon(pixmap);
    }
    return {};
}

} // namespace

TDecoratedFrame::TDecoratedFrame(const char* caption, TWindow& client)
    : TFrameWindow(caption, client) {
    client.SetCommandListener([this] { UpdateCommands(); });
}

TDecoratedFrame::~TDecoratedFrame() {
    RememberLayout();
    ClientWindow().SetCommandListener({});
}

QAction* TDecoratedFrame::ActionFor(int id) {
    if (QAction* action = Action(id))
        return action;
    auto* action = new QAction(&MainWidget());
    action->setEnabled(false); // until the client's enabler answers
    QObject::connect(action, &QAction::triggered, &MainWidget(), [this, id] {
        ClientWindow().RunCommand(id);
        UpdateCommands();
    });
    Actions[id] = action;
    return action;
}

QAction* TDecoratedFrame::Action(int id) const {
    const auto found = Actions.find(id);
    return found == Actions.end() ? nullptr : found->second;
}

void TDecoratedFrame::Insert(TControlBar& bar, Placement where) {
    auto* tools = new QToolBar(&MainWidget());
    tools->setObjectName(QStringLiteral("tools"));
    tools->setMovable(false);
    tools->setIconSize(QSize(20, 20));
    tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const auto& gadget : bar.GetGadgets()) {
        if (auto* button = dynamic_cast<TButtonGadget*>(gadget.get())) {
            QAction* action = ActionFor(button->GetId());
            action->setIcon(IconResource(button->GetBitmapId()));
            tools->addAction(action);
        } else if (dynamic_cast<TSeparatorGadget*>(gadget.get())) {
            tools->addSeparator();
        }
    }
    MainWidget().addToolBar(where == Top ? Qt::TopToolBarArea : Qt::BottomToolBarArea, tools);
    UpdateCommands();
}

void TDecoratedFrame::Insert(TStatusBar& bar, Placement) {
    QStatusBar* status = MainWidget().statusBar();
    // The message field is the status bar's own, stretched on the left; the gadgets follow.
    for (const auto& gadget : bar.GetGadgets())
        status->addPermanentWidget(gadget->GetWidget());
}

void TDecoratedFrame::Insert(TListPanel& panel) {
    auto* dock = static_cast<QDockWidget*>(panel.GetWidget());
    MainWidget().addDockWidget(Qt::RightDockWidgetArea, dock);
    HasPanels = true;
    QSettings settings(SettingsName, SettingsName);
    const QByteArray layout = settings.value(LayoutKey).toByteArray();
    if (!layout.isEmpty())
        MainWidget().restoreState(layout);
}

void TDecoratedFrame::RememberLayout() {
    if (!HasPanels)
        return;
    QSettings settings(SettingsName, SettingsName);
    settings.setValue(LayoutKey, MainWidget().saveState());
}

void TDecoratedFrame::AssignMenu(const std::string& name) {
    const MenuTemplate menu = MenuTemplate::Load(name);
    QMenuBar* bar = MainWidget().menuBar();
    bar->clear();
    for (const MenuTemplate::Popup& p : menu.Popups) {
        QMenu* popup = bar->addMenu(Windows1252::Decode(p.Text));
        QObject::connect(popup, &QMenu::aboutToShow, &MainWidget(), [this] { UpdateCommands(); });
        for (const MenuTemplate::Item& item : p.Items) {
            QAction* action = ActionFor(item.Id);
            action->setText(Windows1252::Decode(item.Text));
            if (!item.Shortcut.empty())
                action->setShortcut(QKeySequence(QString::fromStdString(item.Shortcut)));
            popup->addAction(action);
        }
    }
    UpdateCommands();
}

void TDecoratedFrame::SetIcon(HINSTANCE, TResId iconId) {
    QIcon icon = MainWidget().windowIcon();
    const QIcon large = IconResource(iconId);
    for (const QSize& size : large.availableSizes())
        icon.addPixmap(large.pixmap(size));
    MainWidget().setWindowIcon(icon);
}

void TDecoratedFrame::SetIconSm(HINSTANCE module, TResId iconId) {
    SetIcon(module, iconId);
}

void TDecoratedFrame::UpdateCommands() {
    for (const auto& [id, action] : Actions) {
        TCommandEnabler ce(id);
        ClientWindow().EnableCommand(ce);
        action->setEnabled(ce.IsEnabled());
        action->setCheckable(ce.IsCheckable());
        action->setChecked(ce.GetCheck() == TCommandEnabler::Checked);
    }
}
