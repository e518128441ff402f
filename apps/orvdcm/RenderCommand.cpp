// orvdcm render IMAGE.fits [--window PLANE:MIN:MAX ...] [--bits 8|16|24|32]
//                          [--area L,T,R,B] -o OUT.png
// Loads the image, renders it into a display bitmap of its size through the library's
// rendering, and writes that bitmap as an 8-bit PNG, grey for a single-plane image and RGB
// for a colour one (pixels outside the area stay black). Rows appear the way up the image
// says: a FITS image's first row at the bottom. --area counts rows as the file stores them.
// The output replaces an existing file only once it is complete, and may not be the input.
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>

#include "apps/orvdcm/CliCommand.h"
#include "platform/base/AtomicFile.h"
#include "image/BitmapRgb.h"
#include "image/DisplayRender.h"
#include "platform/base/AtomicFile.h"
#include "sibling/orvcim/FitsReader.h"

namespace {

struct Options {
  std::string input;
  std::string output;
  int bits = 32;
  bool hasArea = false;
  CRect area;
  struct Window {
    int plane;
    double min, max;
  };
  std::vector<Window> windows;
};

// Numbers separated by sep, all of them finite, nothing else; false with *problem naming
// the piece at fault.
bool ParseNumbers(const std::string& text, char sep, std::vector<double>* out, std::string* problem) {
  out->clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(text.find(sep, start), text.size());
    const std::string piece = text.substr(start, end - start);
    char* stop = nullptr;
    errno = 0;
    const double v = std::strtod(piece.c_str(), &stop);
    if (piece.empty() || *stop != '\0' || std::isspace(static_cast<unsigned char>(piece[0]))) {
      *problem = "'" + piece + "' is not a number";
      return false;
    }
    if (errno == ERANGE || !std::isfinite(v)) {
      *problem = piece + " is out of range";
      return false;
    }
    out->push_back(v);
    if (end == text.size()) return true;
    start = end + 1;
  }
}

bool IsInt(double v) { return v >= -2147483648.0 && v <= 2147483647.0 && v == static_cast<int>(v); }

// The output's name must end in ".png", in any letter case: that is the one format written.
bool NamesPng(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
  std::string ext = path.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".png";
}

// The options and operands as render takes them; false with *problem naming what is wrong.
bool ReadOptions(const orv::cli::Arguments& args, Options* o, std::string* problem) {
  std::vector<double> n;
  if (args.operands.empty()) return *problem = "no image given", false;
  if (args.operands.size() > 1) return *problem = "more than one image given ('" + args.operands[1] + "')", false;
  o->input = args.operands[0];
  o->output = args.Value("-o").value_or("");
  if (o->output.empty()) return *problem = "no output given (-o OUT.png)", false;
  if (!NamesPng(o->output)) return *problem = o->output + ": only PNG files are written; name the output .png", false;
  if (std::optional<std::string> bits = args.Value("--bits")) {
    if (*bits != "8" && *bits != "16" && *bits != "24" && *bits != "32")
      return *problem = "--bits " + *bits + ": takes 8, 16, 24 or 32", false;
    o->bits = std::stoi(*bits);
  }
  for (const std::string& w : args.Values("--window")) {
    if (!ParseNumbers(w, ':', &n, problem)) return *problem = "--window " + w + ": " + *problem, false;
    if (n.size() != 3) return *problem = "--window " + w + ": takes PLANE:MIN:MAX", false;
    if (!IsInt(n[0]) || n[0] < 0 || n[0] > 2)
      return *problem = "--window " + w + ": plane " + w.substr(0, w.find(':')) + " is not 0, 1 or 2", false;
    o->windows.push_back({static_cast<int>(n[0]), n[1], n[2]});
  }
  if (std::optional<std::string> a = args.Value("--area")) {
    if (!ParseNumbers(*a, ',', &n, problem)) return *problem = "--area " + *a + ": " + *problem, false;
    if (n.size() != 4) return *problem = "--area " + *a + ": takes L,T,R,B", false;
    for (double v : n) {
      char text[32];
      std::snprintf(text, sizeof text, "%.17g", v);
      if (!IsInt(v)) return *problem = "--area " + *a + ": " + text + " is not a whole pixel", false;
    }
    o->hasArea = true;
    o->area = CRect(int(n[0]), int(n[1]), int(n[2]), int(n[3]));
  }
  return true;
}

// libpng writes into memory; the file is then replaced in one step, so a failed render or
// write never leaves a damaged or missing picture where the old one was.
void AppendPng(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}
void FlushPng(png_structp) {}

// PNG rows of the bitmap: grey (one byte a pixel) or RGB, first row the picture's top; a
// bottom-up image's first row is its bottom. Nothing with a destructor lives here, since
// libpng reports errors by jumping back to setjmp.
bool EncodePng(CMemoryDIB& dib, bool grey, bool bottomUp, std::string* out, std::vector<BYTE>* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, &AppendPng, &FlushPng);
  const int width = dib.GetWidth(), height = dib.GetHeight();
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  // Speed over size: one cheap filter instead of trying all five on every row, and zlib's
  // fastest level with run-length matching only (most of the time went there).
  png_set_compression_level(png, 1);
  png_set_compression_strategy(png, Z_RLE);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    orv::BitmapRowRgb(dib, bottomUp ? height - 1 - y : y, row->data());
    if (grey)  // red, green and blue are alike in a grey rendering
      for (int x = 0; x < width; ++x) (*row)[static_cast<std::size_t>(x)] = (*row)[static_cast<std::size_t>(x) * 3];
    png_write_row(png, row->data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// Writes the bitmap as a PNG file; an error text on failure.
std::string WritePng(const std::string& path, CMemoryDIB& dib, bool grey, bool bottomUp) {
  std::string bytes;
  std::vector<BYTE> row(static_cast<std::size_t>(dib.GetWidth()) * 3);
  if (!EncodePng(dib, grey, bottomUp, &bytes, &row)) return "cannot encode " + path;
  if (!orv::ReplaceFileAtomically(path, bytes)) return "cannot write " + path + ": " + std::strerror(errno);
  return {};
}

// Whether out names the file in (the same file under another name included).
bool SameFile(const std::string& in, const std::string& out) {
  std::error_code ec;
  return std::filesystem::equivalent(in, out, ec) && !ec;
}

int RunRender(const orv::cli::Arguments& args, orv::cli::Io& io) {
  Options o;
  std::string problem;
  if (!ReadOptions(args, &o, &problem)) return io.Usage(problem);
  if (SameFile(o.input, o.output)) return io.Usage("the output " + o.output + " is the input image");
  CString error;
  auto image = CFitsReader::Read(CString(orv::WidePath(o.input)), &error);
  if (image == nullptr) return io.Fail(error.ToUtf8());
  for (const Options::Window& w : o.windows) {
    if (w.plane >= image->GetPlanes()) return io.Usage("--window: " + o.input + " has no plane " + std::to_string(w.plane));
    image->SetLevel(w.plane, w.min, w.max);
  }
  CMemoryDIB dib;
  if (!dib.Create(image->GetWidth(), image->GetHeight(), o.bits)) return io.Fail("not enough memory for the bitmap");
  const bool colour = image->IsColor() && image->GetPlanes() >= 3;
  dib.SetPaletteKind(colour);
  orv::RenderSample(*image, &dib, o.hasArea ? &o.area : nullptr);
  problem = WritePng(o.output, dib, !colour, image->IsBottomUp() != FALSE);
  if (!problem.empty()) return io.Fail(problem);
  return 0;
}

}  // namespace

ORV_CLI_COMMAND(render, "render",
                "render IMAGE.fits [--window PLANE:MIN:MAX ...] [--bits 8|16|24|32] [--area L,T,R,B] -o OUT.png\n"
                "                                         render through the level windows into an 8-bit PNG, grey or RGB",
                (std::vector<orv::cli::OptionSpec>{{"-o", true}, {"--bits", true}, {"--window", true}, {"--area", true}}),
                RunRender);
