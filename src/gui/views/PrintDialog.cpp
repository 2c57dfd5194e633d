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

#include <algorithm>
#include <climits>

namespace qv {

namespace {

struct Choice {
    PrintChoice choice;
    const char *text;
    bool frames, events;
};

constexpr Choice kChoices[] = {
    {PrintChoice::Selection, QT_TRANSLATE_NOOP("qv::PrintDialog", "&Selection"), true, true},
    {PrintChoice::CurrentToEnd, QT_TRANSLATE_NOOP("qv::PrintDialog", "&Current to End"), true,
     false},
    {PrintChoice::All, QT_TRANSLATE_NOOP("qv::PrintDialog", "&All"), true, true},
    {PrintChoice::Range, QT_TRANSLATE_NOOP("qv::PrintDialog", "&Range"), true, true},
};

int clampToInt(std::uint64_t value) {
    return static_cast<int>(std::min<std::uint64_t>(value, INT_MAX));
}

} // namespace

PrintDialog::PrintDialog(PrintSubject subject, std::uint32_t count, std::uint32_t current,
                         bool haveSelection, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(tr("Print"));
    const bool frames = subject == PrintSubject::Frames;
    auto *what = new QGroupBox(frames ? tr("Frames") : tr("Events"), this);
    auto *grid = new QGridLayout(what);
    choices_ = new QButtonGroup(this);
    int row = 0;
    for (const Choice &c : kChoices) {
        if (frames ? !c.frames : !c.events)
            continue;
        auto *button = new QRadioButton(tr(c.text), what);
        choices_->addButton(button, static_cast<int>(c.choice));
        grid->addWidget(button, row++, 0);
    }
    choices_->button(static_cast<int>(PrintChoice::Selection))->setEnabled(haveSelection);
    choices_->button(static_cast<int>(haveSelection ? PrintChoice::Selection : PrintChoice::All))
        ->setChecked(true);
    const int last = clampToInt(std::max<std::uint32_t>(count, 1));
    from_ = new QSpinBox(what);
    to_ = new QSpinBox(what);
    from_->setObjectName(QStringLiteral("from"));
    to_->setObjectName(QStringLiteral("to"));
    for (QSpinBox *box : {from_, to_})
        box->setRange(1, frames ? clampToInt(std::uint64_t(last) + 1000000) : last);
    from_->setValue(clampToInt(std::uint64_t(current) + 1));
    to_->setValue(last);
    grid->addWidget(new QLabel(tr("From"), what), row - 1, 1);
    grid->addWidget(from_, row - 1, 2);
    grid->addWidget(new QLabel(tr("To"), what), row - 1, 3);
    grid->addWidget(to_, row - 1, 4);
    grid->setColumnStretch(5, 1);
    if (!frames) {
        auto rangeOn = [this] {
            const bool range = choices_->checkedId() == static_cast<int>(PrintChoice::Range);
            from_->setEnabled(range);
            to_->setEnabled(range);
        };
        connect(choices_, &QButtonGroup::idToggled, this, rangeOn);
        rangeOn();
    }

    if (frames) {
        kind_ = new QComboBox(this);
        kind_->addItems({tr("Summary print"), tr("Detail print"), tr("Detail and hexa print")});
    }
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
    layout->addWidget(what);
    if (kind_)
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
    r.choice = static_cast<PrintChoice>(std::max(0, choices_->checkedId()));
    r.from = static_cast<std::uint32_t>(from_->value());
    r.to = static_cast<std::uint32_t>(to_->value());
    if (kind_)
        r.kind = static_cast<PrintKind>(kind_->currentIndex());
    r.fileHeader = fileHeader_->isChecked();
    r.comment = comment_->isChecked();
    r.formatDocument = format_->isChecked();
    r.output = output_;
    r.path = path_;
    return r;
}

} // namespace qv
