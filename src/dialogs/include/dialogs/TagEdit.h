#pragma once
// The tag fields. A tag is four characters from A to Z, 0 to 9 and the full stop. Typed keys are
// filtered as they come (a lower-case letter shows as its capital, a capital typed with Shift or
// Caps Lock is dropped); text that arrives any other way, pasted or dropped, is cleaned by the
// validator: letters upper-cased, other characters dropped, cut to four.

#include <QLineEdit>
#include <QValidator>

namespace krel {

inline constexpr int kTagLength = 4;

// text upper-cased, stripped of everything but A-Z, 0-9 and ".", cut to four characters.
QString CleanTagText(const QString& text);

// Cleans whatever reaches the field.
class TTagValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Only upper-cases: for tags that are shown, not typed.
class TUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// What a typed character does to the tag field.
enum class TagKey { Insert, Discard, PassOn };
// Insert: a character of the tag alphabet (a lower-case letter stands for its capital);
// Discard: any other character; PassOn: keys that type nothing (arrows, backspace, shortcuts).
TagKey ClassifyTagKey(const QString& typed);

// The entry editor's tag field: the typed-key filter and the cleaning validator together. The
// field holds at most four characters however the text arrives.
class TTagEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TTagEdit(QWidget* parent = nullptr);
    // Shows a stored tag as it stands (only upper-cased), even when it holds characters that
    // cannot be typed, so that opening and applying an entry never alters its tag.
    void showStoredTag(const QString& tag);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void filterKey(QKeyEvent* event);
};

} // namespace krel
