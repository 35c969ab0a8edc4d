#pragma once

// A captioned frame of radio buttons laid out in columns, with the index of the
// checked item as its value.

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

namespace corvane {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& caption, const QStringList& items, int columns,
               QWidget* parent = nullptr);

    // -1 when no item is checked.
    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const { return buttons_.at(index); }
    int ItemCount() const { return static_cast<int>(buttons_.size()); }

  private:
    std::vector<QRadioButton*> buttons_;
};

}  // namespace corvane
