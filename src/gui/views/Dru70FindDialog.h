#pragma once
// The "Find" dialog of the DRU-70 event list: a text of the shown columns or an event by its
// name, the direction and the case rule.
#include <QStringList>

#include <optional>

#include "capture/Dru70Finder.h"
#include "views/SearchDialog.h"

namespace qv {

class Dru70FindDialog : public SearchDialog {
    Q_OBJECT
public:
    enum Criterion { Text = 0, Event };

    explicit Dru70FindDialog(QWidget *parent = nullptr);

    void setCriterion(Criterion criterion) { setCriterionIndex(criterion); }
    Criterion criterion() const { return static_cast<Criterion>(criterionIndex()); }
    // The query the dialog holds; none while nothing is typed or chosen.
    std::optional<Dru70FindQuery> query() const;
    // The event names offered, each once, in the order of the event codes.
    static QStringList eventNames();
};

} // namespace qv
