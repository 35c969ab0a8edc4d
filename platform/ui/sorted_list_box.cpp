#include "platform/ui/sorted_list_box.h"

#include <algorithm>

namespace corvane {

namespace {
class CaseInsensitiveItem : public QListWidgetItem {
  public:
    explicit CaseInsensitiveItem(const QString& text) : QListWidgetItem(text) {}
    bool operator<(const QListWidgetItem& other) const override {
        return QString::compare(text(), other.text(), Qt::CaseInsensitive) < 0;
    }
};
}  // namespace

SortedListBox::SortedListBox(QWidget* parent) : QListWidget(parent) {
    setSortingEnabled(true);
}

void SortedListBox::addItem(const QString& text) {
    QListWidget::addItem(new CaseInsensitiveItem(text));
}

void SortedListBox::addItems(const QStringList& texts) {
    // One sort of the plain texts, not one sorted insertion per item nor a sort
    // that reads each item's text back per comparison: a large address book
    // fills the list in n log n.
    QStringList sorted = texts;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    const bool wasEmpty = count() == 0;
    setSortingEnabled(false);
    for (const QString& text : sorted)
        QListWidget::addItem(new CaseInsensitiveItem(text));
    if (!wasEmpty)
        sortItems(Qt::AscendingOrder);
    setSortingEnabled(true);
}

void SortedListBox::insertItem(int /*row*/, const QString& text) {
    addItem(text);
}

QStringList SortedListBox::ItemTexts() const {
    QStringList texts;
    for (int row = 0; row < count(); ++row)
        texts << item(row)->text();
    return texts;
}

QStringList SortedListBox::SelectedTexts() const {
    QStringList texts;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected())
            texts << item(row)->text();
    }
    return texts;
}

}  // namespace corvane
