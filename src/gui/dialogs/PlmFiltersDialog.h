#pragma once
// "PLM-45 Filters": which columns the PLM-45 project windows show. The dialog edits a copy of
// the layout; the caller takes columns() when the user confirms.
#include <QDialog>
#include <QStringList>

#include "plm/PlmColumns.h"

class QListWidget;

namespace qv {

class PlmFiltersDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlmFiltersDialog(const PlmColumns &columns, QWidget *parent = nullptr);

    // The layout as OK left it: the unchecked columns hidden, a column checked again at its
    // default width, the others at the width they had.
    const PlmColumns &columns() const { return columns_; }

    // One row per column, in the columns' order; the first one is always shown.
    QStringList rowTitles() const;
    bool isShown(int column) const;
    void setShown(int column, bool shown);
    void showAll();
    void hideAll();

    void accept() override;

private:
    PlmColumns columns_;
    QListWidget *list_ = nullptr;
};

} // namespace qv
