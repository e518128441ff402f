// orvdcm catalogue: the colour and font catalogue as the library builds it, one entry a line,
// with the picture sets registered in the store.
#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "apps/orvdcm/CliCommand.h"
#include "apps/orvdcm/RegistryOption.h"
#include "colour/OrvColor.h"

namespace {

constexpr const char* kUsage =
    "catalogue [--registry-dir DIR]      print the colour and font catalogue: index, id, group, kind,\n"
    "                                         size key, colour key, default size, default colour (#RRGGBB), label";

constexpr size_t kColumns = 9;
using Row = std::array<std::string, kColumns>;

Row Cells(int index, const SColorEntry& e) {
  char color[8];
  std::snprintf(color, sizeof color, "#%02X%02X%02X", GetRValue(e.crDefault), GetGValue(e.crDefault),
                GetBValue(e.crDefault));
  bool font = e.strKind == L"FONT";
  return {std::to_string(index),
          std::to_string(e.nID),
          e.strGroup.ToUtf8(),
          e.strKind.ToUtf8(),
          e.strSizeKey.IsEmpty() ? "-" : e.strSizeKey.ToUtf8(),
          e.strColorKey.ToUtf8(),
          font ? std::to_string(e.nDefaultSize) : "-",
          color,
          e.strLabel.ToUtf8()};
}

int RunCatalogue(const orv::cli::Arguments& args, orv::cli::Io& io) {
  std::string problem;
  if (!orv::cli::ApplyRegistryOption(args, &problem)) return io.Usage(problem);
  if (!args.operands.empty()) return io.Usage("unexpected '" + args.operands[0] + "'");
  COrvColor catalogue(L"", L"");
  std::vector<Row> rows = {{"index", "id", "group", "kind", "size key", "colour key", "size", "colour", "label"}};
  for (int i = 0; i < catalogue.GetCount(); ++i) rows.push_back(Cells(i, catalogue.GetColorEntry(i)));

  // Columns padded to their widest cell; the label (Japanese, of varying display width) last.
  std::array<size_t, kColumns> width{};
  for (const Row& r : rows)
    for (size_t c = 0; c + 1 < kColumns; ++c) width[c] = std::max(width[c], r[c].size());
  for (const Row& r : rows) {
    std::string line;
    for (size_t c = 0; c + 1 < kColumns; ++c) line += r[c] + std::string(width[c] - r[c].size() + 2, ' ');
    io.out << line << r[kColumns - 1] << '\n';
  }
  return 0;
}

}  // namespace

ORV_CLI_COMMAND(catalogue, "catalogue", kUsage, {orv::cli::kRegistryDirOption}, RunCatalogue);
