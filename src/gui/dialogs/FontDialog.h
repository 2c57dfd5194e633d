#pragma once
// "Fonts": the font of the frame views. Only what the settings can keep is offered: a family
// whose name fits the setting, regular, italic, bold or bold italic, and the sizes 6 to 30.
#include <QDialog>
#include <QFont>
#include <QStringList>

class QCheckBox;
class QLabel;
class QListWidget;

namespace qv {

class FontDialog : public QDialog {
    Q_OBJECT
public:
    // style: bit 0 italic, bit 1 bold. A size or a style the settings would not keep starts as
    // they would read it (size 6, regular); a family this machine lacks is still listed, so
    // that it stays the choice until the user makes another.
    FontDialog(const QString &family, int pointSize, int style, QWidget *parent = nullptr);

    QString family() const;
    int pointSize() const;
    int style() const;
    // The chosen font as the views draw with it.
    QFont selectedFont() const;

    QStringList families() const;
    QStringList styleNames() const;
    QList<int> sizes() const;

    void setFamily(const QString &family);
    void setStyle(int style);
    void setPointSize(int pointSize);
    void setFixedPitchOnly(bool fixedOnly);

    // The longest family name the settings keep.
    static constexpr int kMaxFamilyLength = 31;

private:
    void fillFamilies();
    void updateSample();

    QString savedFamily_; // the family the dialog started with
    QCheckBox *fixedOnly_ = nullptr;
    QListWidget *familyList_ = nullptr;
    QListWidget *styleList_ = nullptr;
    QListWidget *sizeList_ = nullptr;
    QLabel *sample_ = nullptr;
};

} // namespace qv
