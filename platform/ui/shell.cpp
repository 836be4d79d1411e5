// The clipboard and the file dialogs.
#include "platform/ui/shell.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/ui/window_impl.h"

namespace ui {
using namespace ui::impl;

namespace {
std::function<std::optional<std::u16string>(const FileDialogRequest&)> gFileHook;

}  // namespace

bool setClipboardText(std::u16string_view text) {
  if (!applicationRunning()) return false;
  QGuiApplication::clipboard()->setText(toQ(text));
  return true;
}

std::u16string clipboardText() {
  if (!applicationRunning()) return {};
  return fromQ(QGuiApplication::clipboard()->text());
}

bool clipboardHasText() {
  if (!applicationRunning()) return false;
  const QMimeData* d = QGuiApplication::clipboard()->mimeData();
  return d && d->hasText() && !d->text().isEmpty();
}

std::optional<std::u16string> fileDialog(const FileDialogRequest& r) {
  if (gFileHook) return gFileHook(r);
  if (!applicationRunning()) return std::nullopt;
  return runDeviceFileDialog(r);
}

void setFileDialogHook(std::function<std::optional<std::u16string>(const FileDialogRequest&)> hook) {
  gFileHook = std::move(hook);
}

}  // namespace ui
