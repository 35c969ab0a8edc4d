#pragma once

// A multi-line edit field with a maximum length, as QPlainTextEdit has none.
// Typing, pasting and dropping stop at the limit; setting the limit, or putting
// a text in with setPlainText, never cuts a text that is already longer.

#include <QPlainTextEdit>

namespace corvane {

class MemoEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit MemoEdit(QWidget* parent = nullptr);

    // Below 0: no limit; 0: nothing can be typed or pasted.
    void SetMaxLength(int max_length) { max_length_ = max_length; }
    int MaxLength() const { return max_length_; }
    // The number of characters of the text, a line break counting as one.
    int TextLength() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    // How many characters may still be inserted in place of the selection.
    int Room() const;
    // Cuts `text` to the room left; empty when there is none.
    QString Fitted(const QString& text) const;

    int max_length_ = -1;
};

}  // namespace corvane
