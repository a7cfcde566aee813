#pragma once

#include <optional>
#include <string>
#include <utility>

#include "common/error_code.h"

namespace tarvin {

// A call that failed: its name as the user sees it in a report, such as
// "(RegOpenKeyEx)", and its Win32 error code. Every function that can fail
// returns its failure: as std::optional<Failure>, empty when it did what it
// should, or inside a Result where a value comes back on success. What comes
// back also on failure, such as the names read before a read failed, comes
// back through a parameter.
struct Failure {
    std::wstring label;
    ErrorCode code = kErrorSuccess;
};

// The value a call gives, or the failure that kept it from giving one.
template <typename Value>
class Result {
public:
    Result(Value value) : value_(std::move(value)) {}
    Result(Failure failure) : failure_(std::move(failure)) {}

    explicit operator bool() const { return value_.has_value(); }
    Value& operator*() { return *value_; }
    const Value& operator*() const { return *value_; }
    Value* operator->() { return &*value_; }
    const Value* operator->() const { return &*value_; }
    // Only where there is no value.
    const Failure& failure() const { return failure_; }

private:
    std::optional<Value> value_;
    Failure failure_;
};

}  // namespace tarvin
