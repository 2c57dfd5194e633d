#include "views/Dru70PrintDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
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

Dru70PrintDialog::Dru70PrintDialog(std::uint32_t eventCount, std::uint32_t currentEvent,
                                   bool haveSelection, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(tr("Print"));
    auto *events = new QGroupBox(tr("Events"), this);
    auto *grid = new QGridLayout(events);
    events_ = new QButtonGroup(this);
    const char *choices[] = {QT_TR_NOOP("&Selection"), QT_TR_NOOP("&All"), QT_TR_NOOP("&Range")};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QRadioButton(tr(choices[i]), events);
        events_->addButton(button, i);
        grid->addWidget(button, i, 0);
    }
    events_->button(0)->setEnabled(haveSelection);
    events_->button(haveSelection ? 0 : 1)->setChecked(true);
    const int count = static_cast<int>(std::min<std::uint32_t>(std::max(eventCount, 1u), INT_MAX));
    from_ = new QSpinBox(events);
    to_ = new QSpinBox(events);
    from_->setObjectName(QStringLiteral("from"));
    to_->setObjectName(QStringLiteral("to"));
    for (QSpinBox *box : {from_, to_})
        box->setRange(1, count);
    from_->setValue(static_cast<int>(std::min<std::uint32_t>(currentEvent + 1, INT_MAX)));
    to_->setValue(count);
    grid->addWidget(new QLabel(tr("From"), events), 2, 1);
    grid->addWidget(from_, 2, 2);
    grid->addWidget(new QLabel(tr("To"), events), 2, 3);
    grid->addWidget(to_, 2, 4);
    grid->setColumnStretch(5, 1);
    auto rangeOn = [this] {
        const bool range = events_->checkedId() == 2;
        from_->setEnabled(range);
        to_->setEnabled(range);
    };
    connect(events_, &QButtonGroup::idToggled, this, rangeOn);
    rangeOn();

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
    layout->addWidget(events);
    layout->addWidget(fileHeader_);
    layout->addWidget(comment_);
    layout->addWidget(format_);
    layout->addWidget(buttons);
}

void Dru70PrintDialog::finish(PrintOutput output) {
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

Dru70PrintRequest Dru70PrintDialog::request() const {
    static constexpr Dru70PrintChoice kChoices[] = {Dru70PrintChoice::Selection,
                                                    Dru70PrintChoice::All, Dru70PrintChoice::Range};
    Dru70PrintRequest r;
    r.choice = kChoices[std::max(0, events_->checkedId())];
    r.from = static_cast<std::uint32_t>(from_->value());
    r.to = static_cast<std::uint32_t>(to_->value());
    r.fileHeader = fileHeader_->isChecked();
    r.comment = comment_->isChecked();
    r.formatDocument = format_->isChecked();
    r.output = output_;
    r.path = path_;
    return r;
}

} // namespace qv
