#pragma once
// "Compression Ratio Calculator": chamber, gasket and piston measurements, by
// published piston and deck specs (method 2) or by a burette measurement
// (method 1), to the total combustion volume and the new compression ratio.
// The arithmetic is the core's (CompressionRatioCalculator); the dialog edits
// copies of the document's values and writes them back only on "Apply".

#include <QDialog>

#include <array>

#include "core/valvetrain/calculators/CompressionRatioCalculator.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace brisca {

class CCompRatioPicture;
class CEditFloatPt;
class CVexoDoc;
class ValueEditGuard;

class CCompRatioDlg : public QDialog {
  Q_OBJECT

 public:
  //! The inputs of one method's page, in marker order.
  enum Input { kChamber, kGasketBore, kGasketThickness, kDome, kReliefs, kDeckClearance,
               kDownBore, kMeasured, kInputCount };

  //! The document's short block must be valid (the command checks it).
  explicit CCompRatioDlg(CVexoDoc& document, QWidget* parent = nullptr);

  int Method() const { return inputs_.method; }
  const CompRatioResults& Results() const { return results_; }

  // Controls, for the desktop tests and the screenshot tour.
  QRadioButton* MethodButton(int method) const { return methods_[method - 1]; }
  //! The edit of `input` on `method`'s page; null where that page has none.
  CEditFloatPt* InputEdit(int method, Input input) const { return edits_[method - 1][input]; }
  QLineEdit* DeckVolumeBox(int method) const { return deckBox_[method - 1]; }
  QLineEdit* GasketVolumeBox(int method) const { return gasketBox_[method - 1]; }
  QLineEdit* TotalBox() const { return total_; }
  QLineEdit* RatioBox() const { return ratio_; }
  QPushButton* ApplyButton() const { return apply_; }
  QLabel* HelpLine() const { return help_; }
  CCompRatioPicture* Picture(int method) const { return pictures_[method - 1]; }

  void OnMethod(int method);
  //! Apply: after its checks, writes into the document when anything was changed.
  void OnApply();
  //! Whether a typed value or the choice of method differs from the opening.
  bool Changed() const;

 private:
  QWidget* BuildPage(int method);
  CFloatPtSpec& Spec(Input input);
  void FillInputs();
  void Recompute();
  //! Stores the calculator's values in the document (Apply's checks passed).
  void WriteDocument();

  CVexoDoc& document_;
  CompRatioInputs inputs_;
  int openedMethod_ = 0;
  CompRatioResults results_;
  QRadioButton* methods_[2] = {};
  QStackedWidget* pages_ = nullptr;
  std::array<std::array<CEditFloatPt*, kInputCount>, 2> edits_{};
  QLineEdit* deckBox_[2] = {};
  QLineEdit* gasketBox_[2] = {};
  CCompRatioPicture* pictures_[2] = {};
  QLineEdit* swept_ = nullptr;
  QLineEdit* total_ = nullptr;
  QLineEdit* ratio_ = nullptr;
  QLabel* help_ = nullptr;
  QPushButton* apply_ = nullptr;
  ValueEditGuard* guard_ = nullptr;
};

}  // namespace brisca
