// The built-in functions for the parser: tCompileOnlyFunctionHandler knows
// their names and signatures; tMyFunctionHandler, the handler of a query run,
// also runs them over the run's metadata store.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "query/handlers.h"
#include "common/locale_info.h"

namespace orvalis {

class tImageMetaData;

// Compiling only: knows the built-in functions' names and signatures and
// evaluates nothing (Execute gives an empty value).
class tCompileOnlyFunctionHandler : public tFunctionClass {
 public:
  bool IsFunction(const std::string& name) override;
  std::uint16_t GetResultType(const std::string& name) override;
  int GetArgCount(const std::string& name) override;
  void GetParamTypes(const std::string& name, std::vector<std::uint16_t>& types) override;
  void Execute(const std::string& name, const std::vector<Value>& arguments,
               Value& result) override;
};

class tMyFunctionHandler : public tCompileOnlyFunctionHandler {
 public:
  // The store holds the current file for the whole run; it may be null when
  // only compiling or when no file is involved (then hassegment gives
  // "false" and contains the empty text).
  explicit tMyFunctionHandler(tImageMetaData* store, LocaleInfo locale = LocaleInfo::English());

  void Execute(const std::string& name, const std::vector<Value>& arguments,
               Value& result) override;

  // The first resource limit a function reached (the library's words), or
  // empty; the evaluation that reached it failed.
  const std::string& LimitReached() const { return limitReached_; }

 private:
  tImageMetaData* store_;
  LocaleInfo locale_;
  std::string limitReached_;
};

}  // namespace orvalis
