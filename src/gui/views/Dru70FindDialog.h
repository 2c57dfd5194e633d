#pragma once
// The "Find" dialog of the DRU-70 event list: a text of the shown columns or an event by its
// name, the direction and the case rule.
#include <QDialog>

#include <optional>

#include "capture/Dru70Finder.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

namespace qv {

class Dru70FindDialog : public QDialog {
    Q_OBJECT
public:
    enum Criterion { Text = 0, Event };

    explicit Dru70FindDialog(QWidget *parent = nullptr);

    void setCriterion(Criterion criterion);
    Criterion criterion() const;
    void setText(const QString &text);
    void setForward(bool forward);
    void setMatchCase(bool on);
    // The query the dialog holds; none while nothing is typed or chosen.
    std::optional<Dru70FindQuery> query() const;
    // The event names offered, each once, in the order of the event codes.
    static QStringList eventNames();

signals:
    void findNext();

private:
    void fillChoices();

    QButtonGroup *criteria_ = nullptr;
    QComboBox *text_ = nullptr;
    QRadioButton *forward_ = nullptr;
    QRadioButton *backward_ = nullptr;
    QCheckBox *matchCase_ = nullptr;
    QString typed_; // the text typed, kept while an event is chosen
};

} // namespace qv
