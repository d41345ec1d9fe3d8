#pragma once
// The About box: program name, version and build date.

#include <QDialog>

namespace brisca {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  //! "Version 4.21.0705" and "Built <date>", as the box shows them.
  static QString VersionText();
  static QString BuildDateText();
};

}  // namespace brisca
