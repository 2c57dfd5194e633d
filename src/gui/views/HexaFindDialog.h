#pragma once
// The dialog of the find on the hexadecimal trace: a string or a hexadecimal value, and the
// direction.
#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace qv {

class HexaFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit HexaFindDialog(QWidget *parent = nullptr);

    QString text() const;
    bool hexadecimal() const;
    bool forward() const;

signals:
    void findNext();

private:
    QLineEdit *text_ = nullptr;
    QRadioButton *string_ = nullptr;
    QRadioButton *hexadecimal_ = nullptr;
    QRadioButton *forward_ = nullptr;
};

} // namespace qv
