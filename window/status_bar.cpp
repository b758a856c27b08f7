#include "window/status_bar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <stdexcept>
#include <string>

namespace vorelka::window {
namespace {

// The common controls' status bar: a 2 px border above the panels and a
// 2 px gap between neighbouring panels.
constexpr int kBorderAbove = 2;
constexpr int kGapBetweenPanels = 2;
constexpr int kTextIndent = 2;

// Qt gives a plain widget no role of its own; this one is a status bar.
QAccessibleInterface* StatusBarAccessible(const QString& class_name, QObject* object) {
  if (object != nullptr && object->isWidgetType() &&
      class_name == QLatin1String(PanelStatusBar::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StatusBar);
  }
  return nullptr;
}

// A sunken panel whose one-pixel border is filled as rectangles rather than
// drawn as lines: at a fractional scale (QT_SCALE_FACTOR 1.25) Qt rounds a
// line on the last row past the widget's edge and the bottom border
// vanishes, while a filled row keeps the device pixels it covers.
class SunkenPanel final : public QLabel {
 public:
  explicit SunkenPanel(QWidget* parent) : QLabel(parent) {
    setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, kBorder, palette().dark());
    painter.fillRect(0, 0, kBorder, h, palette().dark());
    painter.fillRect(0, h - kBorder, w, kBorder, palette().light());
    painter.fillRect(w - kBorder, kBorder, kBorder, h - kBorder, palette().light());
  }

 private:
  static constexpr int kBorder = 1;
};

}  // namespace

PanelStatusBar::PanelStatusBar(const QRect& geometry, const std::array<Panel, 2>& panels,
                               QWidget* parent)
    : QWidget(parent) {
  static const bool factory_installed = [] {
    QAccessible::installFactory(StatusBarAccessible);
    return true;
  }();
  (void)factory_installed;
  setGeometry(geometry);
  const int panel_height = geometry.height() - kBorderAbove;
  int left = 0;
  for (size_t i = 0; i < panels.size(); ++i) {
    QLabel* label = new SunkenPanel(this);
    label->setObjectName(QStringLiteral("StatusBar_Panel%1").arg(i + 1));
    label->setIndent(kTextIndent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(panels[i].minimum_width);
    // No accessible name: a label without one is named by its text.
    label->setAccessibleDescription(panels[i].description);
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
  QLabel* label = PanelAt(panel);
  if (label->text() == text) return;
  label->setText(text);
  // The panel's name is its text: tell screen readers it changed.
  QAccessibleEvent changed(label, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

QString PanelStatusBar::PanelText(int panel) const {
  return PanelAt(panel)->text();
}

}  // namespace vorelka::window
