#include "views/FilterBar.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>

#include "app/Settings.h"
#include "filters/FilterFiles.h"
#include "filters/FilterLine.h"

namespace qv {

namespace {

// Where the term under the cursor starts: after the last blank before it outside quotes.
int termStart(const QString &text, int cursor) {
    int start = 0;
    bool quoted = false;
    for (int i = 0; i < cursor && i < text.size(); ++i) {
        if (text[i] == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && text[i].isSpace())
            start = i + 1;
    }
    return start;
}

} // namespace

FilterBar::FilterBar(QWidget *parent) : QWidget(parent) {
    auto *label = new QLabel(tr("Filter:"), this);
    line_ = new QComboBox(this);
    line_->setObjectName(QStringLiteral("filterLine"));
    line_->setEditable(true);
    line_->setInsertPolicy(QComboBox::NoInsert);
    line_->setCompleter(nullptr);
    line_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    line_->setMinimumContentsLength(30);
    edit()->setClearButtonEnabled(true);
    edit()->setPlaceholderText(tr("e.g. tei=64 msg=SETUP cause=16 local=0123* (Enter applies)"));
    line_->setToolTip(
        tr("Terms key=value separated by blanks, values with blanks in double quotes.\n"
           "Keys: layer=1,2,3  sapi  tei  dir=TE->NT  frame=RR  rr=no  efa  cr (hex)\n"
           "local, remote (* for any leading or trailing digits)  pd (hex)  msg=SETUP\n"
           "cause (decimal, 0x.. or a name)  lcn  packet  x25local  x25remote  cug"));
    label->setBuddy(line_);
    label->setObjectName(QStringLiteral("filterLabel"));

    completer_ = new QCompleter(new QStringListModel(this), this);
    completer_->setObjectName(QStringLiteral("filterCompleter"));
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setWidget(edit());
    connect(completer_, qOverload<const QString &>(&QCompleter::activated), this,
            &FilterBar::insertCompletion);
    connect(edit(), &QLineEdit::textEdited, this, [this] { complete(); });
    connect(edit(), &QLineEdit::returnPressed, this, [this] {
        if (!completer_->popup()->isVisible())
            requestApply();
    });
    // A line chosen from the history is applied at once.
    connect(line_, &QComboBox::activated, this, [this] { requestApply(); });

    auto *apply = new QPushButton(tr("Apply"), this);
    apply->setObjectName(QStringLiteral("filterApply"));
    connect(apply, &QPushButton::clicked, this, [this] { requestApply(); });
    auto *clear = new QPushButton(tr("Clear"), this);
    clear->setObjectName(QStringLiteral("filterClear"));
    connect(clear, &QPushButton::clicked, this, [this] {
        edit()->clear();
        emit applyAsked(QString());
    });
    profiles_ = new QToolButton(this);
    profiles_->setObjectName(QStringLiteral("filterProfiles"));
    profiles_->setText(tr("Profiles"));
    profiles_->setToolTip(tr("Apply a saved off-line filter profile"));
    profiles_->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(profiles_);
    profiles_->setMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, [this] { fillProfiles(); });

    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("filterError"));
    QPalette red = error_->palette();
    red.setColor(QPalette::WindowText, QColor(0xC0, 0, 0));
    error_->setPalette(red);
    error_->hide();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(label);
    layout->addWidget(line_, 1);
    layout->addWidget(apply);
    layout->addWidget(clear);
    layout->addWidget(profiles_);
    layout->addWidget(error_);
}

void FilterBar::setContext(std::string folder, const CauseList *causes, Settings *settings) {
    folder_ = std::move(folder);
    causes_ = causes;
    settings_ = settings;
    completions_.clear();
    for (const std::string &word : filterLineCompletions(causes_))
        completions_ << QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
    fillHistory();
}

void FilterBar::requestApply() {
    // Enter in the field also reaches the list of past lines, which may ask once more.
    const QString text = line();
    if (applying_)
        return;
    applying_ = true;
    emit applyAsked(text);
    QTimer::singleShot(0, this, [this] { applying_ = false; });
}

QLineEdit *FilterBar::edit() const {
    return line_->lineEdit();
}

QString FilterBar::line() const {
    return edit()->text().trimmed();
}

void FilterBar::showLine(const QString &text) {
    showError(QString());
    fillHistory();
    edit()->setText(text);
}

void FilterBar::showError(const QString &text) {
    error_->setText(text);
    error_->setVisible(!text.isEmpty());
    // The field says it too, for whoever reads only the line.
    QPalette colours = edit()->palette();
    colours.setColor(QPalette::Base,
                     text.isEmpty() ? palette().color(QPalette::Base) : QColor(0xFF, 0xE0, 0xE0));
    edit()->setPalette(colours);
}

QString FilterBar::errorText() const {
    return error_->text();
}

void FilterBar::fillHistory() {
    if (!settings_)
        return;
    const QString current = edit()->text();
    line_->blockSignals(true);
    line_->clear();
    for (const std::string &entry : settings_->filterHistory)
        line_->addItem(QString::fromStdString(entry));
    line_->setCurrentIndex(-1);
    edit()->setText(current);
    line_->blockSignals(false);
}

void FilterBar::fillProfiles() {
    QMenu *menu = profiles_->menu();
    menu->clear();
    const std::vector<std::string> names = FilterFiles(folder_).List(FilterKind::OffLine);
    if (names.empty()) {
        menu->addAction(tr("(no saved profile)"))->setEnabled(false);
        return;
    }
    for (const std::string &name : names) {
        const QString shown = QString::fromStdString(name);
        menu->addAction(shown, this, [this, shown] { emit profileChosen(shown); });
    }
}

void FilterBar::complete() {
    const QString text = edit()->text();
    const int cursor = edit()->cursorPosition();
    const int start = termStart(text, cursor);
    QString term = text.mid(start, cursor - start);
    term.remove(QLatin1Char('"'));
    // Completions match what is typed with or without the quotes around a value.
    QStringList matches;
    if (!term.isEmpty())
        for (const QString &completion : completions_) {
            const QString bare = QString(completion).remove(QLatin1Char('"'));
            if (bare.size() > term.size() && bare.startsWith(term, Qt::CaseInsensitive))
                matches << completion;
        }
    static_cast<QStringListModel *>(completer_->model())->setStringList(matches);
    if (matches.isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    completer_->setCompletionPrefix(QString());
    completer_->complete();
}

void FilterBar::insertCompletion(const QString &completion) {
    const QString text = edit()->text();
    const int cursor = edit()->cursorPosition();
    const int start = termStart(text, cursor);
    const QString done = text.left(start) + completion;
    edit()->setText(done + text.mid(cursor));
    edit()->setCursorPosition(static_cast<int>(done.size()));
}

} // namespace qv
