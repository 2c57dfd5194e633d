#include "views/ResultWindow.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cstdio>
#include <filesystem>

#include "base/FileReplace.h"
#include "base/UserMessages.h"
#include "results/TestResultFile.h"

namespace qv {

ResultWindow *ResultWindow::open(const std::string &path, UserMessages &messages, QWidget *parent) {
    TestResultFile file(path, false, messages);
    const int type = file.Identify();
    if (type < 0)
        return nullptr;
    // A file that cannot be read shows the reader's own report of the failure.
    file.Read();
    return new ResultWindow(path, file.Report(), parent);
}

ResultWindow::ResultWindow(std::string path, std::string report, QWidget *parent)
    : QWidget(parent), path_(std::move(path)), report_(std::move(report)) {
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setPlainText(shownText());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    setWindowTitle(QString::fromStdString(path_));
}

QString ResultWindow::shownText() const {
    QString text = QString::fromLatin1(report_.data(), static_cast<qsizetype>(report_.size()));
    text.remove(QLatin1Char('\r'));
    return text;
}

void ResultWindow::setViewFont(const QFont &font) {
    text_->setFont(font);
}

bool ResultWindow::saveText(const std::string &path, UserMessages &messages) const {
    // A failed write leaves the file there as it was.
    if (replaceFile(path, report_) != FileReplaceResult::Done) {
        messages.show(tr("The report cannot be written to this file!").toStdString(),
                      kErrorMessageCaption, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void ResultWindow::print(QPrinter &printer) const {
    QTextDocument document;
    document.setDefaultFont(text_->font());
    document.setPlainText(shownText());
    document.print(&printer);
}

void ResultWindow::printWithDialog(QPrinter &printer) {
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        print(printer);
}

std::string ResultWindow::suggestedCopyName() const {
    const std::size_t dot = path_.rfind('.');
    const std::size_t slash = path_.rfind('/');
    const bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (extension ? path_.substr(0, dot) : path_) + ".txt";
}

QString ResultWindow::copyFilter() const {
    return QCoreApplication::translate("qv::MainWindow", "Text files (*.txt);;All files (*)");
}

} // namespace qv
