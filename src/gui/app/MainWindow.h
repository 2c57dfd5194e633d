#pragma once
// The main window: the document area, the working modes, the product choice and the bars.
#include "app/Installation.h"
#include "app/Settings.h"

#include <QMainWindow>

class QAction;
class QActionGroup;
class QMdiArea;
class QToolBar;

namespace qv {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const Installation &installation, Settings &settings);

    void enterMode(WorkingMode mode);
    WorkingMode mode() const { return mode_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void selectProduct(int product);

    const Installation &installation_;
    Settings &settings_;
    WorkingMode mode_ = WorkingMode::None;
    QMdiArea *mdiArea_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QActionGroup *modeGroup_ = nullptr;
    QActionGroup *productGroup_ = nullptr;
    std::vector<QAction *> modeActions_;
    std::vector<QAction *> productActions_;
};

} // namespace qv
