#include "gui/engine/EngineMenus.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include "core/document/CommandIds.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/calculators/CalculatorCommands.h"

namespace brisca {
namespace {

struct EngineCommand {
  int id;
  const char* text;
  const char* statusTip;
  bool checkable;
  int key = 0;  //!< a shortcut of its own, beside the menu's letters
};

constexpr EngineCommand kSimulationItems[] = {
    {command::kRun, "&Run!", "Run the simulation of this engine", false, Qt::Key_F5},
    {command::kAutoRun, "&Auto Run", "Run the simulation after every change", true},
    {0, nullptr, nullptr, false},
    {command::kAutoValveSizes, "Auto Calculate Valve Sizes", "Size the valves from the bore", true},
    {command::kAutoValveLift, "Auto Calculate Valve Lift", "Compute the valve lifts from the valve diameter", true},
    {command::kAutoActivationRpm, "Auto Calculate Activation RPM",
     "Compute the speed at which the high-speed lobes take over", true},
    {0, nullptr, nullptr, false},
    {command::kClearComponents, "&Clear Components", "Clear every component of this engine", false},
};

constexpr EngineCommand kUnitItems[] = {
    {command::kDomesticUnits, "&Domestic/English",
     "Display values in Domestic units (English Units emphasis)", true},
    {command::kMetricUnits, "&Foreign/Metric Units",
     "Display values in Foreign units (Metric Units emphasis)", true},
};

constexpr EngineCommand kToolItems[] = {
    {command::kCompressionRatioMath, "Compression &Ratio Math...",
     "Open the Compression Ratio Math Calculator", false},
    {command::kAirflowMath, "&Airflow Math...", "Open the Airflow Math Calculator", false},
    {command::kCamMathLowSpeedLobe, "Cam Math (Low Speed Lobe)...", "Open the Cam Math Calculator", false},
    {command::kCamMathHighSpeedLobe, "Cam Math ( High Speed Lobe)...", "Open the Cam Math Calculator", false},
    {command::kCamManager, "Velmor\u2122...", "Open the Velmor cam manager", false},
};

constexpr EngineCommand kAirflowFileItems[] = {
    {command::kAirflowFileOpen, "&Open...", "Open a flow file as this engine's cylinder head data", false},
    {command::kAirflowFileSave, "&Save...", "Save this engine's cylinder head data as a flow file", false},
};

constexpr EngineCommand kCamFileItems[] = {
    {command::kCamFileOpen, "&Open...", "Open a cam file as this engine's camshaft", false},
    {command::kCamFileSave, "&Save...", "Save this engine's camshaft as a cam file", false},
};

template <std::size_t N>
QMenu* FillMenu(QMenu* menu, const EngineCommand (&items)[N],
                const std::function<CVexoDoc*()>& activeDocument) {
  for (const EngineCommand& item : items) {
    if (!item.text) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(item.text));
    action->setData(item.id);
    action->setCheckable(item.checkable);
    action->setStatusTip(QString::fromUtf8(item.statusTip));
    if (item.key) action->setShortcut(QKeySequence(item.key));
    const int id = item.id;
    QObject::connect(action, &QAction::triggered, menu, [activeDocument, id] {
      if (CVexoDoc* document = activeDocument()) RunEngineCommand(*document, id);
    });
  }
  QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, activeDocument] {
    const CVexoDoc* document = activeDocument();
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      const int id = action->data().toInt();
      action->setEnabled(document != nullptr &&
                         (id != command::kCamMathHighSpeedLobe ||
                          document->Engine().camshaft.variableValveTiming) &&
                         (!action->isCheckable() || id == command::kDomesticUnits ||
                          id == command::kMetricUnits || document->IsCommandEnabled(id)));
      if (!document || !action->isCheckable()) continue;
      if (id == command::kDomesticUnits || id == command::kMetricUnits) {
        action->setChecked(document->IsMetric() == (id == command::kMetricUnits));
      } else {
        action->setChecked(document->IsCommandChecked(id));
      }
    }
  });
  // The enabling above is for the dropped menu; a shortcut stays live while it is
  // closed, as the active window may change without the menu dropping again. It
  // acts on the active document, and without one does nothing.
  QObject::connect(menu, &QMenu::aboutToHide, menu, [menu] {
    for (QAction* action : menu->actions()) {
      if (!action->shortcut().isEmpty()) action->setEnabled(true);
    }
  });
  return menu;
}

template <std::size_t N>
QMenu* AddMenu(QMenuBar& bar, const QString& title, const EngineCommand (&items)[N],
               const std::function<CVexoDoc*()>& activeDocument) {
  return FillMenu(bar.addMenu(title), items, activeDocument);
}

void Redraw(CVexoDoc& document) {
  if (DocumentHost* host = document.Host()) host->UpdateAllViews(document);
}

}  // namespace

QMenu* AddEngineMenus(QMenuBar& bar, std::function<CVexoDoc*()> activeDocument) {
  QMenu* simulation = AddMenu(bar, QObject::tr("&Simulation"), kSimulationItems, activeDocument);
  simulation->setObjectName(QStringLiteral("simulationMenu"));
  AddMenu(bar, QObject::tr("&Units"), kUnitItems, activeDocument)
      ->setObjectName(QStringLiteral("unitsMenu"));
  QMenu* tools = AddMenu(bar, QObject::tr("&Tools"), kToolItems, activeDocument);
  tools->addSeparator();
  tools->setObjectName(QStringLiteral("toolsMenu"));
  FillMenu(tools->addMenu(QObject::tr("Airflow File")), kAirflowFileItems, activeDocument)
      ->setObjectName(QStringLiteral("airflowFileMenu"));
  FillMenu(tools->addMenu(QObject::tr("Cam File")), kCamFileItems, activeDocument)
      ->setObjectName(QStringLiteral("camFileMenu"));
  return simulation;
}

bool RunEngineCommand(CVexoDoc& document, int id) {
  switch (id) {
    case command::kRun:
      document.OnRun();
      return true;
    case command::kAutoRun: {
      // The setting is saved with the engine: switching it is a change to take back.
      const NamedChange name(document, "Auto Run");
      document.OnAutoRun();
      document.SetModified(true);
      Redraw(document);
      return true;
    }
    case command::kDomesticUnits:
    case command::kMetricUnits: {
      // So is the unit system, once it really switched.
      const NamedChange name(document, "Units");
      const bool metric = document.IsMetric();
      document.OnUnits(id == command::kMetricUnits);
      if (document.IsMetric() != metric) document.SetModified(true);
      return true;
    }
    case command::kCompressionRatioMath:
      RunCompressionRatioMath(document, QApplication::activeWindow());
      return true;
    case command::kAirflowMath:
      RunAirflowMath(document, QApplication::activeWindow());
      return true;
    case command::kCamMathLowSpeedLobe:
    case command::kCamMathHighSpeedLobe:
      RunCamMath(document, id == command::kCamMathHighSpeedLobe ? 1 : 0, QApplication::activeWindow());
      return true;
    case command::kCamManager:
      document.OnCamManager();
      return true;
    case command::kAirflowFileOpen:
      document.OnAirflowFileOpen();
      return true;
    case command::kAirflowFileSave:
      document.OnAirflowFileSave();
      return true;
    case command::kCamFileOpen:
      document.OnCamFileOpen();
      return true;
    case command::kCamFileSave:
      document.OnCamFileSave();
      return true;
    case command::kClearComponents:
      document.OnClearComponents();
      return true;
    case command::kAutoValveSizes:
    case command::kAutoValveLift:
    case command::kAutoActivationRpm:
      // A toggle changes automatic values: the engine is recalculated as after an edit.
      if (!document.OnComponentCommand(id)) return true;
      document.SetModified(true);
      document.UpdateDerivedValues();
      Redraw(document);
      return true;
    default:
      return false;
  }
}

}  // namespace brisca
