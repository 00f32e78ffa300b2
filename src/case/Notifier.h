// What the core must tell the user goes through this interface: a warning text, or a request to
// move the focus to a named control. The window shows a message box; the batch collects the
// warnings of its rows; work no one watches uses the quiet notifier.
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

// Tells no one: section look-ups whose warnings belong to a later calculation, benchmarks, the
// design study's many runs.
class QuietNotifier : public Notifier {
public:
    void warn(const std::string&) override {}
    void focus(const std::string&) override {}
};

// Keeps the warning texts in order and drops the focus requests: a batch run reports the
// warnings of a row after the row instead of one message box each.
class WarningCollector : public Notifier {
public:
    void warn(const std::string& text) override { warnings.push_back(text); }
    void focus(const std::string&) override {}

    std::vector<std::string> warnings;
};

} // namespace velmora
