#include "core/document/DocumentHost.h"

#include "core/document/ProgramPaths.h"

namespace brisca {

const std::filesystem::path& DefaultMapFolder() {
  static const std::filesystem::path folder = ProgramPaths::Discover().MapFolder();
  return folder;
}

const std::filesystem::path& DefaultStartupFolder() {
  static const std::filesystem::path folder = ProgramPaths::Discover().startupFolder;
  return folder;
}

void DocumentHost::ModifiedChanged(CVexoDoc&) {}

void DocumentHost::ChangeMade(CVexoDoc&) {}

void DocumentHost::MarkedUnmodified(CVexoDoc&) {}

bool DocumentHost::SaveModified(CVexoDoc&) { return true; }

bool DocumentHost::RunCamManager(CVexoDoc&) { return false; }

std::optional<std::string> DocumentHost::PromptCamName(const std::string& initial) {
  return PromptText("Enter a Custom Cam Description", "Cam Description", initial);
}

std::filesystem::path DocumentHost::MapFolder() const { return DefaultMapFolder(); }

std::filesystem::path DocumentHost::StartupFolder() const { return DefaultStartupFolder(); }

}  // namespace brisca
