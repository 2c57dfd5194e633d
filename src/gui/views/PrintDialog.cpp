#include "views/PrintDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qv {

PrintDialog::PrintDialog(int frameCount, int currentFrame, bool haveSelection, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(tr("Print"));
    auto *frames = new QGroupBox(tr("Frames"), this);
    auto *grid = new QGridLayout(frames);
    frames_ = new QButtonGroup(this);
    const char *choices[] = {QT_TR_NOOP("&Selection"), QT_TR_NOOP("&Current to End"),
                             QT_TR_NOOP("&All"), QT_TR_NOOP("&Range")};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QRadioButton(tr(choices[i]), frames);
        frames_->addButton(button, i);
        grid->addWidget(button, i, 0);
    }
    frames_->button(0)->setEnabled(haveSelection);
    frames_->button(haveSelection ? 0 : 2)->setChecked(true);
    from_ = new QSpinBox(frames);
    to_ = new QSpinBox(frames);
    for (QSpinBox *box : {from_, to_})
        box->setRange(1, std::max(1, frameCount) + 1000000); // out-of-range values get a message
    from_->setValue(currentFrame + 1);
    to_->setValue(std::max(1, frameCount));
    grid->addWidget(new QLabel(tr("From"), frames), 3, 1);
    grid->addWidget(from_, 3, 2);
    grid->addWidget(new QLabel(tr("To"), frames), 3, 3);
    grid->addWidget(to_, 3, 4);

    kind_ = new QComboBox(this);
    kind_->addItems({tr("Summary print"), tr("Detail print"), tr("Detail and hexa print")});
    fileHeader_ = new QCheckBox(tr("File &Header"), this);
    comment_ = new QCheckBox(tr("Print c&omment"), this);
    format_ = new QCheckBox(tr("&Format document"), this);
    format_->setChecked(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *printer = buttons->addButton(tr("&Print..."), QDialogButtonBox::AcceptRole);
    QPushButton *pdf = buttons->addButton(tr("P&DF..."), QDialogButtonBox::AcceptRole);
    QPushButton *text = buttons->addButton(tr("&Text File..."), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    printer->setDefault(true);
    connect(printer, &QPushButton::clicked, this, [this] { finish(PrintOutput::Printer); });
    connect(pdf, &QPushButton::clicked, this, [this] { finish(PrintOutput::Pdf); });
    connect(text, &QPushButton::clicked, this, [this] { finish(PrintOutput::Text); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frames);
    layout->addWidget(kind_);
    layout->addWidget(fileHeader_);
    layout->addWidget(comment_);
    layout->addWidget(format_);
    layout->addWidget(buttons);
}

void PrintDialog::finish(PrintOutput output) {
    output_ = output;
    path_.clear();
    if (output == PrintOutput::Pdf)
        path_ = QFileDialog::getSaveFileName(this, tr("Print to PDF"), QString(),
                                             tr("PDF files (*.pdf)"));
    else if (output == PrintOutput::Text)
        path_ = QFileDialog::getSaveFileName(this, tr("Print to File"), QString(),
                                             tr("Text files (*.txt)"));
    if (output != PrintOutput::Printer && path_.isEmpty())
        return;
    accept();
}

PrintRequest PrintDialog::request() const {
    PrintRequest r;
    static constexpr PrintChoice kChoices[] = {PrintChoice::Selection, PrintChoice::CurrentToEnd,
                                               PrintChoice::All, PrintChoice::Range};
    r.choice = kChoices[std::max(0, frames_->checkedId())];
    r.from = static_cast<std::uint32_t>(from_->value());
    r.to = static_cast<std::uint32_t>(to_->value());
    r.kind = static_cast<PrintKind>(kind_->currentIndex());
    r.fileHeader = fileHeader_->isChecked();
    r.comment = comment_->isChecked();
    r.formatDocument = format_->isChecked();
    r.output = output_;
    r.path = path_;
    return r;
}

} // namespace qv
