#pragma once

#include "TResId.h"

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>
#include <vector>

/**
 * The layout of a dialog as its template describes it: caption, size, font and the controls
 * with their ids, kinds, texts and styles. Sizes and rectangles are in dialog units, which
 * scale with the dialog's font (see DialogUnits). Templates are JSON files embedded as
 * ":/dialogs/<id>.json"; one looks like
 *
 *   { "caption": "Combat Results", "size": [257, 46], "font": ["MS Sans Serif", 8],
 *     "styles": ["centred"],
 *     "controls": [ { "id": 2, "kind": "pushbutton", "text": "OK",
 *                     "rect": [155, 2, 96, 14], "styles": ["tabstop"] } ] }
 *
 * The dialog style "centred" is accepted as the classic templates have it; every dialog is
 * shown centred over its owner (or the screen) in any case.
 *
 * Kinds: pushbutton, radiobutton (checks itself and clears the others of its group when
 * clicked), checkbox (toggles itself when clicked), groupbox, static, frame, edit, icon (text
 * names the icon resource). Styles: group (starts a group: radio buttons between two group
 * starts are mutually exclusive), tabstop, disabled, hidden, etched (a frame drawn etched),
 * centre (centred text), noautohscroll, border. Controls with id -1 can't be addressed.
 */
class DialogTemplate {
public:
    enum class ControlKind {
        PushButton,
        RadioButton,
        CheckBox,
        GroupBox,
        Static,
        Frame,
        Edit,
        Icon
    };

    enum Style : unsigned {
        Group = 0x01,
        TabStop = 0x02,
        Disabled = 0x04,
        Hidden = 0x08,
        Etched = 0x10,
        Centre = 0x20,
        NoAutoHScroll = 0x40,
        Border = 0x80,
    };

    struct Control {
        int Id = -1;
        ControlKind Kind = ControlKind::Static;
        QString Text;
        /** Position and size in dialog units. */
        QRect Rect;
        unsigned Styles = 0;
        bool Has(Style s) const { return (Styles & s) != 0; }
    };

    TResId Id;
    QString Caption;
    /** Size of the client area in dialog units. */
    QSize Size;
    QString FontFace = QStringLiteral("MS Sans Serif");
    int FontPoints = 8;
    bool Centred = false;
    /** In template order, which is also the tab order. */
    std::vector<Control> Controls;

    /** The control with that id, or null. */
    const Control* Find(int id) const;

    /** The embedded template of a dialog resource; raises TXBadFile if missing or damaged. */
    static DialogTemplate Load(TResId id);
    /** A template from JSON text; name is what error messages call it. */
    static DialogTemplate FromJson(const QByteArray& json, const std::string& name);
    static QString ResourcePath(TResId id);
};
