#pragma once
// "2D Chart Properties": edits one chart view's documents, axes and data zones
// on a working copy. OK and "Apply" check every page and hand the copy to the
// view (which writes it back and redraws); Cancel drops it. "Reset All" puts
// the copy back to the chart's defaults.

#include <QDialog>

#include <vector>

#include "gui/results/ChartSheetData.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace brisca {

class CChart2dView;
class CChartAxisPage;
class CChartGraphDataPage;
class CChartZonesPage;
class ValueEditGuard;

class CChartPropertiesSheet : public QDialog {
  Q_OBJECT

 public:
  enum Page { kGraphDataPage = 0, kAxisPage = 1, kZonesPage = 2 };

  //! A sheet on `view`'s current state; `others` are the other open engine
  //! documents the comparison slots may take.
  CChartPropertiesSheet(CChart2dView& view, std::vector<CVexoDoc*> others, QWidget* parent = nullptr);
  ~CChartPropertiesSheet() override;

  //! Opens on the axis page with `axis` (X, Y1, Y2) under Custom-Range and the
  //! focus in its minimum.
  void StartOnCustomRange(int axis);

  //! Checks the edit being left and every page; on success hands the working
  //! copy to the view. False (nothing written, the sheet stays) on a failure.
  bool Apply();

  const ChartSheetData& Data() const { return data_; }
  QTabWidget* Tabs() const { return tabs_; }
  CChartGraphDataPage* GraphDataPage() const { return graphData_; }
  CChartAxisPage* AxisPage() const { return axes_; }
  CChartZonesPage* ZonesPage() const { return zones_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* ApplyButton() const { return apply_; }
  QPushButton* ResetAllButton() const { return resetAll_; }
  QLabel* HelpLine() const { return help_; }

  void accept() override;

 private:
  bool ApplyFrom(QPushButton* button);
  void RefreshPages();
  void ResetAll();

  CChart2dView& view_;
  ChartSheetData data_;
  QLabel* help_;
  ValueEditGuard* guard_;
  QTabWidget* tabs_;
  CChartGraphDataPage* graphData_;
  CChartAxisPage* axes_;
  CChartZonesPage* zones_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* apply_;
  QPushButton* resetAll_;
};

}  // namespace brisca
