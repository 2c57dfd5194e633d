#pragma once
// What the "Find" dialogs of the capture summary and the DRU-70 event list share: the criteria as
// radio buttons, the text typed or chosen from a list, the direction, the case rule, and Find
// Next. Each window's dialog names its criteria and turns what is chosen into its query.
#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace qv {

class SearchDialog : public QDialog {
    Q_OBJECT
public:
    struct Criterion {
        QString label;
        QString objectName;
        QStringList choices;   // offered in the list; none: a text is typed
        bool typed = true;     // the list can be typed into as well
        bool matchCase = true; // the case rule applies
    };

    int criterionIndex() const;
    void setCriterionIndex(int index);
    // Typed, or chosen from the list of the criterion in force.
    void setText(const QString &text);
    QString text() const;
    void setForward(bool forward);
    bool forward() const;
    void setMatchCase(bool on);
    // The case rule, when the criterion in force has one.
    bool matchCase() const;

    // What every find dialog of the program has: the direction, forward chosen, its buttons
    // labelled "Forward" and "Backward" unless named otherwise and laid out in that order
    // unless backwardFirst; and Find Next, the default button, beside Close.
    struct Direction {
        QGroupBox *box = nullptr;
        QRadioButton *forward = nullptr;
        QRadioButton *backward = nullptr;
    };
    static Direction newDirection(QWidget *owner, const QString &forward = {},
                                  const QString &backward = {}, bool backwardFirst = false);
    static QDialogButtonBox *newFindButtons(QDialog *dialog, const std::function<void()> &findNext,
                                            QPushButton **next = nullptr);

signals:
    void findNext();

protected:
    SearchDialog(std::vector<Criterion> criteria, QWidget *parent);

private:
    void fillChoices();

    std::vector<Criterion> criteria_;
    QButtonGroup *buttons_ = nullptr;
    QComboBox *text_ = nullptr;
    QRadioButton *forward_ = nullptr;
    QRadioButton *backward_ = nullptr;
    QCheckBox *matchCase_ = nullptr;
    QString typed_; // the text typed, kept while a list is shown
    int shown_ = 0; // the criterion whose choices the list holds
};

} // namespace qv
