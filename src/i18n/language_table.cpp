#include "i18n/language_table.h"

#include "common/ascii_case.h"
#include "common/text.h"

namespace orvalis {

namespace {

constexpr tLanguageRow kLanguages[] = {
    {1078, "af", "Afrikaans"},
    {1052, "sq", "Albanian"},
    {14337, "ar-ae", "Arabic-United Arab Emirates"},
    {15361, "ar-bh", "Arabic-Bahrain"},
    {5121, "ar-dz", "Arabic-Algeria"},
    {3073, "ar-eg", "Arabic-Egypt"},
    {2049, "ar-iq", "Arabic-Iraq"},
    {11265, "ar-jo", "Arabic-Jordan"},
    {13313, "ar-kw", "Arabic-Kuwait"},
    {12289, "ar-lb", "Arabic-Lebanon"},
    {4097, "ar-ly", "Arabic-Libya"},
    {6145, "ar-ma", "Arabic-Morocco"},
    {8193, "ar-om", "Arabic-Oman"},
    {16385, "ar-qa", "Arabic-Qatar"},
    {1025, "ar-sa", "Arabic-Saudi Arabia"},
    {10241, "ar-sy", "Arabic-Syria"},
    {7169, "ar-tn", "Arabic-Tunisia"},
    {9217, "ar-ye", "Arabic-Yemen"},
    {1067, "hy", "Armenian"},
    {1068, "az-az", "Azeri-Latin"},
    {2092, "az-az", "Azeri-Cyrillic"},
    {1069, "eu", "Basque"},
    {1059, "be", "Belarusian"},
    {1026, "bg", "Bulgarian"},
    {1027, "ca", "Catalan"},
    {2052, "zh-cn", "Chinese-China"},
    {3076, "zh-hk", "Chinese-Hong Kong SAR"},
    {5124, "zh-mo", "Chinese-Macau SAR"},
    {4100, "zh-sg", "Chinese-Singapore"},
    {1028, "zh-tw", "Chinese-Taiwan"},
    {1050, "hr", "Croatian"},
    {1029, "cs", "Czech"},
    {1030, "da", "Danish"},
    {1043, "nl-nl", "Dutch-The Netherlands"},
    {2067, "nl-be", "Dutch-Belgium"},
    {3081, "en-au", "English-Australia"},
    {10249, "en-bz", "English-Belize"},
    {4105, "en-ca", "English-Canada"},
    {9225, "en-cb", "English-Caribbean"},
    {6153, "en-ie", "English-Ireland"},
    {8201, "en-jm", "English-Jamaica"},
    {5129, "en-nz", "English-New Zealand"},
    {13321, "en-ph", "English-Phillippines"},
    {7177, "en-za", "English-South Africa"},
    {11273, "en-tt", "English-Trinidad"},
    {2057, "en-gb", "English-United Kingdom"},
    {1033, "en-us", "English-United States"},
    {1061, "et", "Estonian"},
    {1065, "fa", "Farsi"},
    {1035, "fi", "Finnish"},
    {1080, "fo", "Faroese"},
    {1036, "fr-fr", "French-France"},
    {2060, "fr-be", "French-Belgium"},
    {3084, "fr-ca", "French-Canada"},
    {5132, "fr-lu", "French-Luxembourg"},
    {4108, "fr-ch", "French-Switzerland"},
    {2108, "gd-ie", "Gaelic-Ireland"},
    {1084, "gd", "Gaelic-Scotland"},
    {1031, "de-de", "German-Germany"},
    {3079, "de-at", "German-Austria"},
    {5127, "de-li", "German-Liechtenstein"},
    {4103, "de-lu", "German-Luxembourg"},
    {2055, "de-ch", "German-Switzerland"},
    {1032, "el", "Greek"},
    {1037, "he", "Hebrew"},
    {1081, "hi", "Hindi"},
    {1038, "hu", "Hungarian"},
    {1039, "is", "Icelandic"},
    {1057, "id", "Indonesian"},
    {1040, "it-it", "Italian-Italy"},
    {2064, "it-ch", "Italian-Switzerland"},
    {1041, "ja", "Japanese"},
    {1042, "ko", "Korean"},
    {1062, "lv", "Latvian"},
    {1063, "lt", "Lithuanian"},
    {1071, "mk", "FYRO Macedonian"},
    {1086, "ms-my", "Malay-Malaysia"},
    {2110, "ms-bn", "Malay-Brunei"},
    {1082, "mt", "Maltese"},
    {1102, "mr", "Marathi"},
    {1044, "no-no", "Norwegian-Bokm\u00D5l"},
    {2068, "no-no", "Norwegian-Nynorsk"},
    {1045, "pl", "Polish"},
    {2070, "pt-pt", "Portuguese-Portugal"},
    {1046, "pt-br", "Portuguese-Brazil"},
    {1047, "rm", "Raeto-Romance"},
    {1048, "ro", "Romanian-Romania"},
    {2072, "ro-mo", "Romanian-Moldova"},
    {1049, "ru", "Russian"},
    {2073, "ru-mo", "Russian-Moldova"},
    {1103, "sa", "Sanskrit"},
    {3098, "sr-sp", "Serbian-Cyrillic"},
    {2074, "sr-sp", "Serbian-Latin"},
    {1074, "tn", "Setsuana"},
    {1060, "sl", "Slovenian"},
    {1051, "sk", "Slovak"},
    {1070, "sb", "Sorbian"},
    {1034, "es-es", "Spanish-Spain"},
    {11274, "es-ar", "Spanish-Argentina"},
    {16394, "es-bo", "Spanish-Bolivia"},
    {13322, "es-cl", "Spanish-Chile"},
    {9226, "es-co", "Spanish-Colombia"},
    {5130, "es-cr", "Spanish-Costa Rica"},
    {7178, "es-do", "Spanish-Dominican Republic"},
    {12298, "es-ec", "Spanish-Ecuador"},
    {4106, "es-gt", "Spanish-Guatemala"},
    {18442, "es-hn", "Spanish-Honduras"},
    {2058, "es-mx", "Spanish-Mexico"},
    {19466, "es-ni", "Spanish-Nicaragua"},
    {6154, "es-pa", "Spanish-Panama"},
    {10250, "es-pe", "Spanish-Peru"},
    {20490, "es-pr", "Spanish-Puerto Rico"},
    {15370, "es-py", "Spanish-Paraguay"},
    {17418, "es-sv", "Spanish-El Salvador"},
    {14346, "es-uy", "Spanish-Uruguay"},
    {8202, "es-ve", "Spanish-Venezuela"},
    {1072, "sx", "Sutu"},
    {1089, "sw", "Swahili"},
    {1053, "sv-se", "Swedish-Sweden"},
    {2077, "sv-fi", "Swedish-Finland"},
    {1097, "ta", "Tamil"},
    {1092, "tt", "Tatar"},
    {1054, "th", "Thai"},
    {1055, "tr", "Turkish"},
    {1073, "ts", "Tsonga"},
    {1058, "uk", "Ukrainian"},
    {1056, "ur", "Urdu"},
    {2115, "uz-uz", "Uzbek-Cyrillic"},
    {1091, "uz-uz", "Uzbek-Latin"},
    {1066, "vi", "Vietnamese"},
    {1076, "xh", "Xhosa"},
    {1085, "yi", "Yiddish"},
    {1077, "zu", "Zulu"},
};

}  // namespace

std::span<const tLanguageRow> LanguageTable() { return kLanguages; }

std::string CodeForLocale(int localeId, bool full) {
  for (const tLanguageRow& row : kLanguages) {
    if (row.LocaleId == localeId) return std::string(Trim(full ? row.Code : row.Name, " "));
  }
  return std::string(kUnknownLanguage);
}

std::string PrimaryCodeForLocale(int localeId) {
  std::string code = CodeForLocale(localeId, true);
  if (code != kUnknownLanguage) {
    if (const std::size_t dash = code.find('-'); dash != std::string::npos) code.resize(dash);
  }
  return code;
}

std::string NameForCode(std::string_view code) {
  for (const tLanguageRow& row : kLanguages) {
    if (EqualsNoCase(row.Code, code)) return std::string(row.Name);
  }
  return std::string(kUnknownLanguage);
}

std::string CodeForName(std::string_view name) {
  for (const tLanguageRow& row : kLanguages) {
    if (EqualsNoCase(row.Name, name)) return std::string(row.Code);
  }
  return std::string(kUnknownLanguage);
}

int LocaleForCode(std::string_view code) {
  for (const tLanguageRow& row : kLanguages) {
    if (EqualsNoCase(row.Code, code)) return row.LocaleId;
  }
  return 0;
}

std::string CodeForSystemLocale(std::string_view localeName) {
  // "de_AT.UTF-8@euro": the part before the code set and the modifier.
  localeName = localeName.substr(0, localeName.find_first_of(".@"));
  if (localeName.empty() || localeName == "C" || localeName == "POSIX") return {};
  std::string code = AsciiLower(localeName);
  for (char& c : code) {
    if (c == '_') c = '-';
  }
  return code;
}

}  // namespace orvalis
