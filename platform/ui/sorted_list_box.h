#pragma once

// A list box that keeps its items in alphabetical order ignoring case, as the
// program's list boxes do. Items must be added through this class (addItem,
// addItems, insertItem hide QListWidget's own), so that each item compares
// its text without regard to case.

#include <QListWidget>
#include <QStringList>

namespace corvane {

class SortedListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit SortedListBox(QWidget* parent = nullptr);

    void addItem(const QString& text);
    void addItems(const QStringList& texts);
    // The list box sorts: the row only says that an item is added.
    void insertItem(int row, const QString& text);

    // The item texts in shown order.
    QStringList ItemTexts() const;
    // The texts of the selected items in shown order.
    QStringList SelectedTexts() const;
};

}  // namespace corvane
