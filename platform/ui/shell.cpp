// The clipboard and the file dialogs.
#include "platform/ui/shell.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/ui/window_impl.h"

namespace ui {
using namespace ui::impl;

namespace {
std::function<std::optional<std::u16string>(const FileDialogRequest&)> gFileHook;

// "Text (*.txt)|*.txt|All (*.*)|*.*|" to the window system's "Text (*.txt);;All (*.*)" with the
// patterns of each entry.
QStringList filterList(std::u16string_view filter) {
  std::vector<std::u16string> parts;
  std::u16string cur;
  for (char16_t c : filter) {
    if (c == u'|' || c == u'\0') {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  QStringList out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = toQ(parts[i + 1]).replace(u';', u' ');
    out << toQ(parts[i]) + QStringLiteral(" [") + patterns + QStringLiteral("] (") + patterns + QStringLiteral(")");
  }
  return out;
}

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
  std::string root = plat::deviceRoot();
  std::string folder = plat::hostPath(r.initialFolder.empty() ? std::u16string_view(u"\\") : std::u16string_view(r.initialFolder));
  QFileDialog dlg(widgetOf(topLevelOf(r.owner)));
  dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  QStringList filters = filterList(r.filter);
  dlg.setNameFilters(filters);
  if (r.filterIndex >= 1 && r.filterIndex <= filters.size()) dlg.selectNameFilter(filters[r.filterIndex - 1]);
  dlg.setDirectory(QString::fromStdString(folder.empty() ? root : folder));
  if (!r.fileName.empty()) dlg.selectFile(toQ(r.fileName));
  if (!r.defaultExtension.empty()) dlg.setDefaultSuffix(toQ(r.defaultExtension));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  std::string chosen = dlg.selectedFiles().first().toStdString();
  if (root.empty() || chosen.rfind(root, 0) != 0) return std::nullopt;
  std::string rel = chosen.substr(root.size());
  std::u16string ce = plat::utf8ToWide(rel);
  for (char16_t& c : ce) {
    if (c == u'/') c = u'\\';
  }
  if (ce.empty() || ce[0] != u'\\') ce.insert(ce.begin(), u'\\');
  return ce;
}

void setFileDialogHook(std::function<std::optional<std::u16string>(const FileDialogRequest&)> hook) {
  gFileHook = std::move(hook);
}

}  // namespace ui
