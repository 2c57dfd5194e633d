#pragma once
// The "Find" dialog of the frame summary: a text of the summary, a message of a family or a cause
// (by its listed name or number), the direction and the case rule.
#include <QStringList>

#include <optional>

#include "capture/SummaryFinder.h"
#include "views/SearchDialog.h"

namespace qv {

class CauseList;

class FindDialog : public SearchDialog {
    Q_OBJECT
public:
    // The names offered for the message criteria and the causes by name.
    struct Lists {
        QStringList isdnMessages, v5Messages, x25Messages;
        const CauseList *causes = nullptr;
    };
    enum Criterion { String = 0, IsdnMessage, V5Message, X25Message, Cause };

    explicit FindDialog(const Lists &lists, QWidget *parent = nullptr);

    void setCriterion(Criterion criterion) { setCriterionIndex(criterion); }
    Criterion criterion() const { return static_cast<Criterion>(criterionIndex()); }
    // The query the dialog holds; none when a cause is neither a listed name nor a number.
    std::optional<FindQuery> query() const;

private:
    Lists lists_;
};

} // namespace qv
