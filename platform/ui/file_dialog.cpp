// The handheld's own open and save dialogs: Japanese, as large as the program's screen, showing
// the device's folders only (its root and the storage cards), answering with a device path.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/notify.h"
#include "platform/ui/shell.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {
namespace {

// The folder of the last file chosen in this program: the next dialog without a folder of its
// own starts there, as the handheld's dialogs do (on the same device only).
struct LastFolder {
  std::string device;
  QString folder;
};
LastFolder& lastChoice() {
  static LastFolder last;
  return last;
}
QString lastFolder() { return lastChoice().device == plat::deviceRoot() ? lastChoice().folder : QString(); }

struct Filter {
  QString description;
  QStringList patterns;  // "*.txt"
};

// "Text (*.txt)|*.txt|All (*.*)|*.*|", bars or NULs between the parts.
std::vector<Filter> parseFilter(std::u16string_view filter) {
  std::vector<QString> parts;
  QString cur;
  for (char16_t c : filter) {
    if (c == u'|' || c == u'\0') {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur.append(QChar(c));
    }
  }
  if (!cur.isEmpty()) parts.push_back(cur);
  std::vector<Filter> out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    Filter f;
    f.description = parts[i];
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) f.patterns << p.trimmed();
    out.push_back(f);
  }
  if (out.empty()) out.push_back(Filter{QString::fromUtf16(u"すべてのファイル (*.*)"), {QStringLiteral("*.*")}});
  return out;
}

bool matches(const Filter& f, const QString& name) {
  for (const QString& p : f.patterns) {
    if (p == QStringLiteral("*.*") || p == QStringLiteral("*")) return true;
    QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p), QRegularExpression::CaseInsensitiveOption);
    if (re.match(name).hasMatch()) return true;
  }
  return false;
}

QString joined(const QString& folder, const QString& name) {
  return folder.endsWith(QLatin1Char('\\')) ? folder + name : folder + QLatin1Char('\\') + name;
}

class DeviceFileDialog : public QDialog {
 public:
  DeviceFileDialog(const FileDialogRequest& r) : QDialog(QApplication::activeWindow(), Qt::Dialog | Qt::FramelessWindowHint), req_(r) {
    setObjectName(QStringLiteral("suiteFileDialog"));
    setModal(true);
    QFont f = font();
    f.setPixelSize(uiPixels(12));
    setFont(f);
    filters_ = parseFilter(r.filter);
    const QString title = QString::fromUtf16(r.save ? u"名前を付けて保存" : u"開く");
    setWindowTitle(title);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(2);
    auto* caption = new QLabel(title, this);
    caption->setStyleSheet(QStringLiteral("background: #0a246a; color: white; font-weight: bold; padding: 2px;"));
    outer->addWidget(caption);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(3, 0, 3, 0);
    grid->setSpacing(2);
    grid->addWidget(new QLabel(QString::fromUtf16(u"フォルダ:"), this), 0, 0);
    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName(QStringLiteral("suiteFolder"));
    // Long folder names and filter texts give way: the dialog is never wider than the screen.
    folderLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(folderLabel_, 0, 1);
    up_ = new QPushButton(QString::fromUtf16(u"上へ"), this);
    grid->addWidget(up_, 0, 2);
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("suiteEntries"));
    outer->addWidget(list_, 1);
    auto* form = new QGridLayout;
    form->setContentsMargins(3, 0, 3, 0);
    form->setSpacing(2);
    form->addWidget(new QLabel(QString::fromUtf16(u"名前:"), this), 0, 0);
    name_ = new QLineEdit(toQ(r.fileName), this);
    name_->setObjectName(QStringLiteral("suiteName"));
    form->addWidget(name_, 0, 1);
    form->addWidget(new QLabel(QString::fromUtf16(u"種類:"), this), 1, 0);
    type_ = new QComboBox(this);
    type_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    type_->setMinimumContentsLength(4);
    for (const Filter& f : filters_) type_->addItem(f.description);
    if (r.filterIndex >= 1 && r.filterIndex <= static_cast<int>(filters_.size())) type_->setCurrentIndex(r.filterIndex - 1);
    form->addWidget(type_, 1, 1);
    form->setColumnStretch(1, 1);
    outer->addLayout(form);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(3, 0, 3, 3);
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("suiteOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf16(u"キャンセル"), this);
    row->addWidget(ok);
    row->addWidget(cancel);
    outer->addLayout(row);

    connect(up_, &QPushButton::clicked, this, [this] { goUp(); });
    connect(ok, &QPushButton::clicked, this, [this] { acceptName(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(type_, &QComboBox::currentIndexChanged, this, [this] { fill(); });
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) { activate(it); });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) {
      if (!it->data(Qt::UserRole).toBool()) name_->setText(it->text());
    });

    QString start = !r.initialFolder.empty() ? toQ(r.initialFolder)
                    : lastFolder().isEmpty() ? QStringLiteral("\\")
                                             : lastFolder();
    start.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (!start.startsWith(QLatin1Char('\\'))) start.prepend(QLatin1Char('\\'));
    while (start.size() > 1 && start.endsWith(QLatin1Char('\\'))) start.chop(1);
    folder_ = isFolder(start) ? start : QStringLiteral("\\");
    fill();
    const QRect screen = programScreen();
    setMaximumSize(screen.size());
    setGeometry(screen);
  }

  QString folder() const { return folder_; }
  std::optional<std::u16string> chosen() const { return chosen_; }
  bool save() const { return req_.save; }
  QStringList filterTexts() const {
    QStringList out;
    for (const Filter& f : filters_) out << f.description + QStringLiteral(" (") + f.patterns.join(QLatin1Char(';')) + QStringLiteral(")");
    return out;
  }
  QStringList entries() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i) out << list_->item(i)->text();
    return out;
  }
  void typeName(const QString& n) { name_->setText(n); }
  void acceptName() {
    QString n = name_->text().trimmed();
    if (n.isEmpty()) return;
    n.replace(QLatin1Char('/'), QLatin1Char('\\'));
    // A name that leaves the device (a parent step) is refused.
    if (n.split(QLatin1Char('\\')).contains(QStringLiteral(".."))) {
      plat::messageBeep(plat::kMbIconExclamation);
      return;
    }
    QString path = n.startsWith(QLatin1Char('\\')) ? n : joined(folder_, n);
    if (isFolder(path)) {
      folder_ = path;
      name_->clear();
      fill();
      return;
    }
    QString last = path.section(QLatin1Char('\\'), -1);
    if (req_.save && !last.contains(QLatin1Char('.')) && !req_.defaultExtension.empty()) path += QLatin1Char('.') + toQ(req_.defaultExtension);
    if (!req_.save && !plat::pathExists(plat::wideToUtf8(fromQ(path)))) {
      plat::messageBox(fromQ(last) + u"\r\nファイルが見つかりません。", fromQ(windowTitle()), plat::kMbOk | plat::kMbIconExclamation);
      return;
    }
    chosen_ = fromQ(path);
    const int cut = path.lastIndexOf(QLatin1Char('\\'));
    lastChoice() = {plat::deviceRoot(), cut <= 0 ? QStringLiteral("\\") : path.left(cut)};
    accept();
  }

 private:
  static bool isFolder(const QString& ce) {
    if (ce == QStringLiteral("\\")) return true;
    std::string host = plat::hostPath(plat::wideToUtf8(fromQ(ce)));
    std::string root = plat::deviceRoot();
    return !root.empty() && host.rfind(root, 0) == 0 && QFileInfo(QString::fromStdString(host)).isDir();
  }

  void goUp() {
    if (folder_ == QStringLiteral("\\")) return;
    int cut = folder_.lastIndexOf(QLatin1Char('\\'));
    folder_ = cut <= 0 ? QStringLiteral("\\") : folder_.left(cut);
    fill();
  }

  void activate(QListWidgetItem* it) {
    if (it->data(Qt::UserRole).toBool()) {
      folder_ = joined(folder_, it->text());
      fill();
    } else {
      name_->setText(it->text());
      acceptName();
    }
  }

  void fill() {
    list_->clear();
    folderLabel_->setText(folder_);
    up_->setEnabled(folder_ != QStringLiteral("\\"));
    const Filter& f = filters_[static_cast<size_t>(std::max(0, type_->currentIndex()))];
    std::vector<plat::DirEntry> all = plat::listFolder(plat::wideToUtf8(fromQ(folder_)));
    const QIcon dirIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon cardIcon = style()->standardIcon(QStyle::SP_DriveFDIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    for (int pass = 0; pass < 2; ++pass) {
      for (const plat::DirEntry& e : all) {
        if (e.name.empty() || e.name[0] == '.') continue;
        const bool dir = (e.attributes & plat::kAttrDirectory) != 0;
        QString name = QString::fromStdString(e.name);
        if ((pass == 0) != dir || (!dir && !matches(f, name))) continue;
        auto* it = new QListWidgetItem(dir ? ((e.attributes & plat::kAttrTemporary) ? cardIcon : dirIcon) : fileIcon, name, list_);
        it->setData(Qt::UserRole, dir);
      }
    }
  }

  FileDialogRequest req_;
  std::vector<Filter> filters_;
  QString folder_;
  QLabel* folderLabel_ = nullptr;
  QPushButton* up_ = nullptr;
  QListWidget* list_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* type_ = nullptr;
  std::optional<std::u16string> chosen_;
};

}  // namespace

std::optional<std::u16string> runDeviceFileDialog(const FileDialogRequest& r) {
  if (plat::deviceRoot().empty()) return std::nullopt;
  DeviceFileDialog dlg(r);
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.chosen();
}

// Tests read the dialog and answer it.
bool readFileDialog(QWidget* w, bool& save, std::vector<std::u16string>& filters, std::u16string& folder,
                    std::vector<std::u16string>& entries) {
  auto* d = dynamic_cast<DeviceFileDialog*>(w);
  if (!d) return false;
  save = d->save();
  for (const QString& f : d->filterTexts()) filters.push_back(fromQ(f));
  folder = fromQ(d->folder());
  for (const QString& e : d->entries()) entries.push_back(fromQ(e));
  return true;
}

void answerFileDialog(QWidget* w, const std::u16string& name) {
  auto* d = dynamic_cast<DeviceFileDialog*>(w);
  if (!d) return;
  if (name.empty()) {
    d->reject();
    return;
  }
  d->typeName(toQ(name));
  d->acceptName();
}

}  // namespace ui::impl
