#pragma once
// Results of the archive engine that can fail. A failure carries a readable reason and whether
// the data (a group file, a name) or the system underneath (a read, a write) was at fault: the
// command line turns that into its exit status, the window into its message.

#include <cassert>
#include <optional>
#include <string>
#include <utility>

enum class TFault {
    None,
    BadData, // a bad or hostile group file, or files that cannot form one
    Io,      // the file system refused or failed
    // What was asked does not fit the group file: a name it does not have, or one it already has.
    Conflict,
};

class TStatus {
public:
    TStatus() = default; // success

    static TStatus BadData(std::string reason) { return {TFault::BadData, std::move(reason)}; }
    static TStatus Io(std::string reason) { return {TFault::Io, std::move(reason)}; }
    static TStatus Conflict(std::string reason) { return {TFault::Conflict, std::move(reason)}; }

    bool Ok() const { return FaultValue == TFault::None; }
    TFault Fault() const { return FaultValue; }
    const std::string& Reason() const { return ReasonValue; }

private:
    TStatus(TFault fault, std::string reason) : FaultValue(fault), ReasonValue(std::move(reason)) {}

    TFault FaultValue = TFault::None;
    std::string ReasonValue;
};

// A value, or the status of the failure that left none.
template <class T>
class TResult {
public:
    TResult(T value) : HeldValue(std::move(value)) {}
    TResult(TStatus failure) : StatusValue(std::move(failure)) { assert(!StatusValue.Ok()); }

    bool Ok() const { return StatusValue.Ok(); }
    const TStatus& Status() const { return StatusValue; }
    const std::string& Reason() const { return StatusValue.Reason(); }

    T& Value() {
        assert(Ok());
        return *HeldValue;
    }
    const T& Value() const {
        assert(Ok());
        return *HeldValue;
    }

private:
    std::optional<T> HeldValue;
    TStatus StatusValue;
};
