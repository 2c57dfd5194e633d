#pragma once
// The filter bar above a capture's summary: the off-line filter as one line of terms
// ("tei=64 msg=SETUP cause=16"), with completion of keys and of the names of messages, causes,
// directions and frame types, the lines applied before, the saved profiles, Apply and Clear.
// It edits the document's off-line filter, the one the filter sheet edits too, and shows that
// filter however it was set.
#include <QStringList>
#include <QWidget>

#include <string>

class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QToolButton;

namespace qv {

class CauseList;
class Settings;

class FilterBar : public QWidget {
    Q_OBJECT
public:
    // folder holds the filter profiles; causes (optional) adds the user's cause names; settings
    // keeps the history of the lines applied.
    explicit FilterBar(QWidget *parent = nullptr);
    void setContext(std::string folder, const CauseList *causes, Settings *settings);

    // The line in the bar, and the line shown for the filter in force (any error is cleared).
    QString line() const;
    void showLine(const QString &line);
    // Says what is wrong with the line, beside it; an empty text takes the remark away.
    void showError(const QString &text);
    QString errorText() const;
    QLineEdit *edit() const;

signals:
    // Enter or Apply with the line in the bar; Clear asks for the filter that shows everything.
    void applyAsked(const QString &line);
    // A saved profile was chosen; its line is in the bar.
    void profileChosen(const QString &name);

private:
    void requestApply();
    void complete();
    void insertCompletion(const QString &completion);
    void fillHistory();
    void fillProfiles();

    std::string folder_;
    const CauseList *causes_ = nullptr;
    Settings *settings_ = nullptr;
    QComboBox *line_ = nullptr;
    QCompleter *completer_ = nullptr;
    QToolButton *profiles_ = nullptr;
    QLabel *error_ = nullptr;
    bool applying_ = false; // an apply was asked in this turn of the event loop
    QStringList completions_;
};

} // namespace qv
