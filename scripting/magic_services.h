#pragma once

namespace vek {

class Host;

// The window and keyboard services behind the extension's Magic: redraw everything, minimise and
// restore the main window, take a pending key press.
class MagicServices {
public:
    virtual ~MagicServices() = default;
    virtual bool RedrawAll() = 0;
    virtual void Minimize() = 0;
    virtual void Restore() = 0;
    // The pending key's code, or 0 when no key is waiting.
    virtual int TakeKey() = 0;
};

// Without windows: a redraw is the host's repaint, minimise and restore do nothing, and a key is
// a character waiting on a terminal's standard input (a terminal has no scan codes, so the
// character's code stands for it).
class ConsoleMagic : public MagicServices {
public:
    explicit ConsoleMagic(Host& host) : host_(host) {}
    bool RedrawAll() override;
    void Minimize() override {}
    void Restore() override {}
    int TakeKey() override;

private:
    Host& host_;
};

} // namespace vek
