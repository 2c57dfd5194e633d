#pragma once
// The "Print" dialog of a DRU-70 event list: which events, the options, and where the print
// goes (a printer, a PDF file or a text file).
#include <QDialog>

#include <cstdint>

#include "views/FramePrinter.h"

class QButtonGroup;
class QCheckBox;
class QSpinBox;

namespace qv {

enum class Dru70PrintChoice { Selection, All, Range };

struct Dru70PrintRequest {
    Dru70PrintChoice choice = Dru70PrintChoice::All;
    std::uint32_t from = 1, to = 1; // event numbers as the status bar shows them, for Range
    bool fileHeader = false;
    bool comment = false;
    bool formatDocument = true; // the page header and footer
    PrintOutput output = PrintOutput::Pdf;
    QString path; // the PDF or text file
};

class Dru70PrintDialog : public QDialog {
    Q_OBJECT
public:
    Dru70PrintDialog(std::uint32_t eventCount, std::uint32_t currentEvent, bool haveSelection,
                     QWidget *parent = nullptr);
    // The request as chosen; output and path are set by the button that closed the dialog.
    Dru70PrintRequest request() const;

private:
    void finish(PrintOutput output);

    QButtonGroup *events_ = nullptr;
    QSpinBox *from_ = nullptr;
    QSpinBox *to_ = nullptr;
    QCheckBox *fileHeader_ = nullptr;
    QCheckBox *comment_ = nullptr;
    QCheckBox *format_ = nullptr;
    PrintOutput output_ = PrintOutput::Printer;
    QString path_;
};

} // namespace qv
