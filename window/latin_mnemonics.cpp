#include "window/latin_mnemonics.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <string_view>

#include "services/platform.h"

namespace vorelka::window {
namespace {

// The three letter rows of a US keyboard and the set-1 code of each row's
// first key; the codes run on one by one along a row.
struct LetterRow {
  quint32 first_code;
  std::string_view letters;
};
constexpr LetterRow kUsLetterRows[] = {
    {0x10, "QWERTYUIOP"},
    {0x1E, "ASDFGHJKL"},
    {0x2C, "ZXCVBNM"},
};

bool IsLatinLetterKey(int key) {
  return key >= Qt::Key_A && key <= Qt::Key_Z;
}

// Alt, or Alt with Shift: the chords that fire mnemonics.
bool IsMnemonicChord(Qt::KeyboardModifiers modifiers) {
  const auto chord = modifiers & ~Qt::KeypadModifier;
  return chord == Qt::AltModifier || chord == (Qt::AltModifier | Qt::ShiftModifier);
}

}  // namespace

std::optional<char> UsLetterOfNativeScanCode(quint32 native_scan_code) {
  if (native_scan_code < services::kNativeScanCodeOffset) return std::nullopt;
  const quint32 code = native_scan_code - services::kNativeScanCodeOffset;
  for (const auto& row : kUsLetterRows) {
    if (code >= row.first_code && code < row.first_code + row.letters.size()) {
      return row.letters[code - row.first_code];
    }
  }
  return std::nullopt;
}

LatinMnemonics::LatinMnemonics(QWidget* window) : QObject(window), window_(window) {
  QCoreApplication::instance()->installEventFilter(this);
}

LatinMnemonics::~LatinMnemonics() {
  if (auto* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool LatinMnemonics::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* press = static_cast<QKeyEvent*>(event);
  // A Latin layout is already matched by Qt itself.
  if (!IsMnemonicChord(press->modifiers()) || IsLatinLetterKey(press->key())) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || window_ == nullptr || widget->window() != window_) return false;
  const auto letter = UsLetterOfNativeScanCode(press->nativeScanCode());
  if (!letter) return false;

  // Sent, not spontaneous: the application tries it as a shortcut first, so
  // the mnemonic fires; if nothing claims it, the widget sees a Latin Alt
  // chord without text and ignores it, as it would under a Latin layout.
  QKeyEvent latin(QEvent::KeyPress, Qt::Key_A + (*letter - 'A'), press->modifiers(),
                  press->nativeScanCode(), press->nativeVirtualKey(), press->nativeModifiers(),
                  QString(), press->isAutoRepeat(), press->count());
  QCoreApplication::sendEvent(widget, &latin);
  return true;
}

}  // namespace vorelka::window
