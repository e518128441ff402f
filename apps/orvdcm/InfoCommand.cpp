// orvdcm info IMAGE.fits: size, planes, pixel type, scaling, which way the rows run and the
// level window of each plane as the image loads.
#include <cstdio>
#include <ostream>

#include "apps/orvdcm/CliCommand.h"
#include "platform/base/AtomicFile.h"
#include "sibling/orvcim/FitsReader.h"

namespace {

int RunInfo(const orv::cli::Arguments& args, orv::cli::Io& io) {
  if (std::string problem = orv::cli::CountProblem(args.operands, 1, 1, {"IMAGE.fits"}); !problem.empty())
    return io.Usage(problem);
  CString path(orv::WidePath(args.operands[0]));
  CString error;
  FitsInfo info;
  if (!CFitsReader::ReadInfo(path, &info, &error)) return io.Fail(error.ToUtf8());
  auto image = CFitsReader::Read(path, &error);
  if (image == nullptr) return io.Fail(error.ToUtf8());
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

ORV_CLI_COMMAND(info, "info", "info IMAGE.fits                      print size, planes, BITPIX, BSCALE, BZERO, row order and level windows", {},
                RunInfo);
