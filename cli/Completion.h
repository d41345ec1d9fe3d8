#pragma once
// Shell completion of brisca-cli, written from the program's own option table
// (`brisca-cli --completion bash|zsh`), so it never lags behind an option.

#include <string>

#include <CLI/CLI.hpp>

namespace brisca::cli {

//! A bash completion script for `app` and its subcommands.
std::string BashCompletion(const CLI::App& app);
//! A zsh completion function (#compdef) for `app` and its subcommands.
std::string ZshCompletion(const CLI::App& app);

}  // namespace brisca::cli
