#include "gui/calculators/CalculatorLayout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace brisca {

QLabel* MakeHelpLine(QWidget* parent) {
  auto* help = new QLabel(parent);
  help->setFrameShape(QFrame::StyledPanel);
  help->setMinimumHeight(help->fontMetrics().height() + 6);
  return help;
}

QHBoxLayout* MakeHelpRow(QWidget* parent, QLabel* help) {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QObject::tr("Help Text:"), parent));
  row->addWidget(help, 1);
  return row;
}

CalculatorButtons MakeApplyCancelRow(QDialog* dialog) {
  CalculatorButtons buttons;
  buttons.apply = new QPushButton(QObject::tr("Apply"), dialog);
  buttons.cancel = new QPushButton(QObject::tr("Cancel"), dialog);
  buttons.apply->setDefault(true);
  buttons.cancel->setAutoDefault(false);
  QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  buttons.row = new QHBoxLayout;
  buttons.row->addStretch(1);
  buttons.row->addWidget(buttons.apply);
  buttons.row->addWidget(buttons.cancel);
  return buttons;
}

}  // namespace brisca
