#pragma once
// "  Search for Cam File  ": criteria (name words, a phrase, a folder, up to
// four event ranges, the high-speed lobes), the search on a worker thread
// with its counters and results; double-clicking a result opens it.

#include <QWidget>

#include <array>
#include <functional>

#include "core/valvetrain/CamSearch.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace brisca {

class CCamDlg;
class CEditFloatPt;
class CamSearchWorker;

class CCamSearchPropPage : public QWidget {
  Q_OBJECT

 public:
  explicit CCamSearchPropPage(CCamDlg& dialog);
  ~CCamSearchPropPage() override;

  //! Criteria and results back to their start (the folder to the default).
  void Reset();
  //! "Search/Stop".
  void OnSearchStop();
  //! Ends a running search and waits for it.
  void EndSearch();
  bool IsSearching() const;
  //! A spec row's event chosen (0 "(None)").
  void OnChoice(int row, int choice);
  //! Opens the result in `row` of the list.
  void OpenResult(int row);

  //! Replaces the folder chooser (tests); empty brings the dialog back.
  void SetFolderChooser(std::function<QString(const QString& start)> chooser) { chooser_ = std::move(chooser); }
  void OnBrowse();

  QLineEdit* NameEdit() const { return name_; }
  QLineEdit* PhraseEdit() const { return phrase_; }
  QLineEdit* FolderEdit() const { return folder_; }
  QCheckBox* SpecsCheck() const { return useSpecs_; }
  QComboBox* ChoiceList(int row) const { return rows_[row].choice; }
  CEditFloatPt* FromEdit(int row) const { return rows_[row].from; }
  CEditFloatPt* ToEdit(int row) const { return rows_[row].to; }
  QCheckBox* HighSpeedCheck() const { return highSpeed_; }
  QPushButton* SearchButton() const { return search_; }
  QPushButton* BrowseButton() const { return browse_; }
  QTreeWidget* Results() const { return results_; }
  QLabel* SearchedCount() const { return searched_; }
  QLabel* MatchedCount() const { return matched_; }

 private:
  struct RowControls {
    QComboBox* choice = nullptr;
    CEditFloatPt* from = nullptr;
    CEditFloatPt* to = nullptr;
  };
  void Finished(const CamSearchProgress& progress);
  void ShowCounts(const CamSearchProgress& progress);
  void RefreshRows();
  void SetCriteriaEnabled(bool on);
  QString DefaultFolder() const;

  CCamDlg& dialog_;
  CamSearchCriteria criteria_;
  QLineEdit* name_ = nullptr;
  QLineEdit* phrase_ = nullptr;
  QLineEdit* folder_ = nullptr;
  QPushButton* browse_ = nullptr;
  QCheckBox* useSpecs_ = nullptr;
  std::array<RowControls, kCamSpecRowCount> rows_{};
  QCheckBox* highSpeed_ = nullptr;
  QPushButton* search_ = nullptr;
  QTreeWidget* results_ = nullptr;
  QLabel* searched_ = nullptr;
  QLabel* matched_ = nullptr;
  CamSearchWorker* worker_ = nullptr;
  std::function<QString(const QString&)> chooser_;
};

}  // namespace brisca
