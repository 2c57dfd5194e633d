#pragma once
// The "Print" dialog of a capture: which frames, which print, the options, and where it goes.
#include <QDialog>

#include "views/FramePrinter.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QSpinBox;

namespace qv {

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    PrintDialog(int frameCount, int currentFrame, bool haveSelection, QWidget *parent = nullptr);
    // The request as chosen; output and path are set by the button that closed the dialog.
    PrintRequest request() const;

private:
    void finish(PrintOutput output);

    QButtonGroup *frames_ = nullptr;
    QSpinBox *from_ = nullptr;
    QSpinBox *to_ = nullptr;
    QComboBox *kind_ = nullptr;
    QCheckBox *fileHeader_ = nullptr;
    QCheckBox *comment_ = nullptr;
    QCheckBox *format_ = nullptr;
    PrintOutput output_ = PrintOutput::Printer;
    QString path_;
};

} // namespace qv
