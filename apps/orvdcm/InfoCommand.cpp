// orvdcm info IMAGE.fits: size, planes, pixel type, scaling, which way the rows run and the
// level window of each plane as the image loads.
#include <cstdio>
#include <ostream>

#include "apps/orvdcm/CliCommand.h"
#include "platform/base/AtomicFile.h"
#include "sibling/orvcim/FitsReader.h"

namespace {

int RunInfo(const std::vector<std::string>& args, orv::cli::Io& io) {
  if (args.size() != 1) {
    io.err << "usage: orvdcm info IMAGE.fits\n";
    return 2;
  }
  CString path(orv::WidePath(args[0]));
  CString error;
  FitsInfo info;
  if (!CFitsReader::ReadInfo(path, &info, &error)) {
    io.err << "orvdcm info: " << error.ToUtf8() << '\n';
    return 1;
  }
  auto image = CFitsReader::Read(path, &error);
  if (image == nullptr) {
    io.err << "orvdcm info: " << error.ToUtf8() << '\n';
    return 1;
  }
  char line[256];
  std::snprintf(line, sizeof line, "size: %d x %d\nplanes: %d\nBITPIX: %d\nBSCALE: %.17g\nBZERO: %.17g\n",
                info.width, info.height, info.planes, info.bitsPixel, info.bscale, info.bzero);
  io.out << line;
  io.out << (image->IsBottomUp() ? "rows: bottom-up (the first row is the bottom of the picture)\n"
                                 : "rows: top-down (the first row is the top of the picture)\n");
  for (int p = 0; p < image->GetPlanes(); ++p) {
    std::snprintf(line, sizeof line, "window %d: %.9g ... %.9g\n", p, image->GetLevelMin(p), image->GetLevelMax(p));
    io.out << line;
  }
  return 0;
}

}  // namespace

ORV_CLI_COMMAND(info, "info", "info IMAGE.fits  (size, planes, BITPIX, BSCALE, BZERO, row order, level windows)", RunInfo);
