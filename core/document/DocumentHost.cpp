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

std::filesystem::path DocumentHost::MapFolder() const { return DefaultMapFolder(); }

std::filesystem::path DocumentHost::StartupFolder() const { return DefaultStartupFolder(); }

}  // namespace brisca
