#include "gui/shell/DesktopHost.h"

#include <QFileDialog>
#include <QInputDialog>

#include "core/valvetrain/Camshaft.h"
#include "core/valvetrain/CylHeadFlow.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"
#include "gui/cam/CamDlg.h"
#include "gui/cam/CamTypeDlg.h"
#include "gui/valvetrain/AirFlowDlg.h"

namespace brisca {
namespace {

struct FileKind {
  const char* extension;
  const char* filter;  // the file kind's own entry of a "name|pattern|...||" filter
  const char* suffix = nullptr;  // added to a typed name without one; null: the extension
};

constexpr FileKind kFileKinds[] = {
    {"qen", "Brisca Engine Files (*.qen)"},
    {kFlowFileExtension, kFlowFileFilter},
    {kCamFileExtension, kCamFileFilter},
    // Dyno exports come under several names: the kind is not one extension.
    {"measured", "Measured Runs (*.csv *.txt *.tsv)", "csv"},
};

}  // namespace

QString FileFilter(const std::string& extension) {
  for (const FileKind& kind : kFileKinds) {
    if (extension == kind.extension) {
      const QString name = QString::fromLatin1(kind.filter).section(QLatin1Char('|'), 0, 0);
      return name + QStringLiteral(";;All Files (*)");
    }
  }
  return QStringLiteral("All Files (*)");
}

static QString DefaultSuffix(const std::string& extension) {
  for (const FileKind& kind : kFileKinds) {
    if (extension == kind.extension && kind.suffix) return QString::fromLatin1(kind.suffix);
  }
  return QString::fromStdString(extension);
}

std::vector<CVexoDoc*> DesktopHost::OpenDocuments() const { return frame_.Documents().Documents(); }

void DesktopHost::CloseEditDialog() {
  std::function<void()> close = std::move(closeAccepted_);
  editedSpec_ = nullptr;
  closeAccepted_ = nullptr;
  if (close) close();
}

void DesktopHost::UpdateAllViews(CVexoDoc& document) { frame_.UpdateAllViews(document); }

void DesktopHost::ModifiedChanged(CVexoDoc&) { frame_.RefreshTitles(); }

void DesktopHost::ChangeMade(CVexoDoc& document) { frame_.Undo().ChangeMade(document); }

void DesktopHost::MarkedUnmodified(CVexoDoc& document) { frame_.Undo().MarkedUnmodified(document); }

bool DesktopHost::SaveModified(CVexoDoc& document) { return frame_.SaveModified(document); }

std::optional<std::filesystem::path> DesktopHost::PromptOpenPath(
    const std::string& extension, const std::filesystem::path& folder) {
  const FilePrompt prompt{false, extension, folder, {}};
  return prompter_ ? prompter_(prompt) : RunFileDialog(prompt);
}

std::optional<std::filesystem::path> DesktopHost::PromptSavePath(
    const std::string& extension, const std::filesystem::path& folder,
    const std::string& proposedName) {
  const FilePrompt prompt{true, extension, folder, proposedName};
  return prompter_ ? prompter_(prompt) : RunFileDialog(prompt);
}

namespace {

// The dialog takes the last part of a folder that is not there for a file
// name; it starts in the nearest folder above that exists instead.
std::filesystem::path ExistingFolder(std::filesystem::path folder) {
  std::error_code ec;
  while (!folder.empty() && !std::filesystem::is_directory(folder, ec) && folder.has_relative_path()) {
    folder = folder.parent_path();
  }
  return folder;
}

}  // namespace

std::optional<std::filesystem::path> DesktopHost::RunFileDialog(const FilePrompt& prompt) {
  QFileDialog dialog(&frame_, prompt.save ? QObject::tr("Save As") : QObject::tr("Open"),
                     ToQString(ExistingFolder(prompt.folder)), FileFilter(prompt.extension));
  dialog.setObjectName(QStringLiteral("filePrompt"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setDefaultSuffix(DefaultSuffix(prompt.extension));
  dialog.setAcceptMode(prompt.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(prompt.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (prompt.save && !prompt.proposedName.empty()) {
    dialog.selectFile(QString::fromStdString(prompt.proposedName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToPath(dialog.selectedFiles().constFirst());
}

std::optional<PortFlowEdit> DesktopHost::EditPortFlow(const CCylHeadFlow& flow,
                                                      const std::string& airflowFile) {
  CAirFlowDlg dialog(*this, flow, airflowFile, &frame_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
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

std::optional<std::string> DesktopHost::PromptCamName(const std::string& initial) {
  CCamTypeDlg dialog(QString::fromStdString(initial), &frame_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Name().toStdString();
}

bool DesktopHost::RunCamManager(CVexoDoc& document) { return brisca::RunCamManager(document, &frame_); }

void DesktopHost::SetEditDialog(CSimSpec* spec, std::function<void()> closeAccepted) {
  editedSpec_ = spec;
  closeAccepted_ = std::move(closeAccepted);
}

}  // namespace brisca
