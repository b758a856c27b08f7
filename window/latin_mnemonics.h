// Alt+letter mnemonics that work whatever keyboard layout is active.
//
// A learner switches to a Russian layout to type an answer; Alt+N then
// yields a Cyrillic key (Alt+т), which matches no "&Next" mnemonic. The
// physical key is still the one that carries N on a US keyboard, and the
// native scan code says so: this filter turns such a press back into the
// Latin key of the same position and lets Qt's own shortcut matching take
// it from there, so buttons and menus behave exactly as with a Latin layout.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace vorelka::window {

// The letter 'A'..'Z' that the key with this native scan code carries on a
// US keyboard, or nothing for a key that is not a letter key.
std::optional<char> UsLetterOfNativeScanCode(quint32 native_scan_code);

class LatinMnemonics final : public QObject {
 public:
  // Watches the key presses sent to `window` and its children; installs
  // itself on the application and removes itself when destroyed.
  explicit LatinMnemonics(QWidget* window);
  ~LatinMnemonics() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
};

}  // namespace vorelka::window
