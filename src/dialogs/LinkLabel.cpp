#include "dialogs/LinkLabel.h"

#include "kit/DialogControls.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace krel {
namespace {

const QString kPlain = QStringLiteral("QLabel { padding-left: 2px; }");
const QString kHighlighted =
    QStringLiteral("QLabel { padding-left: 2px; color: white; background: #000080; }");

} // namespace

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent) {
    setStyleSheet(kPlain);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::StrongFocus);
}

// The link with the keyboard focus looks as under the pointer; Return, Enter or Space change it.
void TLinkLabel::keyPressEvent(QKeyEvent* event) {
    if (IsActivationKey(event->key())) {
        emit clicked(this);
        return;
    }
    QLabel::keyPressEvent(event);
}

void TLinkLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    setHighlighted(true);
}

void TLinkLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    setHighlighted(false);
}

void TLinkLabel::setRecord(RecordId record, const QString& title) {
    record_ = record;
    setText(title);
}

void TLinkLabel::setHighlighted(bool on) {
    highlighted_ = on;
    setStyleSheet(on ? kHighlighted : kPlain);
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    setHighlighted(true);
    emit mouseEntered(this);
}

void TLinkLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    setHighlighted(false);
    emit mouseLeft(this);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked(this);
        return;
    }
    QLabel::mousePressEvent(event);
}

} // namespace krel
