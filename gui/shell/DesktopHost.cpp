#include "gui/shell/DesktopHost.h"

#include <QFileDialog>
#include <QInputDialog>

#include "gui/shell/DocumentManager.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"

namespace brisca {
namespace {

struct FileKind {
  const char* extension;
  const char* filter;
};

constexpr FileKind kFileKinds[] = {
    {"qen", "Brisca Engine Files (*.qen)"},
    {"qfw", "Brisca Flow Files (*.qfw)"},
    {"qcm", "Brisca Cam Files (*.qcm)"},
};

QFileDialog* MakeFileDialog(QWidget* parent, const QString& caption, const std::string& extension,
                            const std::filesystem::path& folder) {
  auto* dialog = new QFileDialog(parent, caption, ToQString(folder), FileFilter(extension));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setDefaultSuffix(QString::fromStdString(extension));
  dialog->setAttribute(Qt::WA_DeleteOnClose, false);
  return dialog;
}

}  // namespace

QString FileFilter(const std::string& extension) {
  for (const FileKind& kind : kFileKinds) {
    if (extension == kind.extension) {
      return QString::fromLatin1(kind.filter) + QStringLiteral(";;All Files (*)");
    }
  }
  return QStringLiteral("All Files (*)");
}

std::vector<CVexoDoc*> DesktopHost::OpenDocuments() const { return frame_.Documents().Documents(); }

void DesktopHost::CloseEditDialog() {
  std::function<void()> close = std::move(closeAccepted_);
  editedSpec_ = nullptr;
  closeAccepted_ = nullptr;
  if (close) close();
}

void DesktopHost::UpdateAllViews(CVexoDoc& document) { frame_.UpdateAllViews(document); }

std::optional<std::filesystem::path> DesktopHost::PromptOpenPath(
    const std::string& extension, const std::filesystem::path& folder) {
  std::unique_ptr<QFileDialog> dialog(
      MakeFileDialog(&frame_, QObject::tr("Open"), extension, folder));
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return ToPath(dialog->selectedFiles().constFirst());
}

std::optional<std::filesystem::path> DesktopHost::PromptSavePath(
    const std::string& extension, const std::filesystem::path& folder,
    const std::string& proposedName) {
  std::unique_ptr<QFileDialog> dialog(
      MakeFileDialog(&frame_, QObject::tr("Save As"), extension, folder));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  if (!proposedName.empty()) dialog->selectFile(QString::fromStdString(proposedName));
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return ToPath(dialog->selectedFiles().constFirst());
}

std::optional<std::string> DesktopHost::PromptText(const std::string& title,
                                                   const std::string& prompt,
                                                   const std::string& initial) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(&frame_, QString::fromStdString(title), QString::fromStdString(prompt),
                            QLineEdit::Normal, QString::fromStdString(initial), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

void DesktopHost::SetEditDialog(CSimSpec* spec, std::function<void()> closeAccepted) {
  editedSpec_ = spec;
  closeAccepted_ = std::move(closeAccepted);
}

}  // namespace brisca
