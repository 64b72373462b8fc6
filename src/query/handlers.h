// The two outside objects an expression asks what a name means:
// tIdentifierClass resolves field and variable names, tFunctionClass knows
// and runs the functions. Also the type numbers of that interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/value.h"

namespace orvalis {

namespace type_number {
constexpr std::uint16_t kInteger = 3;
constexpr std::uint16_t kFloat = 5;
constexpr std::uint16_t kBoolean = 11;
constexpr std::uint16_t kAny = 12;
constexpr std::uint16_t kNoType = 13;
constexpr std::uint16_t kUnsigned32 = 19;
constexpr std::uint16_t kText = 256;
constexpr std::uint16_t kAnyAlias = 257;
}  // namespace type_number

// The type code (247..250) an argument must have for a parameter of the given
// type number; 0 for "any" (not tested).
std::uint16_t ParamTypeToCode(std::uint16_t typeNumber);

class tIdentifierClass {
 public:
  virtual ~tIdentifierClass() = default;
  virtual bool IsIdentifier(const std::string& name) = 0;
  virtual bool GetValue(const std::string& name, Value& value) = 0;
  virtual std::uint16_t GetValueType(const std::string& name) = 0;
};

class tFunctionClass {
 public:
  virtual ~tFunctionClass() = default;
  virtual bool IsFunction(const std::string& name) = 0;
  virtual std::uint16_t GetResultType(const std::string& name) = 0;
  virtual int GetArgCount(const std::string& name) = 0;
  virtual void GetParamTypes(const std::string& name, std::vector<std::uint16_t>& types) = 0;
  virtual void Execute(const std::string& name, const std::vector<Value>& arguments,
                       Value& result) = 0;
};

}  // namespace orvalis
