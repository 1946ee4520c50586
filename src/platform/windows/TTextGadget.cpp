#include "TTextGadget.h"

#include "Windows1252.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPointer>

/** The label showing the text; a status bar that places it deletes it with itself. */
class TTextGadget::Field {
public:
    QPointer<QLabel> Widget;
};

TTextGadget::TTextGadget(int id, int widthInChars)
    : Id(id), Width(widthInChars), Label(std::make_unique<Field>()) {}

// A label placed in a status bar belongs to it; one never placed is ours.
TTextGadget::~TTextGadget() {
    if (Label->Widget && !Label->Widget->parent())
        delete Label->Widget;
}

void TTextGadget::SetText(const char* text) {
    Text = text ? text : "";
    ++WriteCount;
    if (Label->Widget)
        Label->Widget->setText(Windows1252::Decode(Text));
}

QWidget* TTextGadget::GetWidget() {
    if (!Label->Widget) {
        auto* label = new QLabel(Windows1252::Decode(Text));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken); // recessed
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (Width > 0)
            label->setMinimumWidth(QFontMetrics(label->font()).averageCharWidth() * Width);
        Label->Widget = label;
    }
    return Label->Widget;
}
