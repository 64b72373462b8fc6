// The dynamically typed value of the expression language, also the typed
// value of a metadata entry: empty, boolean, integer, 64-bit floating point
// or text. Conversions that depend on the user's locale live in the
// evaluator, not here.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace orvalis {

class Value {
 public:
  enum class Variety { Empty, Boolean, Integer, Number, Text };

  Value() = default;
  static Value Boolean(bool b) {
    Value v;
    v.data_ = b;
    return v;
  }
  static Value Integer(std::int64_t i) {
    Value v;
    v.data_ = i;
    return v;
  }
  static Value Number(double d) {
    Value v;
    v.data_ = d;
    return v;
  }
  static Value Text(std::string s) {
    Value v;
    v.data_ = std::move(s);
    return v;
  }

  Variety variety() const { return static_cast<Variety>(data_.index()); }
  bool IsEmpty() const { return variety() == Variety::Empty; }
  bool IsBoolean() const { return variety() == Variety::Boolean; }
  bool IsInteger() const { return variety() == Variety::Integer; }
  bool IsNumber() const { return variety() == Variety::Number; }
  bool IsNumeric() const { return IsInteger() || IsNumber(); }
  bool IsText() const { return variety() == Variety::Text; }

  bool AsBoolean() const { return std::get<bool>(data_); }
  std::int64_t AsInteger() const { return std::get<std::int64_t>(data_); }
  double AsNumber() const { return std::get<double>(data_); }
  const std::string& AsText() const { return std::get<std::string>(data_); }

  bool operator==(const Value&) const = default;

 private:
  std::variant<std::monostate, bool, std::int64_t, double, std::string> data_;
};

}  // namespace orvalis
