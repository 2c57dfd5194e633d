#pragma once
// The report of a tester's test result file (View Results): a read-only text that can be
// printed and saved as text.
#include <QString>
#include <QWidget>

#include "views/DocumentWindow.h"

#include <memory>
#include <string>

class QPlainTextEdit;
class QPrinter;

namespace qv {

class UserMessages;

class ResultWindow : public QWidget, public DocumentWindow {
    Q_OBJECT
public:
    // DocumentWindow
    QWidget *widget() override { return this; }
    DocumentCommands commands() const override { return {}; }
    std::string suggestedCopyName() const override;
    QString copyFilter() const override;
    bool saveCopy(const std::string &path, UserMessages &messages) override {
        return saveText(path, messages);
    }
    void printAsked(QPrinter &printer, UserMessages &) override { printWithDialog(printer); }

    // Reads the result file at path and shows its report; null when the file holds no test
    // result (its message shown).
    static ResultWindow *open(const std::string &path, UserMessages &messages,
                              QWidget *parent = nullptr);

    const std::string &pathName() const { return path_; }
    // The report as the file gives it, lines ending in CR LF.
    const std::string &report() const { return report_; }
    QString shownText() const;
    void setViewFont(const QFont &font);
    // Writes the report as a text file; false (with the message) when it cannot be written.
    bool saveText(const std::string &path, UserMessages &messages) const;
    void print(QPrinter &printer) const;
    void printWithDialog(QPrinter &printer);

private:
    ResultWindow(std::string path, std::string report, QWidget *parent);

    std::string path_;
    std::string report_;
    QPlainTextEdit *text_ = nullptr;
};

} // namespace qv
