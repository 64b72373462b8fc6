#include "metadata/xmp_packet.h"

#include "common/text.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <optional>

namespace orvalis {

namespace {

// Expat gives a namespaced name as the namespace, this separator and the
// local name.
constexpr char kNsSeparator = ' ';

constexpr std::string_view kRdf = "http://www.w3.org/1999/02/22-rdf-syntax-ns# ";
constexpr std::string_view kXmlLang = "http://www.w3.org/XML/1998/namespace lang";

enum class Shape { Text, Alternative, List, Date };

struct Property {
  std::string_view name;  // namespace, separator, local name
  std::uint16_t tag;
  Shape shape;
};

constexpr std::array<Property, xmp::kFieldCount> kProperties{{
    {"http://ns.adobe.com/xap/1.0/ Rating", xmp::kRating, Shape::Text},
    {"http://ns.adobe.com/xap/1.0/ Label", xmp::kLabel, Shape::Text},
    {"http://purl.org/dc/elements/1.1/ title", xmp::kTitle, Shape::Alternative},
    {"http://purl.org/dc/elements/1.1/ description", xmp::kDescription, Shape::Alternative},
    {"http://purl.org/dc/elements/1.1/ creator", xmp::kCreator, Shape::List},
    {"http://purl.org/dc/elements/1.1/ subject", xmp::kSubject, Shape::List},
    {"http://ns.adobe.com/lightroom/1.0/ hierarchicalSubject", xmp::kHierarchicalSubject,
     Shape::List},
    {"http://purl.org/dc/elements/1.1/ rights", xmp::kRights, Shape::Alternative},
    {"http://ns.adobe.com/photoshop/1.0/ Headline", xmp::kHeadline, Shape::Text},
    {"http://ns.adobe.com/xap/1.0/ CreateDate", xmp::kCreateDate, Shape::Date},
    {"http://ns.adobe.com/xap/1.0/ ModifyDate", xmp::kModifyDate, Shape::Date},
    {"http://ns.adobe.com/photoshop/1.0/ DateCreated", xmp::kDateCreated, Shape::Date},
    {"http://ns.adobe.com/photoshop/1.0/ City", xmp::kCity, Shape::Text},
    {"http://ns.adobe.com/photoshop/1.0/ State", xmp::kState, Shape::Text},
    {"http://ns.adobe.com/photoshop/1.0/ Country", xmp::kCountry, Shape::Text},
    {"http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/ Location", xmp::kLocation, Shape::Text},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/ PersonInImage", xmp::kPersonInImage, Shape::List},
    {"http://ns.adobe.com/exif/1.0/aux/ Lens", xmp::kLens, Shape::Text},
}};

const Property* FindProperty(std::string_view name) {
  for (const Property& p : kProperties)
    if (p.name == name) return &p;
  return nullptr;
}

bool IsRdf(std::string_view name, std::string_view local) {
  return name.size() == kRdf.size() + local.size() && name.substr(0, kRdf.size()) == kRdf &&
         name.substr(kRdf.size()) == local;
}

// XML's white space.
std::string TrimXmlSpace(std::string_view s) { return std::string(Trim(s, " \t\r\n")); }

struct Item {
  std::string lang;
  std::string text;
};

// The state of one reading: the open elements and the property being read.
class Reader {
 public:
  explicit Reader(XML_Parser parser) : parser_(parser) {}

  void Start(const char* name, const char** attributes) {
    if (stack_.size() >= kMaxXmpDepth) return Stop("elements nested too deep");
    stack_.emplace_back(name);
    const std::size_t depth = stack_.size();
    if (property_ != nullptr) {
      // Items of the property's container; deeper structures are passed over.
      if (depth == propertyDepth_ + 2 && IsRdf(name, "li")) {
        inItem_ = true;
        item_ = Item{};
        for (const char** a = attributes; a[0] != nullptr; a += 2)
          if (kXmlLang == a[0]) item_.lang = a[1];
      }
      return;
    }
    if (IsRdf(name, "Description") && depth >= 2 && IsRdf(stack_[depth - 2], "RDF")) {
      // Simple properties may be written as attributes of the description.
      for (const char** a = attributes; a[0] != nullptr; a += 2)
        if (const Property* p = FindProperty(a[0])) Keep(*p, TrimXmlSpace(a[1]));
      return;
    }
    if (depth >= 3 && IsRdf(stack_[depth - 2], "Description") && IsRdf(stack_[depth - 3], "RDF")) {
      property_ = FindProperty(name);
      propertyDepth_ = depth;
      text_.clear();
      items_.clear();
    }
  }

  void End() {
    const std::size_t depth = stack_.size();
    if (property_ != nullptr) {
      if (inItem_ && depth == propertyDepth_ + 2) {
        items_.push_back(std::move(item_));
        inItem_ = false;
      } else if (depth == propertyDepth_) {
        FinishProperty();
        property_ = nullptr;
      }
    }
    if (!stack_.empty()) stack_.pop_back();
  }

  void Characters(std::string_view s) {
    if (property_ == nullptr) return;
    if (inItem_ && stack_.size() == propertyDepth_ + 2)
      item_.text.append(s);
    else if (stack_.size() == propertyDepth_)
      text_.append(s);
  }

  void Stop(const char* reason) {
    if (stopReason_.empty()) stopReason_ = reason;
    XML_StopParser(parser_, XML_FALSE);
  }

  const std::string& StopReason() const { return stopReason_; }

  std::vector<tXmpField> Fields() const {
    std::vector<tXmpField> out;
    for (std::size_t i = 0; i < found_.size(); ++i)
      if (found_[i]) out.push_back({static_cast<std::uint16_t>(i + 1), *found_[i]});
    return out;
  }

 private:
  void FinishProperty() {
    std::string value;
    if (items_.empty()) {
      value = TrimXmlSpace(text_);
    } else if (property_->shape == Shape::Alternative) {
      // The default language first, else the first alternative.
      const auto preferred = std::find_if(items_.begin(), items_.end(),
                                          [](const Item& i) { return i.lang == "x-default"; });
      value = TrimXmlSpace((preferred != items_.end() ? *preferred : items_.front()).text);
    } else {
      // Lists are joined like the merged IPTC keywords: a;b;c.
      for (const Item& i : items_) {
        const std::string t = TrimXmlSpace(i.text);
        if (t.empty()) continue;
        if (!value.empty()) value += ';';
        value += t;
      }
    }
    Keep(*property_, std::move(value));
  }

  // The first value of a property wins; an empty one counts as none.
  void Keep(const Property& p, std::string value) {
    if (value.empty()) return;
    std::optional<std::string>& slot = found_[p.tag - 1u];
    if (slot) return;
    slot = p.shape == Shape::Date ? XmpDateAsExif(value) : std::move(value);
  }

  XML_Parser parser_;
  std::vector<std::string> stack_;
  const Property* property_ = nullptr;
  std::size_t propertyDepth_ = 0;
  std::string text_;
  std::vector<Item> items_;
  bool inItem_ = false;
  Item item_;
  std::array<std::optional<std::string>, xmp::kFieldCount> found_;
  std::string stopReason_;
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  static_cast<Reader*>(data)->Start(name, attributes);
}

void XMLCALL OnEnd(void* data, const XML_Char*) { static_cast<Reader*>(data)->End(); }

void XMLCALL OnCharacters(void* data, const XML_Char* s, int length) {
  static_cast<Reader*>(data)->Characters({s, static_cast<std::size_t>(length)});
}

// A document type declaration is where entities are defined (and with them
// entity bombs and references to outside files); an XMP packet has none.
void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  static_cast<Reader*>(data)->Stop("document type declaration");
}

void XMLCALL OnEntityDeclaration(void* data, const XML_Char*, int, const XML_Char*, int,
                                 const XML_Char*, const XML_Char*, const XML_Char*,
                                 const XML_Char*) {
  static_cast<Reader*>(data)->Stop("entity declaration");
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string XmpDateAsExif(std::string_view date) {
  const std::string original(date);
  // YYYY[-MM[-DD[Thh:mm[:ss[.s]][zone]]]]
  if (date.size() < 4 || !AllDigits(date.substr(0, 4))) return original;
  std::string out(date.substr(0, 4));
  date.remove_prefix(4);
  for (int part = 0; part < 2 && !date.empty(); ++part) {
    if (date.size() < 3 || date[0] != '-' || !AllDigits(date.substr(1, 2))) return original;
    out += ':';
    out.append(date.substr(1, 2));
    date.remove_prefix(3);
  }
  if (date.empty()) return out;
  if (out.size() != 10 || date[0] != 'T' || date.size() < 6 || !AllDigits(date.substr(1, 2)) ||
      date[3] != ':' || !AllDigits(date.substr(4, 2)))
    return original;
  out += ' ';
  out.append(date.substr(1, 5));
  date.remove_prefix(6);
  if (date.size() >= 3 && date[0] == ':' && AllDigits(date.substr(1, 2))) {
    out.append(date.substr(0, 3));
    date.remove_prefix(3);
    if (!date.empty() && date[0] == '.') {
      date.remove_prefix(1);
      while (!date.empty() && date[0] >= '0' && date[0] <= '9') date.remove_prefix(1);
    }
  } else {
    out += ":00";
  }
  // What may follow is the zone: Z, +hh:mm or -hh:mm.
  if (date.empty() || date == "Z") return out;
  if (date.size() == 6 && (date[0] == '+' || date[0] == '-') && AllDigits(date.substr(1, 2)) &&
      date[3] == ':' && AllDigits(date.substr(4, 2)))
    return out;
  return original;
}

tXmpReading ReadXmpPacket(std::string_view packet) {
  tXmpReading result;
  if (packet.size() > kMaxXmpPacket) {
    result.Error = "packet of " + std::to_string(packet.size()) + " bytes is too long";
    return result;
  }
  // Writers pad the packet with blanks and sometimes with zero bytes, which
  // XML does not allow.
  while (!packet.empty() &&
         (packet.back() == '\0' || packet.back() == ' ' || packet.back() == '\n' ||
          packet.back() == '\r' || packet.back() == '\t'))
    packet.remove_suffix(1);

  const XML_Parser parser = XML_ParserCreateNS(nullptr, kNsSeparator);
  if (parser == nullptr) {
    result.Error = "no memory for the XML parser";
    return result;
  }
  Reader reader(parser);
  XML_SetUserData(parser, &reader);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnCharacters);
  XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
  XML_SetEntityDeclHandler(parser, OnEntityDeclaration);
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  const XML_Status status =
      XML_Parse(parser, packet.data(), static_cast<int>(packet.size()), XML_TRUE);
  if (status != XML_STATUS_OK) {
    const std::string where = " at line " + std::to_string(XML_GetCurrentLineNumber(parser));
    result.Error = reader.StopReason().empty()
                       ? std::string(XML_ErrorString(XML_GetErrorCode(parser))) + where
                       : reader.StopReason() + where;
  } else {
    result.Fields = reader.Fields();
  }
  XML_ParserFree(parser);
  return result;
}

}  // namespace orvalis
