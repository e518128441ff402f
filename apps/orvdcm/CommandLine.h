#pragma once
// The words of one command, split the way every orvdcm command splits them:
// - "--name VALUE" or "--name=VALUE" for a long option that takes a value, "-n VALUE" or
//   "-nVALUE" for a short one; "--name" alone for a flag, which takes no value;
// - "--" ends the options: every word after it is an operand, even one beginning with "-";
// - "--help" (or "-h") asks for the usage;
// - any other word beginning with "-" is an unknown option and refused, except "-" itself
//   and negative numbers ("-5", "-0.5"), which are operands.
// Options may stand anywhere among the operands.
#include <map>
#include <optional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orv::cli {

struct OptionSpec {
  const char* name;  // with its dashes: "--data-dir", "-o"
  bool takesValue;
};

class Arguments {
public:
  std::vector<std::string> operands;

  bool Has(const std::string& name) const { return values_.count(name) != 0; }
  // The value given last, or nothing when the option was not given.
  std::optional<std::string> Value(const std::string& name) const;
  // Every value given, in order.
  std::vector<std::string> Values(const std::string& name) const;
  void Add(const std::string& name, std::string value) { values_[name].push_back(std::move(value)); }

private:
  std::map<std::string, std::vector<std::string>> values_;
};

enum class ParseResult { Ok, Help, Refused };

// Splits words by specs into *out; Refused with the reason in *problem.
ParseResult ParseCommandLine(const std::vector<std::string>& words, const std::vector<OptionSpec>& specs,
                             Arguments* out, std::string* problem);

// What is wrong with operands that should begin with one of `choices` (a `what`: "verb");
// "" when nothing is.
std::string ChoiceProblem(const std::vector<std::string>& operands, std::initializer_list<std::string_view> choices,
                          const char* what = "verb");
// What is wrong with a count of operands outside min ... max ("missing FILE", "unexpected
// 'x'"); `names` names them in order, for the first missing one. "" when nothing is.
std::string CountProblem(const std::vector<std::string>& operands, std::size_t min, std::size_t max,
                         std::initializer_list<const char*> names);

}  // namespace orv::cli
