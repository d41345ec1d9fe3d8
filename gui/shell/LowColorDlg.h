#pragma once
// The low-colour notice: notice 106 with a box that asks not to show it again.

#include <QDialog>

class QCheckBox;

namespace brisca {

class CLowColorDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CLowColorDlg(QWidget* parent = nullptr);

  bool DontShowAgain() const;
  QCheckBox* DontShowAgainBox() const { return dontShowAgain_; }

 private:
  QCheckBox* dontShowAgain_;
};

}  // namespace brisca
