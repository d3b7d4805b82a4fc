#include "windows/start_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace horavia {
namespace {

struct OptionName {
  std::string_view name;
  std::string_view meaning;
};

constexpr std::array<OptionName, 3> kOptions{{
    {"start", "switch ON with the PC's time as soon as the simulator is connected"},
    {"startloc", "switch ON with the simulator's local time as soon as it is connected"},
    {"minimized", "start with the window minimised"},
}};

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (!word.empty()) words.push_back(std::exchange(word, {}));
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

std::string Lowered(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

StartOptions ParseStartOptions(std::string_view commandLine) {
  StartOptions options;
  for (const std::string& word : Words(commandLine)) {
    const bool marked = word.size() > 1 && (word[0] == '/' || word[0] == '-');
    const std::string name = marked ? Lowered(word.substr(1)) : std::string{};
    if (name == kOptions[0].name) {
      options.switchOn = StartMode::SystemTime;
    } else if (name == kOptions[1].name) {
      options.switchOn = StartMode::SimulatorTime;
    } else if (name == kOptions[2].name) {
      options.minimized = true;
    } else {
      options.unknown.push_back(word);
    }
  }
  return options;
}

std::string UnknownOptionsText(const std::vector<std::string>& unknown) {
  std::string text = unknown.size() == 1 ? "Unknown option: " : "Unknown options: ";
  for (size_t i = 0; i < unknown.size(); ++i) text += (i == 0 ? "" : " ") + unknown[i];
  text += "\n\nHoravia knows these options:";
  for (const OptionName& option : kOptions) {
    text += "\n/" + std::string(option.name) + "\t" + std::string(option.meaning);
  }
  return text + "\n\nHoravia starts without them.";
}

}  // namespace horavia
