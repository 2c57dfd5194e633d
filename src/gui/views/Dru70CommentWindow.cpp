#include "views/Dru70CommentWindow.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

#include "capture/CDru70Doc.h"

namespace qv {

namespace {

constexpr int kMaxCharacters = static_cast<int>(CDru70Decode::kMaxNote);

} // namespace

Dru70CommentWindow::Dru70CommentWindow(CDru70Doc &document, QWidget *parent)
    : QWidget(parent, Qt::Window), document_(document) {
    updateTitle();
    editor_ = new QPlainTextEdit(this);
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    original_ = document_.commentForEditor();
    crLf_ =
        original_.find('\n') == std::string::npos || original_.find("\r\n") != std::string::npos;
    QString shown = QString::fromLatin1(original_.data(), static_cast<qsizetype>(original_.size()));
    shown.remove(QLatin1Char('\r'));
    editor_->setPlainText(shown.left(kMaxCharacters));
    shown_ = editor_->toPlainText();
    // The editor holds no more than the file can keep (line ends count twice there); what is
    // typed or pasted beyond is cut.
    connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
        const QString all = editor_->toPlainText();
        const int lineEnds = crLf_ ? static_cast<int>(all.count(QLatin1Char('\n'))) : 0;
        if (all.size() + lineEnds <= kMaxCharacters)
            return;
        int keep = 0;
        for (int stored = 0; keep < all.size(); ++keep) {
            stored += crLf_ && all[keep] == QLatin1Char('\n') ? 2 : 1;
            if (stored > kMaxCharacters)
                break;
        }
        QTextCursor cursor(editor_->document());
        cursor.setPosition(keep);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    resize(560, 320);
}

void Dru70CommentWindow::updateTitle() {
    setWindowTitle(QString::fromStdString(document_.commentTitle()));
}

QString Dru70CommentWindow::text() const {
    return editor_->toPlainText();
}

void Dru70CommentWindow::setText(const QString &text) {
    editor_->setPlainText(text);
}

void Dru70CommentWindow::closeEvent(QCloseEvent *event) {
    // The note is kept in Latin-1, with the line ends it came with.
    QString text = editor_->toPlainText();
    std::string note = original_;
    if (text != shown_) {
        if (crLf_)
            text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        note = text.toLatin1().toStdString();
    }
    if (document_.saveComment(note))
        event->accept();
    else
        event->ignore();
}

} // namespace qv
