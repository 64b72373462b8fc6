// Writes the help pages that list the field names, one page per group, in
// every help language, straight from the reader's tag table: a field the
// reader knows always has its anchor (the keyword help jumps to
// "SyntaxHelp/exif.htm#<name in lower case>"), and its meaning and value form
// from the table of field meanings. A field without a meaning, a meaning of
// no field, or a coded field whose codes the page would not list stops the
// build.
//
//   orvalis_field_pages OUTPUT_HELP_FOLDER
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "field_meanings.h"
#include "metadata/tag_codes.h"
#include "metadata/tag_table.h"

namespace {

struct tPage {
  int group;
  const char* file;
  const char* anchor;  // of the section; no field is so named
  const char* titleDe;
  const char* titleEn;
  const char* introDe;
  const char* introEn;
};

const tPage kPages[] = {
    {2, "file.htm", "file", "Dateifelder", "File fields",
     "Name, Ort, Größe und Zeiten der Datei, der JPEG-Kommentar und die Bildgröße in Pixeln.",
     "Name, location, size and times of the file, the JPEG comment and the image size in pixels."},
    {1, "file.htm", "jfif", "JFIF-Kopf (APP0)", "JFIF header (APP0)",
     "Der Kopf, mit dem die meisten JPEG-Dateien beginnen: Version, Pixeldichte und ein kleines Vorschaubild.",
     "The header most JPEG files begin with: version, pixel density and a small thumbnail."},
    {3, "exif.htm", "exif", "EXIF-Felder", "EXIF fields",
     "Was die Kamera in den EXIF-Verzeichnissen speichert: Kamera, Belichtung, Zeiten, Bildaufbau.",
     "What the camera stores in the EXIF directories: camera, exposure, times, image structure."},
    {4, "exif.htm", "thumbnail", "Felder des Vorschaubilds", "Thumbnail fields",
     "Die Angaben zum eingebetteten Vorschaubild (zweites EXIF-Verzeichnis).",
     "The entries about the embedded thumbnail (second EXIF directory)."},
    {5, "iptc.htm", "iptc", "IPTC-Felder", "IPTC fields",
     "Die Texte, die Bildagenturen und Archivprogramme schreiben: Stichwörter, Bildunterschrift, Orte, "
     "Personen.",
     "The texts that agencies and archive programs write: keywords, caption, places, people."},
    {6, "gps.htm", "gps", "GPS-Felder", "GPS fields",
     "Wo das Foto aufgenommen wurde: Breite und Länge in Dezimalgrad (Süden und Westen negativ), Höhe, "
     "Zeit.",
     "Where the photo was taken: latitude and longitude in decimal degrees (south and west negative), "
     "altitude, time."},
    {7, "xmp.htm", "xmp", "XMP-Felder", "XMP fields",
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
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '&')
      out += "&amp;";
    else
      out += c;
  }
  return out;
}

// EXIF tags as ExifTool and the standard write them (0x010F), IPTC datasets
// as record 2 and dataset number (2:25).
std::string TagText(int group, unsigned tag) {
  char text[16];
  if (group == 5)
    std::snprintf(text, sizeof text, "2:%u", tag);
  else
    std::snprintf(text, sizeof text, "0x%04X", tag);
  return text;
}

using orvalis::help::tFieldMeaning;
using orvalis::help::tValueForm;

const char* FormText(tValueForm form, bool german) {
  switch (form) {
    case tValueForm::kText: return "Text";
    case tValueForm::kList:
      return german ? "Text; mehrere Werte durch ; verbunden" : "Text; several values joined by ;";
    case tValueForm::kNumber: return german ? "Zahl" : "Number";
    case tValueForm::kFraction: return german ? "Bruch" : "Fraction";
    case tValueForm::kDate:
      return german ? "Datum JJJJ:MM:TT hh:mm:ss" : "Date YYYY:MM:DD hh:mm:ss";
    case tValueForm::kCodes: return "Text";
    case tValueForm::kBytes:
      return german ? "Bytes in Hex nach II oder MM (Bytefolge der Datei)"
                    : "Bytes in hex after II or MM (the file's byte order)";
    case tValueForm::kNoEntry: return german ? "kein Wert" : "no value";
  }
  return "";
}

// "1 = top-left, 2 = top-right, ..., other codes: their number".
std::string CodesText(const orvalis::tCodeTexts& codes, bool german) {
  std::string out;
  for (std::size_t i = 0; i < codes.Texts.size(); ++i) {
    if (i > 0) out += ", ";
    out += std::to_string(codes.First + static_cast<std::int64_t>(i)) + " = " + codes.Texts[i];
  }
  out += german ? "; andere Codes: " : "; other codes: ";
  out += codes.Other != nullptr ? codes.Other : german ? "ihre Zahl" : "their number";
  return out;
}

std::string ValueText(const orvalis::tTagRow& row, const tFieldMeaning& meaning, bool german) {
  std::string out = FormText(meaning.Form, german);
  if (const orvalis::tCodeTexts* codes = orvalis::CodeTextsOf(row.Group, row.Tag))
    out += (german ? " je Code: " : " for the code: ") + CodesText(*codes, german);
  const char* note = german ? meaning.FormDe : meaning.FormEn;
  // The form's own text may end in a list or a date pattern, which a colon would run into.
  const bool listed = meaning.Form == tValueForm::kCodes || meaning.Form == tValueForm::kList;
  if (*note != '\0')
    out += std::string(listed ? "; " : meaning.Form == tValueForm::kDate ? ", " : ": ") + note;
  return out;
}

std::map<std::string_view, const tFieldMeaning*> MeaningsByName() {
  std::map<std::string_view, const tFieldMeaning*> byName;
  for (const tFieldMeaning& meaning : orvalis::help::FieldMeanings())
    byName[meaning.Name] = &meaning;
  return byName;
}

// What keeps the pages from telling every field's meaning and value form.
std::vector<std::string> MeaningFaults(
    const std::map<std::string_view, const tFieldMeaning*>& byName) {
  std::vector<std::string> faults;
  std::map<std::string_view, int> seen;
  for (const tFieldMeaning& meaning : orvalis::help::FieldMeanings())
    if (++seen[meaning.Name] == 2)
      faults.push_back("two meanings for " + std::string(meaning.Name));
  for (const orvalis::tTagRow& row : orvalis::TagTable) {
    const auto found = byName.find(row.Name);
    if (found == byName.end()) {
      faults.push_back("no meaning for the field " + std::string(row.Name));
      continue;
    }
    seen.erase(row.Name);
    const bool coded = orvalis::CodeTextsOf(row.Group, row.Tag) != nullptr;
    if (coded != (found->second->Form == tValueForm::kCodes))
      faults.push_back(std::string(row.Name) +
                       (coded ? " has code texts: its value form must list them"
                              : " has no code texts to list"));
  }
  for (const auto& [name, count] : seen)
    faults.push_back("a meaning for " + std::string(name) + ", which is no field");
  for (const tPage& page : kPages)
    for (const orvalis::tTagRow& row : orvalis::TagTable)
      if (Lower(row.Name) == page.anchor)
        faults.push_back("the field " + std::string(row.Name) + " has a section's anchor");
  return faults;
}

void WritePage(const std::filesystem::path& folder, const std::string& file, bool german,
               const std::map<std::string_view, const tFieldMeaning*>& meanings) {
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / file, std::ios::binary);
  bool first = true;
  for (const tPage& page : kPages) {
    if (file != page.file) continue;
    const char* title = german ? page.titleDe : page.titleEn;
    if (first) {
      out << "<html><head><meta charset=\"utf-8\"><title>" << title << "</title></head><body>\n"
          << "<p><a href=\"../index.htm\">" << (german ? "Inhalt" : "Contents")
          << "</a> · <a href=\"syntax.htm\">" << (german ? "Abfrage-Syntax" : "Query syntax")
          << "</a></p>\n";
      first = false;
    }
    // File and JFIF fields have no tag number of a standard.
    const bool numbers = page.group != 1 && page.group != 2;
    out << "<h1><a name=\"" << page.anchor << "\" id=\"" << page.anchor << "\"></a>" << title
        << "</h1>\n<p>" << (german ? page.introDe : page.introEn) << "</p>\n"
        << "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">\n<tr><th>"
        << (german ? "Feldname" : "Field name") << "</th>";
    if (numbers) out << "<th>Tag</th>";
    out << "<th>" << (german ? "Bedeutung" : "Meaning") << "</th><th>"
        << (german ? "Wert" : "Value") << "</th></tr>\n";
    for (const orvalis::tTagRow& row : orvalis::TagTable) {
      if (row.Group != page.group) continue;
      const std::string anchor = Lower(row.Name);
      const tFieldMeaning& meaning = *meanings.at(row.Name);
      out << "<tr><td><a name=\"" << anchor << "\" id=\"" << anchor << "\"></a><b>"
          << Escape(row.Name) << "</b></td>";
      if (numbers) out << "<td>" << TagText(page.group, row.Tag) << "</td>";
      out << "<td>" << Escape(german ? meaning.De : meaning.En) << "</td><td>"
          << Escape(ValueText(row, meaning, german)) << "</td></tr>\n";
    }
    out << "</table>\n";
  }
  if (!first) out << "</body></html>\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: orvalis_field_pages OUTPUT_HELP_FOLDER\n";
    return 2;
  }
  const auto meanings = MeaningsByName();
  const std::vector<std::string> faults = MeaningFaults(meanings);
  for (const std::string& fault : faults) std::cerr << "orvalis_field_pages: " << fault << "\n";
  if (!faults.empty()) return 1;
  const std::filesystem::path output = argv[1];
  for (const bool german : {true, false}) {
    const std::filesystem::path folder = output / (german ? "de" : "en") / "SyntaxHelp";
    std::vector<std::string> files;
    for (const tPage& page : kPages) {
      bool present = false;
      for (const orvalis::tTagRow& row : orvalis::TagTable)
        present = present || row.Group == page.group;
      if (present && (files.empty() || files.back() != page.file)) files.emplace_back(page.file);
    }
    for (const std::string& file : files) WritePage(folder, file, german, meanings);
  }
  return 0;
}
