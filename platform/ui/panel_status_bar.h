#pragma once

// A status bar divided into fixed-width text panels, numbered from 0 left to right.

#include <QStatusBar>
#include <initializer_list>
#include <string>
#include <vector>

class QLabel;

namespace corvane {

class PanelStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    PanelStatusBar(std::initializer_list<int> panel_widths, QWidget* parent = nullptr);

    QLabel* Panel(int index) const { return panels_.at(index); }
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // Panel texts are Windows-1252 text.
    std::string PanelText(int index) const;
    void SetPanelText(int index, const std::string& text);

  private:
    std::vector<QLabel*> panels_;
};

}  // namespace corvane
