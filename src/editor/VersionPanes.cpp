#include "editor/VersionPanes.h"

#include "encyclopedia/TextFormat.h"
#include "encyclopedia/WordDiff.h"
#include "kit/QtText.h"

#include <QGridLayout>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>
#include <utility>
#include <vector>

namespace krel {
namespace {

const QColor kRemovedColour(0xF2, 0xB8, 0xB8);
const QColor kInsertedColour(0xB8, 0xE6, 0xB8);
const QColor kChangedFieldColour(0xF6, 0xE7, 0xA8);

using FieldLine = std::pair<const char*, std::string>;

std::vector<FieldLine> fieldLines(const RecordSide& side) {
    const T_EncEntry& r = side.Record;
    if (r.Kind == ekHeader)
        return {{"Title", std::string(HeaderTitle(r.Content))},
                {"Members", std::string(HeaderMembers(r.Content))}};
    std::vector<FieldLine> lines = {{"Tag", r.Tag},
                                    {"Title", r.Title},
                                    {"Picture", r.Image},
                                    {"Keywords", r.Keywords},
                                    {"Links", r.Related}};
    if (side.Listing)
        lines.emplace_back("Headers", *side.Listing);
    return lines;
}

std::string_view bodyOf(const RecordSide& side) {
    return side.Record.Kind == ekHeader ? std::string_view() : side.Record.Content;
}

QTextCharFormat marked(const QColor& colour) {
    QTextCharFormat format;
    format.setBackground(colour);
    return format;
}

// Inserts program text, each "/p" as a new line.
void insertText(QTextCursor& cursor, std::string_view text, const QTextCharFormat& format) {
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("/p"), QStringLiteral("\n"));
    cursor.insertText(shown, format);
}

void insertFields(QTextCursor& cursor, const std::vector<FieldLine>& mine,
                  const std::vector<FieldLine>& other) {
    for (size_t i = 0; i < mine.size(); ++i) {
        const bool changed = i >= other.size() || other[i].second != mine[i].second;
        QTextCharFormat name;
        name.setFontWeight(QFont::Bold);
        cursor.insertText(QString::fromLatin1(mine[i].first) + QStringLiteral(": "), name);
        insertText(cursor, mine[i].second,
                   changed ? marked(kChangedFieldColour) : QTextCharFormat());
        cursor.insertText(QStringLiteral("\n"), QTextCharFormat());
    }
}

void insertBody(QTextCursor& cursor, std::string_view text, const std::vector<TextSpan>& spans,
                const QColor& colour) {
    cursor.insertText(QStringLiteral("\n"), QTextCharFormat());
    size_t at = 0;
    for (const TextSpan& span : spans) {
        insertText(cursor, text.substr(at, span.Start - at), QTextCharFormat());
        insertText(cursor, text.substr(span.Start, span.Length), marked(colour));
        at = span.Start + span.Length;
    }
    insertText(cursor, text.substr(at), QTextCharFormat());
}

void showSide(QTextEdit* pane, const std::optional<RecordSide>& side,
              const std::optional<RecordSide>& other, const std::vector<TextSpan>& spans,
              const QColor& colour) {
    pane->clear();
    if (!side) {
        pane->setPlainText(QStringLiteral("(not in this version)"));
        return;
    }
    QTextCursor cursor(pane->document());
    insertFields(cursor, fieldLines(*side), other ? fieldLines(*other) : std::vector<FieldLine>{});
    insertBody(cursor, bodyOf(*side), spans, colour);
    pane->moveCursor(QTextCursor::Start);
}

QTextEdit* pane(const char* name, QWidget* parent) {
    auto* edit = new QTextEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

// A pane is read out by the caption above it.
void describePane(QTextEdit* pane, const QString& caption) {
    pane->setAccessibleName(caption + QStringLiteral(" version"));
    pane->setAccessibleDescription(
        QStringLiteral("The selected record as the %1 version holds it; fields that differ and "
                       "changed words are marked.")
            .arg(caption));
}

} // namespace

VersionPanes::VersionPanes(const QString& leftCaption, const QString& rightCaption, QWidget* parent)
    : QWidget(parent), left_(pane("LeftVersion", this)), right_(pane("RightVersion", this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    describePane(left_, leftCaption);
    describePane(right_, rightCaption);
    grid->addWidget(new QLabel(leftCaption, this), 0, 0);
    grid->addWidget(new QLabel(rightCaption, this), 0, 1);
    grid->addWidget(left_, 1, 0);
    grid->addWidget(right_, 1, 1);
}

void VersionPanes::Show(const std::optional<RecordSide>& left,
                        const std::optional<RecordSide>& right) {
    WordDifference words;
    if (left && right)
        words = DiffWords(bodyOf(*left), bodyOf(*right));
    showSide(left_, left, right, words.Removed, kRemovedColour);
    showSide(right_, right, left, words.Inserted, kInsertedColour);
}

void VersionPanes::Clear() {
    left_->clear();
    right_->clear();
}

} // namespace krel
