#include "dialogs/TagEdit.h"

#include "dialogs/DialogErrors.h"

#include <QKeyEvent>

namespace krel {
namespace {

bool isTagCharacter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.';
}

} // namespace

QString CleanTagText(const QString& text) {
    QString clean;
    for (QChar c : text) {
        QChar upper = (c >= u'a' && c <= u'z') ? c.toUpper() : c;
        if (isTagCharacter(upper) && clean.size() < kTagLength)
            clean.append(upper);
    }
    return clean;
}

QValidator::State TTagValidator::validate(QString& input, int& pos) const {
    QString clean = CleanTagText(input);
    if (clean != input) {
        pos = static_cast<int>(CleanTagText(input.left(pos)).size());
        input = clean;
    }
    return Acceptable;
}

QValidator::State TUpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    return Acceptable;
}

TagKey ClassifyTagKey(const QString& typed) {
    if (typed.size() != 1)
        return TagKey::PassOn;
    QChar c = typed.front();
    if (c.unicode() < 32 || c.unicode() == 127)
        return TagKey::PassOn;
    if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'.')
        return TagKey::Insert;
    return TagKey::Discard;
}

TTagEdit::TTagEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new TTagValidator(this));
}

void TTagEdit::showStoredTag(const QString& tag) {
    const QValidator* cleaner = validator();
    setValidator(nullptr);
    setText(tag.toUpper());
    setValidator(cleaner);
}

void TTagEdit::keyPressEvent(QKeyEvent* event) {
    guarded<EEncEntryEditorError>("EntryTagKeyPress()", [&] { filterKey(event); });
}

void TTagEdit::filterKey(QKeyEvent* event) {
    constexpr auto shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    TagKey key = (event->modifiers() & shortcut) ? TagKey::PassOn : ClassifyTagKey(event->text());
    switch (key) {
    case TagKey::PassOn:
        QLineEdit::keyPressEvent(event);
        return;
    case TagKey::Discard:
        event->accept();
        return;
    case TagKey::Insert:
        if (text().size() < kTagLength || hasSelectedText())
            insert(event->text().toUpper());
        event->accept();
        return;
    }
}

} // namespace krel
