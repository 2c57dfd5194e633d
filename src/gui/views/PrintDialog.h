#pragma once
// The "Print" dialog of a capture's frames or a DRU-70 file's events: which of them, which print
// (frames), the options, and where it goes (a printer, a PDF file or a text file).
#include <QDialog>

#include <cstdint>

#include "views/FramePrinter.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QSpinBox;

namespace qv {

// Frames offer Current to End and the three prints, and take any range (the document refuses one
// beyond the capture with its message); events offer Selection, All and Range within the file.
enum class PrintSubject { Frames, Events };

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    PrintDialog(PrintSubject subject, std::uint32_t count, std::uint32_t current,
                bool haveSelection, QWidget *parent = nullptr);
    // The request as chosen; output and path are set by the button that closed the dialog.
    PrintRequest request() const;

private:
    void finish(PrintOutput output);

    QButtonGroup *choices_ = nullptr; // ids are PrintChoice values
    QSpinBox *from_ = nullptr;
    QSpinBox *to_ = nullptr;
    QComboBox *kind_ = nullptr; // frames only
    QCheckBox *fileHeader_ = nullptr;
    QCheckBox *comment_ = nullptr;
    QCheckBox *format_ = nullptr;
    PrintOutput output_ = PrintOutput::Printer;
    QString path_;
};

} // namespace qv
