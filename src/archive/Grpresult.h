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

    bool Ok() const { return FFault == TFault::None; }
    TFault Fault() const { return FFault; }
    const std::string& Reason() const { return FReason; }

private:
    TStatus(TFault fault, std::string reason) : FFault(fault), FReason(std::move(reason)) {}

    TFault FFault = TFault::None;
    std::string FReason;
};

// A value, or the status of the failure that left none.
template <class T>
class TResult {
public:
    TResult(T value) : FValue(std::move(value)) {}
    TResult(TStatus failure) : FStatus(std::move(failure)) { assert(!FStatus.Ok()); }

    bool Ok() const { return FStatus.Ok(); }
    const TStatus& Status() const { return FStatus; }
    const std::string& Reason() const { return FStatus.Reason(); }

    T& Value() {
        assert(Ok());
        return *FValue;
    }
    const T& Value() const {
        assert(Ok());
        return *FValue;
    }

private:
    std::optional<T> FValue;
    TStatus FStatus;
};
