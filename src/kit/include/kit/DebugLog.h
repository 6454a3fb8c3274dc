#pragma once
// The debug log: progress lines that the editor windows append while they work. Lines are only
// ever appended; the log keeps every line for the whole run. Used on the window thread only.

#include <QObject>
#include <string>
#include <vector>

namespace krel {

class DebugLog : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void append(std::string line);
    const std::vector<std::string>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }

signals:
    // After every append.
    void changed();

private:
    std::vector<std::string> lines_;
};

} // namespace krel
