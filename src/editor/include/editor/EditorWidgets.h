#pragma once
// Small controls of the editor window: a clickable link text that turns red under the pointer
// and can be followed from the keyboard, and the entry picture frame, which shows a picture
// centred at its own size and reports a double click.

#include <QLabel>

namespace krel {

class TDisplayLink : public QLabel {
    Q_OBJECT
public:
    explicit TDisplayLink(QWidget* parent = nullptr);

    bool hovered() const { return hovered_; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setHovered(bool hovered);
    void setUnderlined(bool underlined);
    bool hovered_ = false;
};

class TDisplayPicture : public QWidget {
    Q_OBJECT
public:
    explicit TDisplayPicture(QSize size, QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void clear();
    const QImage& picture() const { return picture_; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

} // namespace krel
