#pragma once
// "Color Selection": whether the frame views use their own colours, and those colours, one
// button per colour with a preview of the summary rows. The dialog edits a copy of the colour
// table; the caller takes colours() when the user confirms.
#include <QColor>
#include <QDialog>

#include <array>
#include <functional>

#include "app/ColourTable.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace qv {

class ColourSelectionDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a colour starting from current, with the title of the colour's button; an
    // invalid colour means the user cancelled.
    using Picker = std::function<QColor(const QColor &current, const QString &title)>;

    explicit ColourSelectionDialog(const ColourTable &colours, QWidget *parent = nullptr);

    const ColourTable &colours() const { return table_; }
    // The colour dialog by default.
    void setPicker(Picker picker) { picker_ = std::move(picker); }
    // The button of a colour key (named after the key of the settings file).
    QPushButton *colourButton(int key) const;
    QCheckBox *useColoursBox() const { return useColours_; }

    void setColour(int key, const QColor &colour);
    void setColoursUsed(bool used);
    // Every colour back to the program's own.
    void setDefaultColours();

private:
    void pick(int key);
    void updateControls();
    void updatePreview();
    // A grid of colour buttons: one row per label, one column per heading.
    QGroupBox *colourGroup(const QString &title, const QStringList &headings,
                           const QStringList &labels, std::initializer_list<int> keys);

    ColourTable table_;
    Picker picker_;
    QCheckBox *useColours_ = nullptr;
    std::array<QPushButton *, kColourCount> buttons_{};
    std::array<QString, kColourCount> titles_;
    QList<QGroupBox *> groups_;
    QPushButton *defaultButton_ = nullptr;
    QListWidget *preview_ = nullptr;
};

} // namespace qv
