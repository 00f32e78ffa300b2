// A notifier for the tests: keeps every warning and focus request in order.
#pragma once

#include "case/Notifier.h"

#include <string>
#include <vector>

namespace velmora {

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
