// orvalis-cli --eval: compiles one expression as a SELECT column is compiled
// and evaluates it once, against a file's metadata or an empty store.
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "platform/system_locale.h"
#include "metadata/image_metadata.h"
#include "output/display_text.h"
#include "query/function_handler.h"
#include "query/parser_factory.h"
#include "query/value_conversion.h"
#include "query/var_handler.h"

namespace orvalis::cli {

namespace {

const char* VarietyName(const Value& v) {
  switch (v.variety()) {
    case Value::Variety::Empty: return "empty";
    case Value::Variety::Boolean: return "boolean";
    case Value::Variety::Integer: return "integer";
    case Value::Variety::Number: return "number";
    case Value::Variety::Text: return "text";
  }
  return "empty";
}

int Fail(const std::string& message) {
  std::cout << "error: " << EscapeField(ToDisplayUtf8(message)) << '\n';
  return kExitRefused;
}

}  // namespace

int RunEval(const Arguments& args) {
  char delimiter = '\'';
  std::vector<const std::string*> positional;
  for (const std::string& arg : args) {
    if (arg == "--double-quote") {
      delimiter = '"';
    } else {
      positional.push_back(&arg);
    }
  }
  if (positional.empty()) return UsageError("--eval needs an expression");
  if (positional.size() > 2) return UsageError("--eval takes an expression and at most one file");

  const LocaleInfo locale = platform::SystemLocale();
  // The store runs as a query run's store does.
  tImageMetaData store;
  store.MergeIptcLists = 1;
  store.RowNumber = 1;
  if (positional.size() == 2) {
    try {
      store.ReadJpegFile(*positional[1]);
    } catch (const std::exception& e) {
      return Fail(*positional[1] + ": " + e.what());  // say which file
    }
  }

  tMyVarHandler names(store);
  tMyFunctionHandler functions(&store, locale);
  const std::unique_ptr<tParser> parser =
      MakeParser(*positional[0], tParserOptions{delimiter, locale}, names, functions);
  if (!parser->Compile()) return Fail(parser->ErrorText);
  if (!parser->Evaluate()) return Fail(parser->ErrorText);
  const Value& value = parser->Result->Value;
  std::cout << VarietyName(value) << ": " << EscapeField(ToDisplayUtf8(ValueToText(value, locale)))
            << '\n';
  return kExitOk;
}

}  // namespace orvalis::cli
