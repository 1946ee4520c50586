#include "MenuTemplate.h"

#include "TXBadFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

MenuTemplate MenuTemplate::Load(const std::string& name) {
    const QString path = QStringLiteral(":/menus/%1.json").arg(QString::fromStdString(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TXBadFile(path.toStdString(), "no such menu resource");
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw TXBadFile(path.toStdString(), "not a menu: " + error.errorString().toStdString());
    MenuTemplate menu;
    for (const QJsonValue& p : doc.object().value("popups").toArray()) {
        Popup popup;
        popup.Text = p.toObject().value("text").toString().toStdString();
        for (const QJsonValue& i : p.toObject().value("items").toArray()) {
            const QJsonObject o = i.toObject();
            popup.Items.push_back({o.value("id").toInt(), o.value("text").toString().toStdString(),
                                   o.value("shortcut").toString().toStdString()});
        }
        menu.Popups.push_back(std::move(popup));
    }
    if (menu.Popups.empty())
        throw TXBadFile(path.toStdString(), "a menu without pop-ups");
    return menu;
}
