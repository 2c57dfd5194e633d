#pragma once
// The "Find" dialog of the frame summary: what to look for, the direction and the case rule.
#include <QDialog>
#include <QStringList>

#include <optional>

#include "capture/SummaryFinder.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

namespace qv {

class CauseList;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    // The names offered for the message criteria and the causes by name.
    struct Lists {
        QStringList isdnMessages, v5Messages, x25Messages;
        const CauseList *causes = nullptr;
    };
    enum Criterion { String = 0, IsdnMessage, V5Message, X25Message, Cause };

    FindDialog(const Lists &lists, QWidget *parent = nullptr);

    void setCriterion(Criterion criterion);
    Criterion criterion() const;
    void setText(const QString &text);
    void setForward(bool forward);
    void setMatchCase(bool on);
    // The query the dialog holds; none when a cause is neither a listed name nor a number.
    std::optional<FindQuery> query() const;

signals:
    void findNext();

private:
    void fillChoices();

    Lists lists_;
    QButtonGroup *criteria_ = nullptr;
    QComboBox *text_ = nullptr;
    QRadioButton *forward_ = nullptr;
    QRadioButton *backward_ = nullptr;
    QCheckBox *matchCase_ = nullptr;
};

} // namespace qv
