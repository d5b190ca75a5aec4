// Writes the 15 mark images of the HTML export (data/HTML/*.gif) from the tree's own icons, so
// a site shows the marks the tree shows. Pixels that are mostly transparent stay transparent;
// the others are laid over white, the contents page's background. Usage: make_mark_images DIR
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "export/html_export.h"
#include "ui/common/tree_icons.h"

namespace {

// Packs variable-width codes least significant bit first, as GIF's LZW stream wants them.
class BitPacker {
 public:
  void Put(int code, int width) {
    acc_ |= static_cast<uint32_t>(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      bytes_.push_back(static_cast<char>(acc_ & 0xFF));
      acc_ >>= 8;
      bits_ -= 8;
    }
  }
  std::string Finish() {
    if (bits_ > 0) bytes_.push_back(static_cast<char>(acc_ & 0xFF));
    return bytes_;
  }

 private:
  std::string bytes_;
  uint32_t acc_ = 0;
  int bits_ = 0;
};

// LZW-compresses palette indexes with codes of up to 12 bits, starting over when the table is
// full.
std::string Lzw(const std::vector<uint8_t>& pixels, int min_code_size) {
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  BitPacker out;
  std::map<std::pair<int, uint8_t>, int> table;
  int next = end + 1;
  int width = min_code_size + 1;
  out.Put(clear, width);
  int prefix = -1;
  for (uint8_t pixel : pixels) {
    if (prefix < 0) {
      prefix = pixel;
      continue;
    }
    auto found = table.find({prefix, pixel});
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    out.Put(prefix, width);
    if (next < 4096) {
      table[{prefix, pixel}] = next++;
      if (next > (1 << width) && width < 12) ++width;
    } else {
      out.Put(clear, width);
      table.clear();
      next = end + 1;
      width = min_code_size + 1;
    }
    prefix = pixel;
  }
  if (prefix >= 0) out.Put(prefix, width);
  out.Put(end, width);
  return out.Finish();
}

void PutWord(std::string* out, int value) {
  out->push_back(static_cast<char>(value & 0xFF));
  out->push_back(static_cast<char>(value >> 8 & 0xFF));
}

// A GIF89a file of one image with a global palette; palette entry 0 is transparent.
std::string EncodeGif(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  std::vector<QRgb> palette = {qRgb(255, 255, 255)};  // 0: transparent
  std::vector<uint8_t> pixels;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      const int a = qAlpha(p);
      if (a < 128) {
        pixels.push_back(0);
        continue;
      }
      auto over_white = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
      const QRgb rgb = qRgb(over_white(qRed(p)), over_white(qGreen(p)), over_white(qBlue(p)));
      size_t index = 1;
      while (index < palette.size() && palette[index] != rgb) ++index;
      if (index == palette.size()) {
        if (palette.size() == 256) {  // cannot happen at 16x16 with one transparent entry
          std::fprintf(stderr, "make_mark_images: too many colours\n");
          std::exit(1);
        }
        palette.push_back(rgb);
      }
      pixels.push_back(static_cast<uint8_t>(index));
    }
  }
  int bits = 1;
  while ((1u << bits) < palette.size()) ++bits;
  palette.resize(1u << bits, qRgb(0, 0, 0));

  std::string gif = "GIF89a";
  PutWord(&gif, image.width());
  PutWord(&gif, image.height());
  gif.push_back(static_cast<char>(0x80 | (bits - 1) << 4 | (bits - 1)));  // global palette
  gif.push_back('\0');                                                    // background
  gif.push_back('\0');                                                    // aspect
  for (QRgb c : palette) {
    gif.push_back(static_cast<char>(qRed(c)));
    gif.push_back(static_cast<char>(qGreen(c)));
    gif.push_back(static_cast<char>(qBlue(c)));
  }
  // Graphic control extension: entry 0 is transparent.
  gif += std::string("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);
  gif.push_back(',');
  PutWord(&gif, 0);
  PutWord(&gif, 0);
  PutWord(&gif, image.width());
  PutWord(&gif, image.height());
  gif.push_back('\0');
  const int min_code_size = std::max(2, bits);
  gif.push_back(static_cast<char>(min_code_size));
  const std::string data = Lzw(pixels, min_code_size);
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    gif.push_back(static_cast<char>(n));
    gif.append(data, at, n);
  }
  gif.push_back('\0');
  gif.push_back(';');
  return gif;
}

// The icon each image is drawn from, in the order of kMarkImageNames.
constexpr int kIcons[15] = {7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 1, 3, 5};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_mark_images DIR\n");
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  for (size_t i = 0; i < pw::kMarkImageNames.size(); ++i) {
    const std::string gif = EncodeGif(pw::TreeIcons::Instance().Pixmap(kIcons[i]).toImage());
    const std::string path = std::string(argv[1]) + "/" + pw::kMarkImageNames[i];
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(gif.data(), 1, gif.size(), f) != gif.size() ||
        std::fclose(f) != 0) {
      std::fprintf(stderr, "make_mark_images: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
