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
  static Value Boolean(bool b) { return Value(tData(std::in_place_type<bool>, b)); }
  static Value Integer(std::int64_t i) { return Value(tData(std::in_place_type<std::int64_t>, i)); }
  static Value Number(double d) { return Value(tData(std::in_place_type<double>, d)); }
  static Value Text(std::string s) {
    return Value(tData(std::in_place_type<std::string>, std::move(s)));
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
  using tData = std::variant<std::monostate, bool, std::int64_t, double, std::string>;
  explicit Value(tData data) : data_(std::move(data)) {}

  tData data_;
};

}  // namespace orvalis
