// The bodies of the fuzz targets: each takes one input of bytes and drives
// one reader or compiler with it. The libFuzzer programs call them, and the
// regression test runs every kept input through them in the normal suite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orvalis::fuzz {

using tFuzzFunction = void (*)(const std::uint8_t* data, std::size_t size);

// The segment walk with all decoders, on the input as a whole file; then
// lookups, iteration and the thumbnail.
void SegmentWalk(const std::uint8_t* data, std::size_t size);
// The walks of the other containers (TIFF and raws, PNG, WebP, ISO base
// media), seeded with a file of each kind: the input as a whole file, then
// the same uses as above; a preview named outside the file is a finding.
void ContainerWalk(const std::uint8_t* data, std::size_t size);
// The EXIF decoder alone: the input is the TIFF block of an Exif segment.
void Exif(const std::uint8_t* data, std::size_t size);
// The IPTC decoder alone: the input is an APP13 payload, read with and
// without merged keyword lists.
void Iptc(const std::uint8_t* data, std::size_t size);
// The statement splitter and the compiler: the input is a query text, split
// and compiled as --explain does and refused or run (over no files) by the
// query driver.
void QueryCompile(const std::uint8_t* data, std::size_t size);
// The evaluator: the input is an expression, compiled and evaluated against
// one fixed photo's metadata.
void Evaluate(const std::uint8_t* data, std::size_t size);
// The list-file readers: the input as a query file, as a result list (line
// by line and NUL-separated) and as the query buffer's list file.
void ListFiles(const std::uint8_t* data, std::size_t size);
// The XMP reader: the input as a packet, read alone and from a photo's APP1
// segment when a query asks for an XMP field.
void Xmp(const std::uint8_t* data, std::size_t size);
// The language-file reader: the input as a language file's bytes, parsed
// and asked for messages, captions and wizard pages.
void LanguageFile(const std::uint8_t* data, std::size_t size);
// The ISO base media walk (HEIF, AVIF, CR3): the input as a whole file;
// every span it reports must lie inside the file.
void IsoBmff(const std::uint8_t* data, std::size_t size);

struct tFuzzTarget {
  std::string_view name;  // fuzz_<name> is the program, fuzz/regressions/<name> its kept inputs
  tFuzzFunction run;
};

// Every target; a new one is one row here and one line in CMakeLists.txt.
const std::vector<tFuzzTarget>& FuzzTargets();

}  // namespace orvalis::fuzz
