#include "gui/shell/AboutDlg.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "core/base/Version.h"
#include "gui/shell/LogoItem.h"

namespace brisca {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About Brisca"));

  auto* logo = new QLabel(this);
  logo->setPixmap(LogoPixmap(96));
  logo->setAlignment(Qt::AlignTop);

  auto* name = new QLabel(QStringLiteral("<b style='font-size:18pt'>Brisca</b>"), this);
  auto* what = new QLabel(tr("Engine dynamometer simulator for four-stroke piston engines"), this);
  auto* version = new QLabel(VersionText(), this);
  version->setObjectName(QStringLiteral("version"));
  auto* built = new QLabel(BuildDateText(), this);
  built->setObjectName(QStringLiteral("buildDate"));
  auto* files = new QLabel(
      tr("Engine, flow and cam files of version %1").arg(QString::fromLatin1(kFileVersionText)), this);

  auto* texts = new QVBoxLayout;
  for (QLabel* label : {name, what, version, built, files}) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    texts->addWidget(label);
  }
  texts->addStretch(1);

  auto* row = new QHBoxLayout;
  row->addWidget(logo);
  row->addSpacing(12);
  row->addLayout(texts, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::VersionText() {
  return tr("Version %1").arg(QString::fromLatin1(ProgramVersion()));
}

QString CAboutDlg::BuildDateText() {
  // __DATE__ is "Mmm dd yyyy" with a space-padded day.
  const QDate date =
      QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
  return tr("Built %1").arg(date.isValid() ? date.toString(Qt::ISODate)
                                           : QString::fromLatin1(__DATE__));
}

}  // namespace brisca
