#pragma once
// "Kalvexing™ Setup": the heading texts of a document's report, the optional
// pieces it includes and the saved defaults new documents start from. The
// dialog edits a working copy (ReportSetup) and writes it back on OK.

#include <QDialog>

#include <array>
#include <filesystem>
#include <string>

#include "core/reportspecs/ReportSetup.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brisca {

struct ReportSpecs;

class CKalvexDlg : public QDialog {
  Q_OBJECT

 public:
  //! `settings` (the document's, not owned) is written only when OK ends the dialog.
  CKalvexDlg(const std::string& title, ReportSpecs& settings, std::filesystem::path reportFolder,
             QWidget* parent = nullptr);

  const ReportSetup& Setup() const { return setup_; }

 public slots:
  void accept() override;

 private:
  static constexpr int kTextCount = 10;

  void BuildControls();
  //! Every control shows the working copy; file edits and glossary choices
  //! are enabled by their check boxes.
  void Refresh();
  //! Takes every edit's text into the working copy (as leaving it does).
  void StoreEdits();
  void StoreEdit(int index);
  void Browse(ReportSetup::Text which);
  void OnSave();
  void OnRecallSaved();
  void OnResetAll();

  ReportSpecs& settings_;
  ReportSetup setup_;
  std::array<QLineEdit*, kTextCount> edits_{};
  QCheckBox* logoCheck_ = nullptr;
  QCheckBox* pageBottomCheck_ = nullptr;
  QCheckBox* tocCheck_ = nullptr;
  QCheckBox* glossaryCheck_ = nullptr;
  QPushButton* logoBrowse_ = nullptr;
  QPushButton* pageBottomBrowse_ = nullptr;
  QRadioButton* fullGlossary_ = nullptr;
  QRadioButton* miniGlossary_ = nullptr;
};

}  // namespace brisca
