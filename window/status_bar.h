// The window's status bar: a strip along the bottom edge with two sunken
// text panels of fixed width, no size grip and no simple-text mode. Screen
// readers see a status bar whose panels are named by their text, so a
// change of text is announced; each panel's purpose is its description.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <array>

class QLabel;

namespace vorelka::window {

class PanelStatusBar final : public QWidget {
  Q_OBJECT

 public:
  struct Panel {
    int width;          // pixels
    int minimum_width;  // pixels
    QString description;
  };

  // Placed at `geometry` in the parent; panels run left to right in the
  // order given and fill the bar's height below its top border.
  PanelStatusBar(const QRect& geometry, const std::array<Panel, 2>& panels, QWidget* parent);

  // Panels are numbered from 1, left to right.
  void SetPanelText(int panel, const QString& text);
  QString PanelText(int panel) const;

 private:
  QLabel* PanelAt(int panel) const;

  std::array<QLabel*, 2> panels_{};
};

}  // namespace vorelka::window
