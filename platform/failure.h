// Failures of the form runtime, ending the program, and the one place where a
// procedure that "carries on" swallows a failing statement.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A failing operation of the form runtime: a property or system call that
// cannot be reached, an overflow, an invalid value. Raised in the statement
// that made the call.
class Failure : public std::runtime_error {
 public:
  enum class Kind { Overflow, InvalidValue, Unreachable };
  Failure(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

[[noreturn]] inline void Fail(Failure::Kind kind, const std::string& what) {
  throw Failure(kind, what);
}

// Thrown by End(): unwinds every handler at once, so no later statement runs.
// Deliberately not a std::exception, so CarryOn never stops it.
struct ProgramEnd {};

// Runs one statement of a procedure that carries on past failures. A failing
// statement is abandoned and the next one runs; nothing is reported. Every
// swallowed failure of the program goes through here.
template <class Statement>
void CarryOn(Statement&& statement) {
  try {
    statement();
  } catch (const std::exception&) {  // NOLINT(bugprone-empty-catch): the rule is to go on.
  }
}

}  // namespace platform
