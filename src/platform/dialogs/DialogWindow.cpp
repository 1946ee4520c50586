#include "DialogWindow.h"

#include "TDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using Kind = DialogTemplate::ControlKind;

/** The icon of an icon control, or a null pixmap when the resource is missing. */
QPixmap IconPixmap(const QString& name, const QSize& size) {
    for (const char* ext : {"png", "ico", "bmp"}) {
        const QString path = QStringLiteral(":/icons/%1.%2").arg(name, QLatin1String(ext));
        if (!QFile::exists(path))
            continue;
        QPixmap p(path);
        if (!p.isNull())
            return p.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return {};
}

} // namespace

DialogWindow::DialogWindow(TDialog& owner, const DialogTemplate& t, QWidget* parent)
    : QDialog(parent), Owner(owner), DluUnits(1, 1) {
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(t.Caption);
    setFont(DialogUnits::DialogFont(t.FontFace, t.FontPoints));
    DluUnits = DialogUnits::ForFont(font());
    setFixedSize(DluUnits.ToPixels(t.Size));

    // A group runs from one control with the group style to the next; the radio buttons of
    // one group share a button group, which makes them exclusive among themselves only.
    QButtonGroup* radios = nullptr;
    for (const DialogTemplate::Control& c : t.Controls) {
        if (c.Has(DialogTemplate::Group))
            radios = nullptr;
        QWidget* w = Create(c);
        w->setGeometry(DluUnits.ToPixels(c.Rect));
        w->setEnabled(!c.Has(DialogTemplate::Disabled));
        w->setVisible(!c.Has(DialogTemplate::Hidden));
        w->installEventFilter(this);
        if (c.Id != -1)
            Controls[c.Id] = w;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            if (c.Kind == Kind::RadioButton) {
                b->setAutoExclusive(false);
                if (!radios)
                    radios = new QButtonGroup(this);
                radios->addButton(b);
            }
            const int id = c.Id;
            connect(b, &QAbstractButton::clicked, this, [this, id] { Owner.ButtonClicked(id); });
        }
    }
}

QWidget* DialogWindow::Create(const DialogTemplate::Control& c) {
    const bool tabStop = c.Has(DialogTemplate::TabStop);
    // Buttons and edits take the focus when clicked; only tab stops are reached with Tab.
    const Qt::FocusPolicy focus = tabStop ? Qt::StrongFocus : Qt::ClickFocus;
    switch (c.Kind) {
    case Kind::PushButton: {
        auto* b = new QPushButton(c.Text, this);
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setFocusPolicy(focus);
        return b;
    }
    case Kind::RadioButton: {
        auto* b = new QRadioButton(c.Text, this);
        b->setFocusPolicy(focus);
        return b;
    }
    case Kind::CheckBox: {
        auto* b = new QCheckBox(c.Text, this);
        b->setFocusPolicy(focus);
        return b;
    }
    case Kind::GroupBox: {
        // Drawn as the classic group box: an etched frame over the whole rectangle whose top
        // line runs through the middle of the title, so the template's controls, placed just
        // below the title, sit inside the frame.
        auto* g = new QGroupBox(c.Text, this);
        g->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 2px groove palette(mid); margin-top: 0.5em; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
        return g;
    }
    case Kind::Static: {
        auto* l = new QLabel(this);
        l->setTextFormat(Qt::PlainText);
        l->setText(c.Text);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignTop |
                        (c.Has(DialogTemplate::Centre) ? Qt::AlignHCenter : Qt::AlignLeft));
        return l;
    }
    case Kind::Frame: {
        auto* f = new QFrame(this);
        f->setFrameShape(QFrame::Box);
        f->setFrameShadow(c.Has(DialogTemplate::Etched) ? QFrame::Sunken : QFrame::Plain);
        return f;
    }
    case Kind::Edit: {
        auto* e = new QLineEdit(this);
        e->setText(c.Text);
        e->setFrame(c.Has(DialogTemplate::Border));
        e->setFocusPolicy(focus);
        return e;
    }
    case Kind::Icon: {
        auto* l = new QLabel(this);
        const QRect r = DluUnits.ToPixels(c.Rect);
        l->setPixmap(IconPixmap(c.Text, r.size()));
        return l;
    }
    }
    return new QWidget(this);
}

QWidget* DialogWindow::Control(int id) const {
    const auto found = Controls.find(id);
    return found == Controls.end() ? nullptr : found->second;
}

int DialogWindow::IdOf(const QWidget* widget) const {
    for (const auto& [id, w] : Controls)
        if (w == widget)
            return id;
    return 0;
}

bool DialogWindow::DialogKey(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // As the classic dialog manager does: Enter presses the push button that has the
        // focus, and sends command 1 from anywhere else.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        else
            Owner.Command(IDOK);
        return true;
    case Qt::Key_Escape:
        Owner.Command(IDCANCEL);
        return true;
    default:
        return false;
    }
}

// Every control reports its key presses here first, so Enter and Escape reach the dialog
// even from a control that would use them itself.
bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && DialogKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (!DialogKey(event))
        QDialog::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The dialog ends only through its handlers; they hide the window when they end it.
    event->ignore();
    Owner.CloseRequest();
}

void DialogWindow::reject() {
    Owner.CloseRequest();
}

void DialogWindow::accept() {
    Owner.Command(IDOK);
}
