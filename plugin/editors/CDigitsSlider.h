#pragma once
// One editor row of a whole number: a caption, a text box taking up to three digits and a
// slider kept on the same value. A typed value outside the slider's range is corrected in the
// box before it is taken.
#include "plugin/tests/common/MConfigFields.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QGridLayout;
class QLineEdit;
class QSlider;

namespace nb4410 {

class XConfigEditor;

class CDigitsSlider : public QObject {
public:
    struct Names {
        QString label;
        QString text;
        QString slider;
    };
    struct Range {
        int minimum;
        int maximum;
        int smallStep;
        int largeStep;
        int tickEvery;
    };

    // The range and steps of a configuration field's editor row.
    template <class Config>
    static Range RangeOf(const ConfigField<Config>& field)
    {
        return {static_cast<int>(field.range.minimum), static_cast<int>(field.range.maximum), field.editor.smallStep,
                field.editor.largeStep, field.editor.tickEvery};
    }

    // A row for a configuration field: its caption, tip and range.
    template <class Config>
    CDigitsSlider(XConfigEditor& editor, QGridLayout& grid, int row, const Names& names, const ConfigField<Config>& field,
                  std::function<void()> typed)
        : CDigitsSlider(editor, grid, row, names, QString::fromLatin1(field.editor.caption),
                        QString::fromLatin1(field.editor.toolTip), RangeOf(field), std::move(typed))
    {
    }

    // The widgets go into `grid` at `row` (columns 0 to 2), owned by the grid's widget.
    // `typed` runs for every edit of the box that is not the editor's own initialising; it
    // takes the value with Take().
    CDigitsSlider(XConfigEditor& editor, QGridLayout& grid, int row, const Names& names, const QString& caption,
                  const QString& toolTip, const Range& range, std::function<void()> typed);

    QLineEdit* TextBox() const { return m_text; }
    QSlider* Slider() const { return m_slider; }

    // Shows a stored value: the box grows past its three digits for a longer one, so that what
    // is shown is what is stored (the slider stops at its end).
    void Show(const QString& text);
    // The box's value within the range; a value outside is corrected in the box and selected.
    std::int32_t Take();
    void SetLocked(bool locked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textChanged();
    void sliderMoved(int position);

    static constexpr int kTypedDigits = 3;

    XConfigEditor& m_editor;
    std::function<void()> m_typed;
    int m_minimum;
    int m_maximum;
    bool m_textBusy = false;
    QLineEdit* m_text = nullptr;
    QSlider* m_slider = nullptr;
};

} // namespace nb4410
