#pragma once

#include <exception>
#include <iosfwd>
#include <string>

namespace folimo {

// The one error type of the library. Every failure the library reports is one of these six
// cases, each with one complete sentence for the user (errorDescription()). Payloads are
// bare names (the last path component, never a path) or, for `video`, a short lower-case
// reason without a final full stop.
class ListingError : public std::exception {
public:
    enum class Kind { unreadable, locked, writeFailed, video, noPages, noPagesSelected };

    static ListingError unreadable(std::string name) { return {Kind::unreadable, std::move(name)}; }
    static ListingError locked(std::string name) { return {Kind::locked, std::move(name)}; }
    static ListingError writeFailed(std::string name) {
        return {Kind::writeFailed, std::move(name)};
    }
    // writeFailed, its message naming the cause when errorNumber (an errno value) says the disk
    // (or the user's quota) is full.
    static ListingError writeFailed(std::string name, int errorNumber);
    static ListingError video(std::string reason) { return {Kind::video, std::move(reason)}; }
    static ListingError noPages() { return {Kind::noPages, {}}; }
    static ListingError noPagesSelected() { return {Kind::noPagesSelected, {}}; }

    Kind kind() const { return kind_; }
    // The user-facing message, exactly as the application shows it. Never fails.
    const std::string& errorDescription() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

    bool operator==(const ListingError& other) const {
        return kind_ == other.kind_ && payload_ == other.payload_ && diskFull_ == other.diskFull_;
    }

private:
    ListingError(Kind kind, std::string payload, bool diskFull = false);
    // writeFailed whose message names the cause: the disk (or the user's quota) is full.
    static ListingError diskFull(std::string name) {
        return {Kind::writeFailed, std::move(name), true};
    }

    Kind kind_;
    std::string payload_;
    bool diskFull_;
    std::string message_;
};

// The case's name and the message, for test failure messages.
void PrintTo(const ListingError& error, std::ostream* out);

// Thrown by long operations whose std::stop_token was asked to stop. Not a ListingError:
// stopped work is not a failure to report.
class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "Stopped."; }
};

} // namespace folimo
