#include "views/Dru70FindDialog.h"

#include "capture/Dru70Events.h"

namespace qv {

Dru70FindDialog::Dru70FindDialog(QWidget *parent)
    : SearchDialog({{tr("&String"), QStringLiteral("byText"), {}, true, true},
                    {tr("&Event"), QStringLiteral("byEvent"), eventNames(), false, false}},
                   parent) {}

QStringList Dru70FindDialog::eventNames() {
    QStringList names;
    for (int code = kDru70FirstCode; code <= kDru70LastCode; ++code) {
        const QString name = QString::fromLatin1(dru70Event(code)->name);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

std::optional<Dru70FindQuery> Dru70FindDialog::query() const {
    Dru70FindQuery q;
    q.forward = forward();
    const QString typed = text();
    if (typed.isEmpty())
        return std::nullopt;
    if (criterion() == Event) {
        q.eventName = typed.toLatin1().toStdString();
    } else {
        q.text = typed.toLatin1().toStdString();
        q.matchCase = matchCase();
    }
    return q;
}

} // namespace qv
