#pragma once
// The comment of a result, shown read-only under a caption in the result's dialog.
#include "host/contract/ICustomControl.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace nb4410 {

class XDetailedResult : public QWidget, public ostrel::ICustomControl {
    Q_OBJECT
public:
    static constexpr char kProgId[] = "OstrelNB4410.XDetailedResult";
    static constexpr int kMarginTwips = 120;
    static constexpr int kTwipsPerInch = 1440;

    explicit XDetailedResult(QWidget* parent = nullptr);

    std::shared_ptr<ostrel::ICallback> CallBack() override { return nullptr; }
    void SetCallBack(std::shared_ptr<ostrel::ICallback>) override {}
    QWidget* hWnd() override { return this; }
    bool Visible() override { return !isHidden(); }
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Locked() override { return true; }
    void SetLocked(bool) override {}
    // data: the result (IResultData), or an array holding it.
    void Initialize(const ostrel::Variant& data) override;
    void Refresh() override { update(); }
    void SetFocus() override;

    // The margin in pixels for the screen's logical resolution.
    int MarginPixels() const;
    QString CommentText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutControls();

    QLabel* m_lblTitle;
    QPlainTextEdit* m_txtComment;
};

} // namespace nb4410
