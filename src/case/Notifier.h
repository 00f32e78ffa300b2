// What the core must tell the user goes through this interface: a warning text, or a request to
// move the focus to a named control. The window shows a message box; tests record the calls.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void warn(const std::string& text) = 0;
    virtual void focus(const std::string& control) = 0;
};

// Keeps every call in order; used by the tests and by the command-line tool.
class RecordingNotifier : public Notifier {
public:
    struct Call {
        bool isFocus = false;
        std::string text; // the warning text, or the control name of a focus request
    };

    void warn(const std::string& text) override { calls.push_back({false, text}); }
    void focus(const std::string& control) override { calls.push_back({true, control}); }

    std::vector<std::string> warnings() const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (!c.isFocus)
                out.push_back(c.text);
        return out;
    }
    void clear() { calls.clear(); }

    std::vector<Call> calls;
};

} // namespace velmora
