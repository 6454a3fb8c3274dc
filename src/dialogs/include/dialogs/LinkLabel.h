#pragma once
// One related-entry line of the entry editor: names the record it refers to, turns white on
// navy while the pointer is over it, and reports clicks and the pointer's coming and going.

#include "encyclopedia/Encyclopedia.h"

#include <QLabel>

namespace krel {

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);

    // The record the line names (None for none), shown by the given title.
    void setRecord(RecordId record, const QString& title);
    RecordId record() const { return record_; }

    bool isHighlighted() const { return highlighted_; }

signals:
    void clicked(TLinkLabel* link);
    void mouseEntered(TLinkLabel* link);
    void mouseLeft(TLinkLabel* link);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setHighlighted(bool on);

    RecordId record_ = RecordId::None;
    bool highlighted_ = false;
};

} // namespace krel
