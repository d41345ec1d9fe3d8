#include "cli/Completion.h"

#include <vector>

namespace brisca::cli {
namespace {

// The spellings of an option that takes part in completion: "-o", "--output" ...
std::vector<std::string> Spellings(const CLI::Option& option) {
  std::vector<std::string> names;
  for (const std::string& s : option.get_snames()) names.push_back("-" + s);
  for (const std::string& l : option.get_lnames()) names.push_back("--" + l);
  return names;
}

std::vector<const CLI::Option*> NamedOptions(const CLI::App& app) {
  std::vector<const CLI::Option*> options;
  for (const CLI::Option* option : app.get_options()) {
    if (option->get_group().empty() || option->nonpositional() == false) continue;
    options.push_back(option);
  }
  return options;
}

std::string Words(const CLI::App& app) {
  std::string words;
  for (const CLI::Option* option : NamedOptions(app))
    for (const std::string& name : Spellings(*option)) words += (words.empty() ? "" : " ") + name;
  return words;
}

// zsh: the text in brackets must not hold an unescaped bracket or colon.
std::string ZshText(std::string text) {
  std::string out;
  for (const char c : text) {
    if (c == '\'') {
      out += "'\\''";  // ends the quoted word, an escaped quote, a new quoted word
      continue;
    }
    if (c == '[' || c == ']' || c == ':' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string BashCompletion(const CLI::App& app) {
  const std::string name = app.get_name();
  std::string commands;
  std::string cases;
  for (const CLI::App* command : app.get_subcommands({})) {
    commands += (commands.empty() ? "" : " ") + command->get_name();
    cases += "    " + command->get_name() + ") words=\"" + Words(*command) + "\" ;;\n";
  }
  std::string out = "# bash completion for " + name + " (written by " + name + " --completion bash)\n";
  out += "_brisca_cli() {\n";
  out += "  local cur=${COMP_WORDS[COMP_CWORD]} command= words i\n";
  out += "  for ((i = 1; i < COMP_CWORD; i++)); do\n";
  out += "    case ${COMP_WORDS[i]} in -*) ;; *) command=${COMP_WORDS[i]}; break ;; esac\n";
  out += "  done\n";
  out += "  case $command in\n";
  out += "    \"\") words=\"" + commands + " " + Words(app) + "\" ;;\n";
  out += cases;
  out += "  esac\n";
  out += "  if [[ $cur == -* || -z $command ]]; then\n";
  out += "    COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n";
  out += "  else\n";
  out += "    COMPREPLY=($(compgen -f -- \"$cur\"))\n";
  out += "  fi\n";
  out += "}\n";
  out += "complete -o filenames -o bashdefault -F _brisca_cli " + name + "\n";
  return out;
}

std::string ZshCompletion(const CLI::App& app) {
  const std::string name = app.get_name();
  std::string out = "#compdef " + name + "\n# zsh completion for " + name + " (written by " +
                    name + " --completion zsh)\n\n";
  out += "_brisca_cli() {\n  local line state\n";
  out += "  _arguments -C \\\n";
  for (const CLI::Option* option : NamedOptions(app)) {
    const std::vector<std::string> names = Spellings(*option);
    const std::string text = ZshText(option->get_description());
    if (names.size() == 1) {
      out += "    '" + names[0] + "[" + text + "]' \\\n";
    } else {
      std::string group;
      for (const std::string& n : names) group += (group.empty() ? "" : ",") + n;
      out += "    '(" + std::string() + ")'{" + group + "}'[" + text + "]' \\\n";
    }
  }
  out += "    '1:command:->command' \\\n    '*::argument:->argument'\n";
  out += "  case $state in\n    command)\n      local -a commands=(\n";
  for (const CLI::App* command : app.get_subcommands({}))
    out += "        '" + command->get_name() + ":" + ZshText(command->get_description()) + "'\n";
  out += "      )\n      _describe command commands ;;\n";
  out += "    argument)\n      case $line[1] in\n";
  for (const CLI::App* command : app.get_subcommands({})) {
    out += "        " + command->get_name() + ")\n          _arguments \\\n";
    for (const CLI::Option* option : NamedOptions(*command)) {
      const std::string text = ZshText(option->get_description());
      const std::string value = option->get_expected_min() > 0 ? ":value:_files" : "";
      for (const std::string& n : Spellings(*option))
        out += "            '" + n + "[" + text + "]" + value + "' \\\n";
    }
    out += "            '*:file:_files' ;;\n";
  }
  out += "      esac ;;\n  esac\n}\n\n_brisca_cli \"$@\"\n";
  return out;
}

}  // namespace brisca::cli
