#include "platform/ui/memo_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <limits>

namespace corvane {

namespace {
// The characters a key press would insert: Enter gives a line break, control
// characters (Backspace, Escape, Ctrl+letter) insert nothing.
QString InsertedByKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        return event.modifiers() & Qt::ControlModifier ? QString() : QStringLiteral("\n");
    }
    QString inserted;
    for (const QChar ch : event.text()) {
        if (ch == QLatin1Char('\t') || ch.category() != QChar::Other_Control)
            inserted += ch;
    }
    return inserted;
}
}  // namespace

MemoEdit::MemoEdit(QWidget* parent) : QPlainTextEdit(parent) {}

int MemoEdit::TextLength() const {
    return document()->characterCount() - 1;
}

int MemoEdit::Room() const {
    if (max_length_ < 0)
        return std::numeric_limits<int>::max();
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return max_length_ - (TextLength() - selected);
}

QString MemoEdit::Fitted(const QString& text) const {
    const int room = Room();
    if (room <= 0)
        return QString();
    return text.size() <= room ? text : text.left(room);
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
    const QString inserted = InsertedByKey(*event);
    if (inserted.isEmpty() || isReadOnly() || inserted.size() <= Room()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // The key would pass the limit: keep what fits, drop the rest.
    const QString fitted = Fitted(inserted);
    if (!fitted.isEmpty())
        insertPlainText(fitted);
    event->accept();
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly() || commit.size() <= Room()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitted(event->preeditString(), event->attributes());
    fitted.setCommitString(Fitted(commit), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fitted);
    event->accept();
}

void MemoEdit::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // Line ends of any kind arrive as one line break each, as they are counted.
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    const QString fitted = Fitted(text);
    if (!fitted.isEmpty())
        insertPlainText(fitted);
}

}  // namespace corvane
