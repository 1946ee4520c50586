#include "TTextGadget.h"

#include "Windows1252.h"

#include <QFontMetrics>

TTextGadget::TTextGadget(int id, int widthInChars) : Id(id), Width(widthInChars) {}

// A label placed in a status bar belongs to it; one never placed is ours.
TTextGadget::~TTextGadget() {
    if (Label && !Label->parent())
        delete Label;
}

void TTextGadget::SetText(const char* text) {
    Text = text ? text : "";
    ++WriteCount;
    if (Label)
        Label->setText(Windows1252::Decode(Text));
}

QWidget* TTextGadget::GetWidget() {
    if (!Label) {
        Label = new QLabel(Windows1252::Decode(Text));
        Label->setFrameStyle(QFrame::Panel | QFrame::Sunken); // recessed
        Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (Width > 0)
            Label->setMinimumWidth(QFontMetrics(Label->font()).averageCharWidth() * Width);
    }
    return Label;
}
