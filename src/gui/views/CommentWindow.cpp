#include "views/CommentWindow.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

#include "capture/CDecodeDoc.h"

namespace qv {

CommentWindow::CommentWindow(CDecodeDoc &document, const QString &captureTitle, QWidget *parent)
    : QWidget(parent, Qt::Window), document_(document) {
    setWindowTitle(tr("Comment for ") + captureTitle);
    editor_ = new QPlainTextEdit(this);
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    original_ = document_.commentForEditor();
    crLf_ =
        original_.find('\n') == std::string::npos || original_.find("\r\n") != std::string::npos;
    QString shown = QString::fromLatin1(original_.data(), static_cast<qsizetype>(original_.size()));
    shown.remove(QLatin1Char('\r'));
    editor_->setPlainText(shown.left(kMaxCharacters));
    shown_ = editor_->toPlainText();
    // The editor holds no more than the notes can: what is typed or pasted beyond is cut.
    connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
        const QString all = editor_->toPlainText();
        if (all.size() <= kMaxCharacters)
            return;
        QTextCursor cursor(editor_->document());
        cursor.setPosition(kMaxCharacters);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    resize(560, 320);
}

QString CommentWindow::text() const {
    return editor_->toPlainText();
}

void CommentWindow::setText(const QString &text) {
    editor_->setPlainText(text);
}

void CommentWindow::closeEvent(QCloseEvent *event) {
    // The notes are stored in Latin-1, as the testers write them, with their own line ends.
    QString text = editor_->toPlainText();
    std::string notes = original_;
    if (text != shown_) {
        if (crLf_)
            text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        notes = text.toLatin1().toStdString();
    }
    if (document_.saveComment(notes))
        event->accept();
    else
        event->ignore();
}

} // namespace qv
