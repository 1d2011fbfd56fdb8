#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QPushButton;

namespace vek {

class CMacro;

// The macro bar along the top of a register tree window: six buttons that run the macros shown,
// and "<", "<<", ">>", ">" to scroll through the rest. Register macros and script macros that
// ask for the bar are added when the tree is built.
class CMacroBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonCount = 6;

    explicit CMacroBar(QWidget* parent);

    // Adds a macro at the end; a script macro joins only when it names a file. The first macro
    // shows the bar. False when the macro was refused.
    bool AddMacro(CMacro& macro);
    int Count() const { return static_cast<int>(macros_.size()); }
    int Offset() const { return offset_; }
    CMacro& Macro(int index) const { return *macros_[static_cast<std::size_t>(index)]; }

    // Moves the first macro shown by delta, kept between 0 and count - 6.
    void Scroll(int delta);
    // Runs macro `index` of the bar through the runner.
    void RunMacro(int index);
    void SetRunner(std::function<void(CMacro&)> runner) { runner_ = std::move(runner); }

    QPushButton* MacroButton(int k) const { return buttons_[static_cast<std::size_t>(k)]; }
    QPushButton* ScrollButton(int delta) const;

Q_SIGNALS:
    // The bar was shown or hidden; the window recomputes its layout.
    void LayoutChanged();

private:
    void UpdateButtons();

    std::vector<CMacro*> macros_;
    int offset_ = 0;
    std::array<QPushButton*, kButtonCount> buttons_{};
    QPushButton* back_;
    QPushButton* pageBack_;
    QPushButton* pageForward_;
    QPushButton* forward_;
    std::function<void(CMacro&)> runner_;
};

} // namespace vek
