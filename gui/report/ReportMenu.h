#pragma once
// The File menu's report items: "Kalvex...", "Kalvex Preview...", "Kalvex
// Setup..." and "Contest...", with their status-bar prompts. They act on the
// active engine document and are enabled only while there is one.

#include <functional>

class QMenu;

namespace brisca {

class CVexoDoc;
class ViewRegistry;
struct ProgramPaths;

struct ReportMenuContext {
  std::function<CVexoDoc*()> activeDocument;             //!< null: nothing to act on
  std::function<const ViewRegistry&(CVexoDoc&)> views;   //!< the document's views
  const ProgramPaths* paths = nullptr;                    //!< never null
};

//! Appends the report items to `menu`.
void AddReportActions(QMenu& menu, ReportMenuContext context);

}  // namespace brisca
