// Message boxes shown with Qt: modal, captioned with the application title,
// an OK button only, the icon the style asks for.
#pragma once

#include <QPointer>
#include <QWidget>

#include "services/app_facts.h"
#include "services/message_box.h"

namespace vorelka::window {

class QtMessageBox final : public services::MessageBox {
 public:
  explicit QtMessageBox(const services::AppFacts& facts) : facts_(facts) {}

  // The main window: once it is on screen, boxes are its children and sit
  // over it. Before that (at load) they have no parent and sit in the middle
  // of the screen, not over a window nobody sees.
  void SetOwner(QWidget* owner) { owner_ = owner; }

  void Show(std::string_view text, services::MessageStyle style) override;

 private:
  const services::AppFacts& facts_;
  QPointer<QWidget> owner_;
};

}  // namespace vorelka::window
