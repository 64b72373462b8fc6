// Writes the help pages that list the field names, one page per group, in
// every help language, straight from the reader's tag table: a field the
// reader knows always has its anchor (the keyword help jumps to
// "SyntaxHelp/exif.htm#<name in lower case>").
//
//   orvalis_field_pages OUTPUT_HELP_FOLDER [SIDETREE_INI]
//
// The German pages carry the one-line tips of the field list file.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "metadata/tag_table.h"

namespace {

struct tPage {
  int group;
  const char* file;
  const char* titleDe;
  const char* titleEn;
  const char* introDe;
  const char* introEn;
};

const tPage kPages[] = {
    {2, "file.htm", "Dateifelder", "File fields",
     "Name, Ort, Größe und Zeiten der Datei, der JPEG-Kommentar und die Bildgröße in Pixeln.",
     "Name, location, size and times of the file, the JPEG comment and the image size in pixels."},
    {3, "exif.htm", "EXIF-Felder", "EXIF fields",
     "Was die Kamera in den EXIF-Verzeichnissen speichert: Kamera, Belichtung, Zeiten, Bildaufbau.",
     "What the camera stores in the EXIF directories: camera, exposure, times, image structure."},
    {4, "exif.htm", "Felder des Vorschaubilds", "Thumbnail fields",
     "Die Angaben zum eingebetteten Vorschaubild (zweites EXIF-Verzeichnis).",
     "The entries about the embedded thumbnail (second EXIF directory)."},
    {5, "iptc.htm", "IPTC-Felder", "IPTC fields",
     "Die Texte, die Bildagenturen und Archivprogramme schreiben: Stichwörter, Bildunterschrift, Orte, "
     "Personen.",
     "The texts that agencies and archive programs write: keywords, caption, places, people."},
    {6, "gps.htm", "GPS-Felder", "GPS fields",
     "Wo das Foto aufgenommen wurde: Breite und Länge in Dezimalgrad (Süden und Westen negativ), Höhe, "
     "Zeit.",
     "Where the photo was taken: latitude and longitude in decimal degrees (south and west negative), "
     "altitude, time."},
    {7, "xmp.htm", "XMP-Felder", "XMP fields",
     "Was Bildverwaltungen im XMP-Paket ablegen: Bewertung, Farbmarkierung, Titel, Stichwörter.",
     "What photo managers keep in the XMP packet: rating, colour label, title, keywords."},
};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Escape(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else out += c;
  }
  return out;
}

// EXIF tags as ExifTool and the standard write them (0x010F), IPTC datasets
// as record 2 and dataset number (2:25).
std::string TagText(int group, unsigned tag) {
  char text[16];
  if (group == 5) std::snprintf(text, sizeof text, "2:%u", tag);
  else std::snprintf(text, sizeof text, "0x%04X", tag);
  return text;
}

// "name=tip" lines of the field list file, indentation ignored.
std::map<std::string, std::string> ReadTips(const std::string& path) {
  std::map<std::string, std::string> tips;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t start = line.find_first_not_of(" \t");
    const std::size_t equals = line.find('=');
    if (start == std::string::npos || equals == std::string::npos || equals <= start) continue;
    tips[Lower(line.substr(start, equals - start))] = line.substr(equals + 1);
  }
  return tips;
}

void WritePage(const std::filesystem::path& folder, const std::string& file, bool german,
               const std::map<std::string, std::string>& tips) {
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / file, std::ios::binary);
  bool first = true;
  for (const tPage& page : kPages) {
    if (file != page.file) continue;
    const char* title = german ? page.titleDe : page.titleEn;
    if (first) {
      out << "<html><head><meta charset=\"utf-8\"><title>" << title << "</title></head><body>\n"
          << "<p><a href=\"../index.htm\">" << (german ? "Inhalt" : "Contents") << "</a> · <a href=\"syntax.htm\">"
          << (german ? "Abfrage-Syntax" : "Query syntax") << "</a></p>\n";
      first = false;
    }
    // File fields have no tag number of a standard; tips exist in German only.
    const bool numbers = page.group != 2;
    const bool withTips = !tips.empty();
    out << "<h1>" << title << "</h1>\n<p>" << (german ? page.introDe : page.introEn) << "</p>\n"
        << "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">\n<tr><th>"
        << (german ? "Feldname" : "Field name") << "</th>";
    if (numbers) out << "<th>" << (german ? "Tag" : "Tag") << "</th>";
    if (withTips) out << "<th>Bedeutung</th>";
    out << "</tr>\n";
    for (const orvalis::tTagRow& row : orvalis::TagTable) {
      if (row.Group != page.group) continue;
      const std::string anchor = Lower(row.Name);
      out << "<tr><td><a name=\"" << anchor << "\" id=\"" << anchor << "\"></a><b>" << Escape(row.Name)
          << "</b></td>";
      if (numbers) out << "<td>" << TagText(page.group, row.Tag) << "</td>";
      if (withTips) {
        const auto tip = tips.find(anchor);
        out << "<td>" << (tip != tips.end() ? Escape(tip->second) : "") << "</td>";
      }
      out << "</tr>\n";
    }
    out << "</table>\n";
  }
  if (!first) out << "</body></html>\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "usage: orvalis_field_pages OUTPUT_HELP_FOLDER [SIDETREE_INI]\n";
    return 2;
  }
  const std::filesystem::path output = argv[1];
  const auto tips = argc > 2 ? ReadTips(argv[2]) : std::map<std::string, std::string>{};
  const std::map<std::string, std::string> none;
  for (const bool german : {true, false}) {
    const std::filesystem::path folder = output / (german ? "de" : "en") / "SyntaxHelp";
    std::vector<std::string> files;
    for (const tPage& page : kPages) {
      bool present = false;
      for (const orvalis::tTagRow& row : orvalis::TagTable) present = present || row.Group == page.group;
      if (present && (files.empty() || files.back() != page.file)) files.emplace_back(page.file);
    }
    for (const std::string& file : files) WritePage(folder, file, german, german ? tips : none);
  }
  return 0;
}
