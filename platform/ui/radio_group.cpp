#include "platform/ui/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace corvane {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 2, 8, 2);
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items[index], this);
        grid->addWidget(button, index / columns, index % columns);
        buttons_.push_back(button);
    }
}

int RadioGroup::ItemIndex() const {
    for (int index = 0; index < ItemCount(); ++index) {
        if (buttons_[index]->isChecked())
            return index;
    }
    return -1;
}

void RadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < ItemCount()) {
        buttons_[index]->setChecked(true);
        return;
    }
    // Radio buttons of one group refuse to be all unchecked unless asked to.
    for (QRadioButton* button : buttons_) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

}  // namespace corvane
