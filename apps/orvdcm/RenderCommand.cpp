// orvdcm render IMAGE.fits [--window PLANE:MIN:MAX ...] [--bits 8|16|24|32]
//                          [--area L,T,R,B] -o OUT.png
// Loads the image, renders it into a display bitmap of its size through the library's
// rendering, and writes that bitmap as an 8-bit PNG, grey for a single-plane image and RGB
// for a colour one (pixels outside the area stay black). Rows appear the way up the image
// says: a FITS image's first row at the bottom. --area counts rows as the file stores them.
// The output replaces an existing file only once it is complete, and may not be the input.
#include <png.h>
#include <zlib.h>

#include <cerrno>
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

// Numbers separated by sep, all of them, nothing else.
bool ParseNumbers(const std::string& text, char sep, std::vector<double>* out) {
  out->clear();
  const char* p = text.c_str();
  for (;;) {
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(p, &end);
    if (end == p || errno == ERANGE) return false;
    out->push_back(v);
    if (*end == '\0') return true;
    if (*end != sep) return false;
    p = end + 1;
  }
}

bool IsInt(double v) { return v >= -2147483648.0 && v <= 2147483647.0 && v == static_cast<int>(v); }

bool ParseArgs(const std::vector<std::string>& args, Options* o, std::string* problem) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) return false;
      *out = args[++i];
      return true;
    };
    std::string v;
    std::vector<double> n;
    if (a == "-o") {
      if (!value(&o->output)) return *problem = "-o needs a file name", false;
    } else if (a == "--bits") {
      if (!value(&v) || (v != "8" && v != "16" && v != "24" && v != "32"))
        return *problem = "--bits takes 8, 16, 24 or 32", false;
      o->bits = std::atoi(v.c_str());
    } else if (a == "--window") {
      if (!value(&v) || !ParseNumbers(v, ':', &n) || n.size() != 3 || !IsInt(n[0]) || n[0] < 0 || n[0] > 2)
        return *problem = "--window takes PLANE:MIN:MAX with PLANE 0, 1 or 2", false;
      o->windows.push_back({static_cast<int>(n[0]), n[1], n[2]});
    } else if (a == "--area") {
      if (!value(&v) || !ParseNumbers(v, ',', &n) || n.size() != 4 || !IsInt(n[0]) || !IsInt(n[1]) ||
          !IsInt(n[2]) || !IsInt(n[3]))
        return *problem = "--area takes L,T,R,B in whole pixels", false;
      o->hasArea = true;
      o->area = CRect(int(n[0]), int(n[1]), int(n[2]), int(n[3]));
    } else if (!a.empty() && a[0] == '-') {
      return *problem = "unknown option " + a, false;
    } else if (o->input.empty()) {
      o->input = a;
    } else {
      return *problem = "more than one image given", false;
    }
  }
  if (o->input.empty()) return *problem = "no image given", false;
  if (o->output.empty()) return *problem = "no output given (-o OUT.png)", false;
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

int RunRender(const std::vector<std::string>& args, orv::cli::Io& io) {
  Options o;
  std::string problem;
  if (!ParseArgs(args, &o, &problem)) {
    io.err << "orvdcm render: " << problem << "\n"
           << "usage: orvdcm render IMAGE.fits [--window PLANE:MIN:MAX ...] [--bits 8|16|24|32] "
              "[--area L,T,R,B] -o OUT.png\n";
    return 2;
  }
  if (SameFile(o.input, o.output)) {
    io.err << "orvdcm render: the output " << o.output << " is the input image\n";
    return 2;
  }
  CString error;
  auto image = CFitsReader::Read(CString(orv::WidePath(o.input)), &error);
  if (image == nullptr) {
    io.err << "orvdcm render: " << error.ToUtf8() << '\n';
    return 1;
  }
  for (const Options::Window& w : o.windows) {
    if (w.plane >= image->GetPlanes()) {
      io.err << "orvdcm render: the image has no plane " << w.plane << '\n';
      return 2;
    }
    image->SetLevel(w.plane, w.min, w.max);
  }
  CMemoryDIB dib;
  if (!dib.Create(image->GetWidth(), image->GetHeight(), o.bits)) {
    io.err << "orvdcm render: not enough memory for the bitmap\n";
    return 1;
  }
  const bool colour = image->IsColor() && image->GetPlanes() >= 3;
  dib.SetPaletteKind(colour);
  orv::RenderSample(*image, &dib, o.hasArea ? &o.area : nullptr);
  problem = WritePng(o.output, dib, !colour, image->IsBottomUp() != FALSE);
  if (!problem.empty()) {
    io.err << "orvdcm render: " << problem << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

ORV_CLI_COMMAND(render, "render",
                "render IMAGE.fits [--window PLANE:MIN:MAX ...] [--bits 8|16|24|32] [--area L,T,R,B] -o OUT.png",
                RunRender);
