#pragma once
// "Enter a Custom Cam Description": one line naming a custom cam. OK takes
// the trimmed text and refuses an empty one (error 28).

#include <QDialog>
#include <QString>

class QLineEdit;

namespace brisca {

class CCamTypeDlg : public QDialog {
  Q_OBJECT

 public:
  CCamTypeDlg(const QString& name, QWidget* parent = nullptr);

  //! The trimmed name OK accepted.
  const QString& Name() const { return name_; }
  QLineEdit* NameEdit() const { return edit_; }
  void OnOk();

 private:
  QLineEdit* edit_ = nullptr;
  QString name_;
};

}  // namespace brisca
