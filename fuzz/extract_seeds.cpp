// Seeds for the decoder fuzz targets: writes the TIFF block of every Exif
// segment and every APP13 payload of the given photos into OUT/exif and
// OUT/iptc, and each photo's segments up to its picture data, closed with
// EOI, into OUT/segment_walk: the walk ends where the picture data starts,
// so its bytes would only make every run and mutation of the seed slower.
// Usage: orvalis-fuzz-seeds OUT PHOTO...
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void Save(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: orvalis-fuzz-seeds OUT PHOTO...\n", stderr);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string stem =
        std::to_string(i) + "_" + std::filesystem::path(argv[i]).filename().string();
    std::size_t at = 2;
    int segment = 0;
    while (at + 4 <= file.size() && static_cast<unsigned char>(file[at]) == 0xFF) {
      const auto marker = static_cast<unsigned char>(file[at + 1]);
      if (marker == 0xDA || marker == 0xD9) break;
      const std::size_t length = static_cast<std::size_t>(static_cast<unsigned char>(file[at + 2]))
                                     << 8 |
                                 static_cast<unsigned char>(file[at + 3]);
      if (length < 2 || at + 2 + length > file.size()) break;
      const std::string payload = file.substr(at + 4, length - 2);
      const std::string name = stem + "_" + std::to_string(segment++);
      if (marker == 0xE1 && payload.size() > 6 &&
          payload.compare(0, 6, std::string("Exif\0\0", 6)) == 0)
        Save(out / "exif", name, payload.substr(6));
      else if (marker == 0xED)
        Save(out / "iptc", name, payload);
      at += 2 + length;
    }
    const bool pictureFollows = at + 2 <= file.size() &&
                                static_cast<unsigned char>(file[at]) == 0xFF &&
                                static_cast<unsigned char>(file[at + 1]) == 0xDA;
    Save(out / "segment_walk", stem, pictureFollows ? file.substr(0, at) + "\xFF\xD9" : file);
  }
  return 0;
}
