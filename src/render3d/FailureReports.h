#pragma once
#include <set>
#include <string>

// The renderer tells each failure of its operations in a message box. A FailureReports
// remembers the messages it has shown: while one of its scopes is open, a message it has
// shown once is not shown again. One failing redraw of many faces then tells the user once,
// and a table whose every redraw fails tells each failure once, not on every redraw.
namespace render3d {

class FailureReports {
public:
    // Opens the reports for the scope's lifetime; scopes nest, the innermost one counts.
    class Scope {
    public:
        explicit Scope(FailureReports& reports);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        FailureReports* previous_;
    };

    // Whether the message is to be shown now: true the first time, false after that.
    bool FirstTime(const std::string& message) { return shown_.insert(message).second; }
    // The reports of the innermost open scope, or null when none is open.
    static FailureReports* Current();

private:
    std::set<std::string> shown_;
};

} // namespace render3d
