#include "apps/orvdcm/CommandLine.h"

#include <algorithm>

namespace orv::cli {
namespace {

bool IsOperand(const std::string& word) {
  if (word.size() < 2 || word[0] != '-') return true;
  const char c = word[1];
  return (c >= '0' && c <= '9') || (c == '.' && word.size() > 2 && word[2] >= '0' && word[2] <= '9');
}

const OptionSpec* Find(const std::vector<OptionSpec>& specs, const std::string& name) {
  auto it = std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return name == s.name; });
  return it == specs.end() ? nullptr : &*it;
}

}  // namespace

std::optional<std::string> Arguments::Value(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second.back();
}

std::vector<std::string> Arguments::Values(const std::string& name) const {
  auto it = values_.find(name);
  return it == values_.end() ? std::vector<std::string>{} : it->second;
}

ParseResult ParseCommandLine(const std::vector<std::string>& words, const std::vector<OptionSpec>& specs,
                             Arguments* out, std::string* problem) {
  *out = Arguments();
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--") {
      out->operands.insert(out->operands.end(), words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
      break;
    }
    if (IsOperand(word)) {
      out->operands.push_back(word);
      continue;
    }
    if (word == "--help" || word == "-h") return ParseResult::Help;
    // The option's name, and a value attached to it ("--name=VALUE", "-nVALUE").
    const bool isLong = word.compare(0, 2, "--") == 0;
    const std::size_t cut = isLong ? word.find('=') : 2;
    const std::string name = word.substr(0, cut);
    std::optional<std::string> attached;
    if (cut < word.size()) attached = word.substr(isLong ? cut + 1 : cut);
    const OptionSpec* spec = Find(specs, name);
    if (spec == nullptr) {
      *problem = "unknown option " + (isLong ? name : word);
      return ParseResult::Refused;
    }
    if (!spec->takesValue) {
      if (attached) {
        *problem = name + " takes no value";
        return ParseResult::Refused;
      }
      out->Add(name, std::string());
      continue;
    }
    if (!attached) {
      if (i + 1 >= words.size()) {
        *problem = name + " needs a value";
        return ParseResult::Refused;
      }
      attached = words[++i];
    }
    out->Add(name, *attached);
  }
  return ParseResult::Ok;
}

std::string ChoiceProblem(const std::vector<std::string>& operands, std::initializer_list<std::string_view> choices,
                          const char* what) {
  if (operands.empty()) return std::string("no ") + what + " given";
  if (std::find(choices.begin(), choices.end(), operands[0]) != choices.end()) return std::string();
  return std::string("unknown ") + what + " '" + operands[0] + "'";
}

std::string CountProblem(const std::vector<std::string>& operands, std::size_t min, std::size_t max,
                         std::initializer_list<const char*> names) {
  if (operands.size() > max) return "unexpected '" + operands[max] + "'";
  if (operands.size() >= min) return std::string();
  const std::size_t missing = operands.size();
  return std::string("missing ") + (missing < names.size() ? names.begin()[missing] : "operands");
}

}  // namespace orv::cli
