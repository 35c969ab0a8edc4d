#include "platform/ui/panel_status_bar.h"

#include <QLabel>

#include "platform/win1252.h"

namespace corvane {

PanelStatusBar::PanelStatusBar(std::initializer_list<int> panel_widths, QWidget* parent)
    : QStatusBar(parent) {
    for (int width : panel_widths) {
        auto* panel = new QLabel(this);
        panel->setFixedWidth(width);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        addWidget(panel);
        panels_.push_back(panel);
    }
}

std::string PanelStatusBar::PanelText(int index) const {
    return FromQString(panels_.at(index)->text());
}

void PanelStatusBar::SetPanelText(int index, const std::string& text) {
    panels_.at(index)->setText(ToQString(text));
}

}  // namespace corvane
