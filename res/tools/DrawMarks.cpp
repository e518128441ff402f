// drawmarks: draws the six mark bitmaps of the colour preview and writes them as .bmp files.
//
//   drawmarks OUTPUT_DIR
//
// White marks on black: the preview paints the chosen colour where a mark is white and
// leaves black transparent. The committed .bmp files are the resources; this program is how
// they were made, so a symbol is changed here and the files written again.
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "res/tools/BmpFile.h"

namespace fs = std::filesystem;

namespace {

using Cell = std::array<const char*, 9>;  // 9 x 9 pixels, '#' white, '.' black

// A canvas of palette indices.
struct Canvas {
  int width, height;
  std::vector<std::uint8_t> index;
  Canvas(int w, int h) : width(w), height(h), index(static_cast<size_t>(w) * static_cast<size_t>(h), 0) {}
  void Set(int x, int y, std::uint8_t v) { index[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = v; }
  void Put(const Cell& cell, int left, int top, std::uint8_t white) {
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x)
        if (cell[static_cast<size_t>(y)][x] == '#') Set(left + x, top + y, white);
  }
};

// The 16 colours of the platform's default palette; black is 0 and white 15.
const std::vector<COLORREF> kStandard16 = {
    RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
    RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
constexpr std::uint8_t kWhite16 = 15;

// --- 24005: deep-sky symbols, one column of 9 x 9 cells each: large, medium, small.
struct Symbol {
  int column;  // left edge in pixels
  Cell large, medium, small;
};

const Symbol kDeepSky[] = {
    {0,  // planetary nebula: circle with a small diamond inside
     {"..#####..", ".#.....#.", "#...#...#", "#..#.#..#", "#.#...#.#", "#..#.#..#", "#...#...#", ".#.....#.", "..#####.."},
     {".........", "..#####..", ".#.....#.", ".#..#..#.", ".#.#.#.#.", ".#..#..#.", ".#.....#.", "..#####..", "........."},
     {".........", ".........", "...###...", "..#...#..", "..#.#.#..", "..#...#..", "...###...", ".........", "........."}},
    {9,  // diffuse nebula: diagonal hatching
     {"..#...#..", ".#...#...", "#...#...#", "...#...#.", "..#...#..", ".#...#...", "#...#...#", "...#...#.", "..#...#.."},
     {".........", "..#..#...", ".#..#..#.", "...#..#..", "..#..#...", ".#..#..#.", "...#..#..", "..#..#...", "........."},
     {".........", ".........", "..#..#...", "....#....", "...#..#..", "..#..#...", "....#....", ".........", "........."}},
    {18,  // open cluster: dots in a cross
     {"....#....", ".........", "....#....", ".........", "#.#.#.#.#", ".........", "....#....", ".........", "....#...."},
     {".........", "....#....", ".........", ".........", ".#..#..#.", ".........", ".........", "....#....", "........."},
     {".........", ".........", "....#....", ".........", "..#.#.#..", ".........", "....#....", ".........", "........."}},
    {27,  // globular cluster: ring of dots with a centre dot
     {"....#....", ".#.....#.", ".........", ".........", "#...#...#", ".........", ".........", ".#.....#.", "....#...."},
     {".........", "....#....", "..#...#..", ".........", ".#..#..#.", ".........", "..#...#..", "....#....", "........."},
     {".........", ".........", "..#.#.#..", ".........", "..#.#.#..", ".........", "..#.#.#..", ".........", "........."}},
    {36,  // galaxy: flat ellipse
     {".........", ".........", "..#####..", ".#.....#.", "#.......#", ".#.....#.", "..#####..", ".........", "........."},
     {".........", ".........", ".........", "..#####..", ".#.....#.", "..#####..", ".........", ".........", "........."},
     {".........", ".........", ".........", "...###...", "..#####..", "...###...", ".........", ".........", "........."}},
    {45,  // nebula with cluster: star-burst
     {"#...#...#", ".#..#..#.", "..#.#.#..", "...###...", "#########", "...###...", "..#.#.#..", ".#..#..#.", "#...#...#"},
     {".........", ".#..#..#.", "..#.#.#..", "...###...", ".#######.", "...###...", "..#.#.#..", ".#..#..#.", "........."},
     {".........", ".........", "..#.#.#..", "...###...", "..#####..", "...###...", "..#.#.#..", ".........", "........."}},
    {54,  // supernova remnant: circle with four dots inside
     {"..#####..", ".#.....#.", "#.......#", "#..#.#..#", "#.......#", "#..#.#..#", "#.......#", ".#.....#.", "..#####.."},
     {".........", "..#####..", ".#.....#.", ".#.#.#.#.", ".#.....#.", ".#.#.#.#.", ".#.....#.", "..#####..", "........."},
     {".........", ".........", "...###...", "..##.##..", "..#...#..", "..##.##..", "...###...", ".........", "........."}},
    {144,  // star with planets: circle crossed by a diagonal stroke
     {"........#", "...###.#.", "..#...#..", ".#...#.#.", ".#..#..#.", ".#.#...#.", "..#...#..", ".#.###...", "#........"},
     {".........", ".......#.", "...####..", "..#..##..", "..#.#.#..", "..##..#..", "..####...", ".#.......", "........."},
     {".........", ".........", "......#..", "...###...", "...#.#...", "...###...", "..#......", ".........", "........."}},
};

Canvas DrawDeepSky() {
  Canvas c(171, 27);
  for (const Symbol& s : kDeepSky) {
    c.Put(s.large, s.column, 0, kWhite16);
    c.Put(s.medium, s.column, 9, kWhite16);
    c.Put(s.small, s.column, 18, kWhite16);
  }
  return c;
}

// --- 24009: variable star, three sizes stacked.
Canvas DrawVariableStar() {
  const Cell cells[3] = {
      // circle with a filled centre
      {"..#####..", ".#.....#.", "#.......#", "#..###..#", "#..###..#", "#..###..#", "#.......#", ".#.....#.", "..#####.."},
      // smaller circle with a small cross
      {".........", "..#####..", ".#.....#.", ".#..#..#.", ".#.###.#.", ".#..#..#.", ".#.....#.", "..#####..", "........."},
      // small ring
      {".........", ".........", "...###...", "..#...#..", "..#...#..", "..#...#..", "...###...", ".........", "........."},
  };
  Canvas c(9, 27);
  for (int i = 0; i < 3; ++i) c.Put(cells[i], 0, 9 * i, kWhite16);
  return c;
}

// --- 24006: meteor radiant, two horizontal and two vertical strokes around an open centre
// (two colours).
Canvas DrawMeteorRadiant() {
  Canvas c(15, 15);
  for (int i = 0; i < 15; ++i) {
    c.Set(i, 4, 1);
    c.Set(i, 10, 1);
    c.Set(4, i, 1);
    c.Set(10, i, 1);
  }
  return c;
}

// --- 24007: click mark, four ticks pointing at the centre along the axes.
Canvas DrawClickMark() {
  Canvas c(17, 17);
  for (int i = 0; i <= 5; ++i) {
    c.Set(8, i, kWhite16);
    c.Set(8, 16 - i, kWhite16);
    c.Set(i, 8, kWhite16);
    c.Set(16 - i, 8, kWhite16);
  }
  return c;
}

// --- 24008: telescope position, four ticks pointing at the centre from the corners.
Canvas DrawTelescopeMark() {
  Canvas c(17, 17);
  for (int i = 0; i <= 5; ++i) {
    c.Set(i, i, kWhite16);
    c.Set(16 - i, i, kWhite16);
    c.Set(i, 16 - i, kWhite16);
    c.Set(16 - i, 16 - i, kWhite16);
  }
  return c;
}

// --- 24010: double star, circle with a horizontal stroke reaching beyond both sides, in
// three sizes of 11 x 11; edges anti-aliased into 16 grey levels.
Canvas DrawDoubleStar() {
  struct Size {
    double radius;     // of the circle's centre line
    double halfWidth;  // half length of the stroke
  };
  const Size sizes[3] = {{3.7, 5.5}, {2.9, 4.5}, {2.1, 3.5}};
  constexpr int kSamples = 8;  // per axis, per pixel
  Canvas c(11, 33);
  for (int cell = 0; cell < 3; ++cell) {
    const Size& s = sizes[cell];
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 11; ++x) {
        int hits = 0;
        for (int sy = 0; sy < kSamples; ++sy)
          for (int sx = 0; sx < kSamples; ++sx) {
            // Sample point relative to the cell centre (5.5, 5.5 in pixel-edge coordinates).
            double px = x + (sx + 0.5) / kSamples - 5.5;
            double py = y + (sy + 0.5) / kSamples - 5.5;
            bool ring = std::abs(std::hypot(px, py) - s.radius) <= 0.5;
            bool stroke = std::abs(py) <= 0.5 && std::abs(px) <= s.halfWidth;
            if (ring || stroke) ++hits;
          }
        int level = static_cast<int>(std::lround(15.0 * hits / (kSamples * kSamples)));
        c.Set(x, 11 * cell + y, static_cast<std::uint8_t>(level));
      }
  }
  return c;
}

std::vector<COLORREF> GreyPalette() {
  std::vector<COLORREF> p;
  for (int i = 0; i < 16; ++i) p.push_back(RGB(17 * i, 17 * i, 17 * i));
  return p;
}

bool Write(const fs::path& path, const Canvas& c, int bitCount, const std::vector<COLORREF>& palette) {
  std::vector<std::uint8_t> bytes = orv::rc::EncodeBmp(c.width, c.height, bitCount, palette, c.index);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::cerr << "drawmarks: cannot write " << path << '\n';
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: drawmarks OUTPUT_DIR\n";
    return 2;
  }
  fs::path dir = argv[1];
  bool ok = Write(dir / "mark_deepsky.bmp", DrawDeepSky(), 4, kStandard16) &&
            Write(dir / "mark_meteor.bmp", DrawMeteorRadiant(), 1, {RGB(0, 0, 0), RGB(255, 255, 255)}) &&
            Write(dir / "mark_click.bmp", DrawClickMark(), 4, kStandard16) &&
            Write(dir / "mark_telescope.bmp", DrawTelescopeMark(), 4, kStandard16) &&
            Write(dir / "mark_variable.bmp", DrawVariableStar(), 4, kStandard16) &&
            Write(dir / "mark_double.bmp", DrawDoubleStar(), 4, GreyPalette());
  return ok ? 0 : 1;
}
