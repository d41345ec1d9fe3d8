#include "gui/shell/RecoveryOffer.h"

#include <QDateTime>
#include <QTimeZone>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/document/RecoveryFile.h"
#include "core/document/VexoDoc.h"
#include "gui/shell/AutoSaver.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"
#include "gui/shell/RecoveryDlg.h"
#include "gui/shell/RecoveryStore.h"

namespace brisca {
namespace fs = std::filesystem;
namespace {

constexpr int kUnreadable = 318;

struct Offered {
  fs::path file;
  RecoveryInfo info;
};

void ReportUnreadable(RecoveryStore& store, const fs::path& file, int code) {
  const fs::path kept = store.MoveAside(file);
  std::string detail = file.string() + " (error " + std::to_string(code) + ")\n\nKept as:\n";
  detail += kept.empty() ? file.string() + "\n(it could not be moved aside)" : kept.string();
  ReportErrorCode(kUnreadable, false, detail.c_str());
}

// Each file is read whole before it is offered: one that cannot be read is
// reported now rather than after the user chose it.
std::vector<Offered> ReadableOrphans(RecoveryStore& store) {
  std::vector<Offered> offered;
  for (const fs::path& file : store.ClaimOrphans()) {
    try {
      CVexoDoc scratch;
      offered.push_back({file, ReadRecoveryFile(file, scratch)});
    } catch (const FileError& error) {
      ReportUnreadable(store, file, error.code());
    }
  }
  return offered;
}

CVexoDoc* Recover(CMainFrame& frame, RecoveryStore& store, const Offered& offered) {
  int code = 0;
  CVexoDoc* document = frame.Documents().RecoverDocument(offered.info.originalPath, [&](CVexoDoc& doc) {
    try {
      ReadRecoveryFile(offered.file, doc);
      return true;
    } catch (const FileError& error) {
      code = error.code();
      return false;
    }
  });
  if (!document) {
    ReportUnreadable(store, offered.file, code);
    return nullptr;
  }
  document->UpdateDerivedValues();
  document->SetModified(true);
  frame.ShowDocument(*document);
  return document;
}

}  // namespace

RecoveryAnswer RecoveryAnswerFromText(const QString& text) {
  if (text == QLatin1String("recover")) return RecoveryAnswer::Recover;
  if (text == QLatin1String("discard")) return RecoveryAnswer::Discard;
  return RecoveryAnswer::Ask;
}

int OfferRecovery(CMainFrame& frame, RecoveryStore& store, AutoSaver& saver, RecoveryAnswer answer) {
  const std::vector<Offered> offered = ReadableOrphans(store);
  if (offered.empty()) return 0;

  std::vector<int> chosen;
  RecoveryDlg::Choice choice = answer == RecoveryAnswer::Discard ? RecoveryDlg::Choice::Discard
                                                                 : RecoveryDlg::Choice::Recover;
  if (answer == RecoveryAnswer::Ask) {
    std::vector<RecoveryEntry> entries;
    for (const Offered& o : offered) {
      const auto seconds = o.info.savedAt.time_since_epoch().count();
      entries.push_back({QString::fromStdString(o.info.title), ToQString(o.info.originalPath),
                         QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc())});
    }
    RecoveryDlg dialog(entries, &frame);
    dialog.exec();
    choice = dialog.GetChoice();
    chosen = dialog.Checked();
  } else {
    for (int i = 0; i < static_cast<int>(offered.size()); ++i) chosen.push_back(i);
  }

  if (choice == RecoveryDlg::Choice::Discard) {
    for (int i : chosen) store.Remove(offered[i].file);
    return 0;
  }
  if (choice != RecoveryDlg::Choice::Recover) return 0;
  std::vector<std::pair<int, const CVexoDoc*>> recovered;
  for (int i : chosen) {
    if (const CVexoDoc* document = Recover(frame, store, offered[i])) recovered.emplace_back(i, document);
  }
  // The recovered engines are written into this run's own files before the
  // old ones go, so that a crash now still leaves one copy; an old one whose
  // engine could not be written again stays.
  saver.SaveNow();
  for (const auto& [i, document] : recovered) {
    std::error_code ec;
    if (fs::exists(store.FileFor(document->GetDocumentNumber()), ec)) store.Remove(offered[i].file);
  }
  return static_cast<int>(recovered.size());
}

}  // namespace brisca
