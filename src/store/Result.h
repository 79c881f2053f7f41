#pragma once
// Errors as values: every storage call returns a Status or a Result<T> that
// the caller must look at. Nothing in the core throws across its boundary.
#include <optional>
#include <string>
#include <utility>

namespace tarvolen {

enum class ErrorCode {
  None,
  OpenFailed,  // file or folder cannot be opened or created
  ReadFailed,
  WriteFailed,
  TooLong,  // packed record larger than its record length
  BadText,  // text that has no GBK form
  Missing,  // a required file is absent
  Corrupt,  // file content that cannot be used
  Refused,  // a rule of the desk says no
};

class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(ErrorCode code, std::string detail) : code_(code), detail_(std::move(detail)) {}
  static Status Ok() { return {}; }

  bool ok() const { return code_ == ErrorCode::None; }
  ErrorCode code() const { return code_; }
  const std::string& detail() const { return detail_; }

 private:
  ErrorCode code_ = ErrorCode::None;
  std::string detail_;
};

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}        // NOLINT: implicit on purpose
  Result(Status error) : status_(std::move(error)) {}  // NOLINT

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  T& value() { return *value_; }
  const T& value() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace tarvolen
