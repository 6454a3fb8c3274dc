#pragma once
// Hints (tool tips) of the whole application wrap at 300 pixels and stay up for ten seconds.

#include <QFont>
#include <QObject>
#include <QString>
#include <functional>

namespace krel {

inline constexpr int kHintMaxWidth = 300;
inline constexpr int kHintShowMilliseconds = 10000;

// The hint as rich text whose lines, broken at word boundaries, are at most maxWidth pixels
// wide in font (a single word wider than that keeps its own line).
QString WrapHintText(const QString& hint, const QFont& font, int maxWidth = kHintMaxWidth);

class HintFilter : public QObject {
public:
    // guard runs the hint handler so that its failures are reported like every handler's.
    using Guard = std::function<void(const std::function<void()>&)>;
    HintFilter(Guard guard, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Guard guard_;
};

} // namespace krel
