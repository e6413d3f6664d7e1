#pragma once
// The command lines of the programs without a window: options, each a rule of its program, and
// operands (file names), in command-line order.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// A command line that cannot be understood; the message (UTF-8, one line without its end)
// names the offending option.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value of an option that takes a number of seconds above 0, such as 5 or 0.5.
inline double PositiveSeconds(std::string_view option, const std::string& value) {
  char* end = nullptr;
  const double seconds = std::strtod(value.c_str(), &end);
  if (value.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0) {
    throw UsageError("オプション " + std::string(option) +
                     " には 0 より大きい秒数を指定してください（" + value + "）");
  }
  return seconds;
}

// One option of a program. An option with a value takes it from the next argument, or, for a
// long option, after "=" in the same argument (--db FILE, --db=FILE).
template <class Options>
struct OptionRule {
  std::string_view name;
  bool takesValue;
  void (*apply)(Options& options, const std::string& value);
};

// Applies each option by its rule and hands every operand to onOperand: an argument that does
// not begin with '-', "-" itself, and every argument after "--". Throws UsageError for an
// option without a rule, a value missing or given to an option that takes none, and whatever
// a rule throws.
template <class Options, std::size_t N, class OnOperand>
void ParseCommandLine(const OptionRule<Options> (&rules)[N], Options& options,
                      const std::vector<std::string>& arguments, OnOperand onOperand) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
      onOperand(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
    const std::string name = argument.substr(0, equals);
    const auto rule = std::find_if(std::begin(rules), std::end(rules),
                                   [&](const OptionRule<Options>& r) { return r.name == name; });
    if (rule == std::end(rules)) throw UsageError("不明なオプション " + name + " です");
    if (!rule->takesValue) {
      if (equals != std::string::npos) throw UsageError("オプション " + name + " は値をとりません");
      rule->apply(options, {});
    } else if (equals != std::string::npos) {
      rule->apply(options, argument.substr(equals + 1));
    } else if (i + 1 < arguments.size()) {
      rule->apply(options, arguments[++i]);
    } else {
      throw UsageError("オプション " + name + " には値が必要です");
    }
  }
}

}  // namespace tarnwick
