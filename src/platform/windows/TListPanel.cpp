#include "TListPanel.h"

#include "Windows1252.h"

#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QVBoxLayout>

/** The dock with its two lines and its list; a frame that places it deletes it with itself. */
class TListPanel::Dock {
public:
    QPointer<QDockWidget> Widget;
    QLabel* Top = nullptr;
    QLabel* Status = nullptr;
    QListWidget* List = nullptr;
    std::function<void(int)> OnSelect;
    std::function<void()> OnVisibility;
    bool Filling = false;
};

TListPanel::TListPanel(const char* title, const char* name)
    : Name(name), Widgets(std::make_unique<Dock>()) {
    auto* dock = new QDockWidget(Windows1252::Decode(title));
    dock->setObjectName(QString::fromLatin1(name));
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(dock);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    Widgets->Top = new QLabel(body);
    Widgets->Top->setWordWrap(true);
    Widgets->Status = new QLabel(body);
    Widgets->Status->setWordWrap(true);
    Widgets->Status->hide();
    Widgets->List = new QListWidget(body);
    Widgets->List->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(Widgets->Top);
    layout->addWidget(Widgets->Status);
    layout->addWidget(Widgets->List, 1);
    dock->setWidget(body);
    Widgets->Widget = dock;
    Dock* d = Widgets.get();
    QObject::connect(d->List, &QListWidget::currentRowChanged, dock, [d](int row) {
        if (!d->Filling && row >= 0 && d->OnSelect)
            d->OnSelect(row);
    });
    QObject::connect(dock, &QDockWidget::visibilityChanged, dock, [d](bool) {
        if (d->OnVisibility)
            d->OnVisibility();
    });
}

// A dock placed in a frame belongs to the frame; one never placed is ours.
TListPanel::~TListPanel() {
    if (Widgets->Widget) {
        Widgets->Widget->disconnect();
        Widgets->List->disconnect();
        if (!Widgets->Widget->parent())
            delete Widgets->Widget;
    }
}

void TListPanel::SetTopLine(const std::string& text) {
    Widgets->Top->setText(Windows1252::Decode(text));
}

void TListPanel::SetStatusLine(const std::string& text) {
    Status = text;
    Widgets->Status->setText(Windows1252::Decode(text));
    Widgets->Status->setVisible(!text.empty());
}

void TListPanel::SetRows(std::vector<Row> rows) {
    Rows = std::move(rows);
    Widgets->Filling = true;
    QListWidget* list = Widgets->List;
    list->clear();
    for (const Row& row : Rows) {
        auto* item = new QListWidgetItem(Windows1252::Decode(row.Text), list);
        if (row.Heading) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            item->setFlags(Qt::ItemIsEnabled);
        }
    }
    list->setCurrentRow(-1);
    Widgets->Filling = false;
}

void TListPanel::Select(int row) {
    Widgets->Filling = true;
    Widgets->List->setCurrentRow(row);
    if (QListWidgetItem* item = Widgets->List->item(row))
        Widgets->List->scrollToItem(item);
    Widgets->Filling = false;
}

int TListPanel::Selected() const {
    return Widgets->List->currentRow();
}

void TListPanel::SetSelectListener(std::function<void(int)> listener) {
    Widgets->OnSelect = std::move(listener);
}

bool TListPanel::IsShown() const {
    return !Widgets->Widget->isHidden();
}

void TListPanel::Show(bool shown) {
    Widgets->Widget->setVisible(shown);
}

void TListPanel::SetVisibilityListener(std::function<void()> listener) {
    Widgets->OnVisibility = std::move(listener);
}

QWidget* TListPanel::GetWidget() {
    return Widgets->Widget;
}
