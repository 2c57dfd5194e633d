#include "views/FindDialog.h"

#include "filters/CauseList.h"

namespace qv {

namespace {

std::vector<SearchDialog::Criterion> criteriaOf(const FindDialog::Lists &lists) {
    QStringList causes;
    if (lists.causes)
        for (const CauseList::Entry &e : lists.causes->entries())
            causes << QString::fromStdString(e.name);
    return {
        {FindDialog::tr("&String"), {}, {}, true, true},
        {FindDialog::tr("&ISDN Message"), {}, lists.isdnMessages, true, true},
        {FindDialog::tr("&V5 Message"), {}, lists.v5Messages, true, true},
        {FindDialog::tr("&X25 Message"), {}, lists.x25Messages, true, true},
        {FindDialog::tr("&Cause"), {}, causes, true, false},
    };
}

} // namespace

FindDialog::FindDialog(const Lists &lists, QWidget *parent)
    : SearchDialog(criteriaOf(lists), parent), lists_(lists) {}

std::optional<FindQuery> FindDialog::query() const {
    FindQuery q;
    q.forward = forward();
    q.matchCase = matchCase();
    const QString typed = text();
    switch (criterion()) {
    case Cause: {
        q.criterion = FindCriterion::Cause;
        std::optional<int> number;
        if (lists_.causes)
            number = lists_.causes->number(typed.toStdString());
        bool isNumber = false;
        const uint value = typed.trimmed().toUInt(&isNumber);
        if (!number && isNumber && value <= 127)
            number = static_cast<int>(value);
        if (!number)
            return std::nullopt;
        q.cause = static_cast<std::uint32_t>(*number);
        return q;
    }
    case IsdnMessage:
    case V5Message:
    case X25Message:
        q.criterion = FindCriterion::MessageType;
        break;
    case String:
        q.criterion = FindCriterion::SummaryText;
        break;
    }
    if (typed.isEmpty())
        return std::nullopt;
    q.text = typed.toLatin1().toStdString();
    return q;
}

} // namespace qv
