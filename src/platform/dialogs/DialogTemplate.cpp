#include "DialogTemplate.h"

#include "TXBadFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>
#include <utility>

namespace {

using Kind = DialogTemplate::ControlKind;

const std::pair<const char*, Kind> KindNames[] = {
    {"pushbutton", Kind::PushButton},
    {"radiobutton", Kind::RadioButton},
    {"checkbox", Kind::CheckBox},
    {"groupbox", Kind::GroupBox},
    {"static", Kind::Static},
    {"frame", Kind::Frame},
    {"edit", Kind::Edit},
    {"icon", Kind::Icon},
};

const std::pair<const char*, DialogTemplate::Style> StyleNames[] = {
    {"group", DialogTemplate::Group},
    {"tabstop", DialogTemplate::TabStop},
    {"disabled", DialogTemplate::Disabled},
    {"hidden", DialogTemplate::Hidden},
    {"etched", DialogTemplate::Etched},
    {"centre", DialogTemplate::Centre},
    {"noautohscroll", DialogTemplate::NoAutoHScroll},
    {"border", DialogTemplate::Border},
};

/** Reads one template; every fault raises TXBadFile naming the template. */
class Reader {
public:
    explicit Reader(std::string name) : Name(std::move(name)) {}

    [[noreturn]] void Fail(const std::string& reason) const { throw TXBadFile(Name, reason); }

    int Int(const QJsonValue& v, const std::string& what) const {
        if (!v.isDouble() || v.toDouble() != double(v.toInt()))
            Fail(what + " is not a whole number");
        return v.toInt();
    }

    QString Text(const QJsonObject& o, const char* key, const std::string& what) const {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isString())
            Fail(what + " is not a text");
        return v.toString();
    }

    std::vector<int> Ints(const QJsonValue& v, qsizetype count, const std::string& what) const {
        if (!v.isArray() || v.toArray().size() != count)
            Fail(what + " must be " + std::to_string(count) + " numbers");
        std::vector<int> out;
        for (const QJsonValue& e : v.toArray())
            out.push_back(Int(e, what));
        return out;
    }

    QStringList Names(const QJsonValue& v, const std::string& what) const {
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            Fail(what + " must be a list of names");
        QStringList out;
        for (const QJsonValue& e : v.toArray()) {
            if (!e.isString())
                Fail(what + " must be a list of names");
            out.append(e.toString());
        }
        return out;
    }

    DialogTemplate::Control ReadControl(const QJsonValue& v, int index) const {
        const std::string where = "control " + std::to_string(index);
        if (!v.isObject())
            Fail(where + " is not an object");
        const QJsonObject o = v.toObject();
        DialogTemplate::Control c;
        c.Id =
            o.contains(QLatin1String("id")) ? Int(o.value(QLatin1String("id")), where + " id") : -1;
        const QString kind = Text(o, "kind", where + " kind");
        bool known = false;
        for (const auto& [name, k] : KindNames)
            if (kind == QLatin1String(name)) {
                c.Kind = k;
                known = true;
            }
        if (!known)
            Fail(where + " has unknown kind '" + kind.toStdString() + "'");
        c.Text = Text(o, "text", where + " text");
        const std::vector<int> r = Ints(o.value(QLatin1String("rect")), 4, where + " rect");
        if (r[2] < 0 || r[3] < 0)
            Fail(where + " has a negative size");
        c.Rect = QRect(r[0], r[1], r[2], r[3]);
        for (const QString& s : Names(o.value(QLatin1String("styles")), where + " styles")) {
            bool styleKnown = false;
            for (const auto& [name, style] : StyleNames)
                if (s == QLatin1String(name)) {
                    c.Styles |= style;
                    styleKnown = true;
                }
            if (!styleKnown)
                Fail(where + " has unknown style '" + s.toStdString() + "'");
        }
        return c;
    }

    DialogTemplate Read(const QByteArray& json) const {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
        if (doc.isNull())
            Fail("not valid JSON: " + error.errorString().toStdString());
        if (!doc.isObject())
            Fail("not a dialog template");
        const QJsonObject o = doc.object();
        DialogTemplate t;
        t.Caption = Text(o, "caption", "caption");
        const std::vector<int> size = Ints(o.value(QLatin1String("size")), 2, "size");
        if (size[0] <= 0 || size[1] <= 0)
            Fail("size must be positive");
        t.Size = QSize(size[0], size[1]);
        if (o.contains(QLatin1String("font"))) {
            const QJsonValue f = o.value(QLatin1String("font"));
            if (!f.isArray() || f.toArray().size() != 2 || !f.toArray().at(0).isString())
                Fail("font must be a face name and a point size");
            t.FontFace = f.toArray().at(0).toString();
            t.FontPoints = Int(f.toArray().at(1), "font size");
            if (t.FontPoints <= 0)
                Fail("font size must be positive");
        }
        for (const QString& s : Names(o.value(QLatin1String("styles")), "styles")) {
            if (s != QLatin1String("centred"))
                Fail("unknown dialog style '" + s.toStdString() + "'");
            t.Centred = true;
        }
        const QJsonValue controls = o.value(QLatin1String("controls"));
        if (!controls.isArray())
            Fail("controls must be a list");
        std::set<int> ids;
        int index = 0;
        for (const QJsonValue& v : controls.toArray()) {
            DialogTemplate::Control c = ReadControl(v, index++);
            if (c.Id != -1 && !ids.insert(c.Id).second)
                Fail("control id " + std::to_string(c.Id) + " appears twice");
            t.Controls.push_back(std::move(c));
        }
        return t;
    }

private:
    std::string Name;
};

} // namespace

const DialogTemplate::Control* DialogTemplate::Find(int id) const {
    if (id == -1)
        return nullptr;
    for (const Control& c : Controls)
        if (c.Id == id)
            return &c;
    return nullptr;
}

QString DialogTemplate::ResourcePath(TResId id) {
    return QStringLiteral(":/dialogs/%1.json").arg(int(id));
}

DialogTemplate DialogTemplate::Load(TResId id) {
    const std::string name = "dialog resource " + std::to_string(int(id));
    QFile file(ResourcePath(id));
    if (!file.open(QIODevice::ReadOnly))
        throw TXBadFile(name, "no such resource");
    DialogTemplate t = FromJson(file.readAll(), name);
    t.Id = id;
    return t;
}

DialogTemplate DialogTemplate::FromJson(const QByteArray& json, const std::string& name) {
    return Reader(name).Read(json);
}
