// The IPTC decoder: scans the APP13 payload for record-2 datasets, wrapped in
// image-resource blocks or bare, and makes one entry per dataset or merged
// Keywords and SupplementalCategory entries.
#include <string>

#include "metadata/byte_reader.h"
#include "metadata/image_metadata.h"
#include "metadata/jpeg_file.h"

namespace orvalis {

namespace {

constexpr std::uint8_t kTagMarker = 0x1C;
constexpr std::uint8_t kRecord2 = 0x02;
constexpr std::uint16_t kRecordVersion = 0;
constexpr std::uint16_t kSupplementalCategory = 20;
constexpr std::uint16_t kKeywords = 25;

// Trims spaces and control characters, then removes one trailing ";".
std::string FinishMergedList(const std::string& list) {
  std::size_t b = 0, e = list.size();
  while (b < e && static_cast<unsigned char>(list[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(list[e - 1]) <= ' ') --e;
  std::string out = list.substr(b, e - b);
  if (!out.empty() && out.back() == ';') out.pop_back();
  return out;
}

}  // namespace

void tImageMetaData::AppendIptcEntry(std::uint16_t tag, std::string text) {
  tMetaEntry e;
  e.Group = group::kIptc;
  e.Tag = tag;
  e.Kind = kind::kString;
  e.Text = CutEntryText(text);
  e.Value = Value::Text(std::move(text));
  Append(std::move(e));
}

bool tImageMetaData::DecodeIptc(tJpegFile& file, std::uint64_t position, std::uint16_t length) {
  try {
    const std::size_t size = length - 2u;
    DecodeIptcBytes(file.Read(position, size), size);
    return true;
  } catch (const tMetadataError& e) {
    return Fail(e.what());
  }
}

void tImageMetaData::DecodeIptcBytes(const std::uint8_t* bytes, std::size_t size) {
  {
    iptcSegment_.assign(bytes, bytes + size);
    const tByteReader payload(iptcSegment_.data(), iptcSegment_.size());

    std::size_t p = 0;
    while (p + 2 < size) {
      if (payload.U8(p) != kTagMarker || payload.U8(p + 1) != kRecord2) {
        ++p;
        continue;
      }
      // A dataset header cut off by the end of the payload ends the scan.
      if (!payload.Has(p + 3, 2)) break;
      const std::uint16_t dataset = payload.U8(p + 2);
      const std::size_t declared = payload.U16BigEndian(p + 3);
      // Data that runs past the end of the payload is taken as far as it goes.
      std::string data(payload.Rest(p + 5).substr(0, declared));
      while (!data.empty() && data.back() == '\0') data.pop_back();
      if (dataset == kRecordVersion)
        data = data.size() >= 2
                   ? std::string(1, static_cast<char>(static_cast<unsigned char>(data[1]) + 48))
                   : "";

      if (MergeIptcLists == 1 && dataset == kSupplementalCategory)
        categoryAccumulator_ += data + ";";
      else if (MergeIptcLists == 1 && dataset == kKeywords)
        keywordAccumulator_ += data + ";";
      else
        AppendIptcEntry(dataset, std::move(data));
      iptcFlag_ = true;
      p += declared + 5;
    }

    if (MergeIptcLists == 1) {
      if (!categoryAccumulator_.empty())
        AppendIptcEntry(kSupplementalCategory, FinishMergedList(categoryAccumulator_));
      if (!keywordAccumulator_.empty())
        AppendIptcEntry(kKeywords, FinishMergedList(keywordAccumulator_));
    }
  }
}

}  // namespace orvalis
