#pragma once
// The "Find" dialog of a PLM-45 project: a text of the shown columns, the direction and the case
// rule. It stays open beside the project while the user goes from hit to hit.
#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv {

class PlmFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlmFindDialog(QWidget *parent = nullptr);

    QString text() const;
    bool forward() const;
    bool matchCase() const;
    void setText(const QString &text);
    void setForward(bool forward);
    void setMatchCase(bool on);

signals:
    void findNext();

private:
    QLineEdit *text_ = nullptr;
    QRadioButton *up_ = nullptr;
    QRadioButton *down_ = nullptr;
    QCheckBox *matchCase_ = nullptr;
    QPushButton *next_ = nullptr;
};

} // namespace qv
