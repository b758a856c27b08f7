#include "window/status_bar.h"

#include <QFrame>
#include <QLabel>
#include <stdexcept>
#include <string>

namespace vorelka::window {
namespace {

// The common controls' status bar: a 2 px border above the panels and a
// 2 px gap between neighbouring panels.
constexpr int kBorderAbove = 2;
constexpr int kGapBetweenPanels = 2;
constexpr int kTextIndent = 2;

}  // namespace

PanelStatusBar::PanelStatusBar(const QRect& geometry, const std::array<Panel, 2>& panels,
                               QWidget* parent)
    : QWidget(parent) {
  setGeometry(geometry);
  const int panel_height = geometry.height() - kBorderAbove;
  int left = 0;
  for (size_t i = 0; i < panels.size(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("StatusBar_Panel%1").arg(i + 1));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(kTextIndent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(panels[i].minimum_width);
    label->setAccessibleName(panels[i].accessible_name);
    panels_[i] = label;
    left += i == 0 ? 0 : kGapBetweenPanels;
    panels_[i]->setGeometry(left, kBorderAbove, panels[i].width, panel_height);
    left += panels[i].width;
  }
}

QLabel* PanelStatusBar::PanelAt(int panel) const {
  if (panel < 1 || panel > static_cast<int>(panels_.size())) {
    throw std::out_of_range("status bar has no panel " + std::to_string(panel));
  }
  return panels_[panel - 1];
}

void PanelStatusBar::SetPanelText(int panel, const QString& text) {
  PanelAt(panel)->setText(text);
}

QString PanelStatusBar::PanelText(int panel) const {
  return PanelAt(panel)->text();
}

}  // namespace vorelka::window
