// tMyVarHandler: the identifier handler of a query run. Every name is a
// field of the current file in the run's metadata store, except rownum, the
// hit number.
#pragma once

#include <cstdint>
#include <string>

#include "query/handlers.h"

namespace orvalis {

class tImageMetaData;

class tMyVarHandler : public tIdentifierClass {
 public:
  explicit tMyVarHandler(tImageMetaData& store) : store_(store) {}

  bool IsIdentifier(const std::string& name) override;
  bool GetValue(const std::string& name, Value& value) override;
  std::uint16_t GetValueType(const std::string& name) override;

 private:
  tImageMetaData& store_;
};

}  // namespace orvalis
