// The shell's own About box. Its texts go in the ANSI code page, as
// ShellAboutA takes them.
#include <windows.h>  // first: shellapi.h builds on its types

#include <shellapi.h>

#include <QImage>
#include <QPixmap>

#include "window/about_box.h"

namespace vorelka::window {
namespace {

std::string ToAnsi(const QString& text) {
  const std::wstring wide = text.toStdWString();
  const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(length > 0 ? static_cast<size_t>(length) : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

}  // namespace

void ShowAbout(QWidget* owner, const QString& app, const std::string& other, const QIcon& icon) {
  const std::string app_ansi = ToAnsi(app);
  const std::string other_ansi = ToAnsi(QString::fromStdString(other));
  const HWND owner_window = owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr;
  const HICON icon_handle = icon.pixmap(kAboutIconSize, kAboutIconSize).toImage().toHICON();
  ShellAboutA(owner_window, app_ansi.c_str(), other_ansi.c_str(), icon_handle);
  if (icon_handle) DestroyIcon(icon_handle);
}

}  // namespace vorelka::window
