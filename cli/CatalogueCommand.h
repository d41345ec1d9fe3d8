#pragma once
// "brisca-cli catalogue": lists the component catalogue so the components can
// be browsed without a screen.

namespace CLI {
class App;
}

namespace brisca::cli {

//! Adds the "catalogue" subcommand ([--category NAME] [--format table|csv]) to `app`.
void AddCatalogueCommand(CLI::App& app);

}  // namespace brisca::cli
