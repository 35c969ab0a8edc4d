// The main window's message editor: the filter on typed characters, and the
// Clear Message and Restore Message commands.

#include <QCoreApplication>
#include <QKeyEvent>

#include "app/program_state.h"
#include "app/ui/tform1.h"
#include "messaging/editor_rules.h"
#include "platform/ui/memo_edit.h"
#include "platform/win1252.h"

namespace corvane {

namespace {

// The character typed, as the editor may take it: printable ASCII, with the
// pound sign and the backquote mapped; nothing for anything else.
QString FilterTyped(const QString& typed) {
    QString kept;
    for (const QChar character : typed) {
        const std::string bytes = FromQString(QString(character));
        const bool has1252Form = character == QLatin1Char('?') || bytes != "?";
        if (!has1252Form)
            continue;
        const char filtered = FilterTypedCharacter(static_cast<unsigned char>(bytes.front()));
        if (filtered != 0)
            kept += ToQString(std::string(1, filtered));
    }
    return kept;
}

}  // namespace

bool TForm1::Memo1KeyPress(QKeyEvent* event) {
    // Shortcuts (copy, paste, select all, undo) are commands, not typed characters.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // Tab moves the focus on; it never reaches the text.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    const QString typed = event->text();
    if (typed.isEmpty())
        return false;
    const QString kept = FilterTyped(typed);
    if (kept == typed)
        return false;
    if (!kept.isEmpty()) {
        // The editor takes the replacement as a key stroke of its own, so its
        // length limit applies to it as to any other.
        QKeyEvent replaced(QEvent::KeyPress, event->key(), event->modifiers(), kept,
                           event->isAutoRepeat(), static_cast<ushort>(event->count()));
        QCoreApplication::sendEvent(Memo1, &replaced);
    }
    return true;
}

void TForm1::ClearMessage1Click() {
    State().SavedMessage = FromQString(Memo1->toPlainText());
    Memo1->clear();
    RestoreMessage1->setEnabled(true);
    Memo1Change();
}

void TForm1::RestoreMessage1Click() {
    Memo1->setPlainText(ToQString(State().SavedMessage));
    Memo1Change();
}

}  // namespace corvane
