// The exceptions of the expression language: EParsingException from the
// classifier (with the column of the offending text) and EEvaluationException
// from evaluation. The parser catches both and reports their message.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvalis {

class EParsingException : public std::runtime_error {
 public:
  EParsingException(const std::string& message, std::int32_t column)
      : std::runtime_error(message), column_(column) {}
  std::int32_t Column() const { return column_; }

 private:
  std::int32_t column_;
};

class EEvaluationException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An evaluation that gave up at a resource limit (a regular expression that
// backtracks without end): no answer, where a plain failure is a wrong one.
class ELimitException : public EEvaluationException {
 public:
  using EEvaluationException::EEvaluationException;
};

}  // namespace orvalis
