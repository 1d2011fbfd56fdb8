#pragma once

#include <QTreeWidget>

namespace vek {

namespace basic {
class Engine;
}

// The watch list of the script pane: expressions the user added, evaluated in the frame the
// call stack shows whenever the script pauses. A watch is edited in place; Del removes it.
class WatchList : public QTreeWidget {
    Q_OBJECT

public:
    explicit WatchList(QWidget* parent = nullptr);

    void AddWatch(const QString& expression);
    QStringList Expressions() const;
    // Evaluates every watch in the frame (0: innermost) of the paused script; when the script
    // is not paused the values say so.
    void Refresh(basic::Engine& engine, std::size_t frame);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    basic::Engine* engine_ = nullptr;
    std::size_t frame_ = 0;
};

// The call stack of a paused script, innermost procedure first, each with its locals. Choosing
// a procedure shows its line and evaluates the watches there.
class CallStackView : public QTreeWidget {
    Q_OBJECT

public:
    explicit CallStackView(QWidget* parent = nullptr);

    void Refresh(const basic::Engine& engine);
    // The frame chosen, 0 when none is.
    std::size_t CurrentFrame() const;

Q_SIGNALS:
    // The user chose a frame: its module and line.
    void FrameChosen(std::size_t frame, const QString& module, int line);
};

} // namespace vek
