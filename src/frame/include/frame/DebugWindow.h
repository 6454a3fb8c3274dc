#pragma once
// The window that shows the debug log inside the frame.

#include <QWidget>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace krel {

class TDebug : public QWidget {
    Q_OBJECT
public:
    explicit TDebug(QWidget* parent = nullptr);

    QPlainTextEdit* Memo;
    QPushButton* Button1;

    void setLines(const std::vector<std::string>& lines);
    void appendLine(const std::string& line);
    void deleteFirstLine();
    int lineCount() const;
    QStringList memoLines() const;

signals:
    // The window is closing (by its button, its close box or the frame's menu).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();
    void scrollToNewest();
};

} // namespace krel
