#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vek {

// The states of the status bar's activity LED.
enum class LedState { SteadyBright = 0, SteadyDark = 1, Flash = 2, BlinkRed = 3 };

enum class QuestionKind { OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// Everything the logic layers say to the user goes through this interface: the output window's
// message lines, the status bar's progress indicator and LED, questions with the caption "VEK",
// a beep and a repaint request. The desktop program, the command-line tool and the tests each
// provide their own implementation.
class Host {
public:
    virtual ~Host() = default;

    // One line for the output window; `show` also shows and raises the window.
    virtual void Message(std::string_view text, bool show) = 0;
    virtual void ClearMessages() = 0;

    virtual void SetProgressRange(int count) = 0;
    virtual void StepProgress() = 0;
    virtual void ResetProgress() = 0;

    virtual void SetLedState(LedState state) = 0;

    virtual Answer Ask(std::string_view text, QuestionKind kind) = 0;
    // A question answered with a line of text (a script's InputBox), shown with `title` as its
    // caption ("VEK" when empty) and `defaultText` filled in: the text, or nullopt when the user
    // cancels. A host that has nobody to ask takes the default.
    virtual std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                               std::string_view defaultText) {
        (void)prompt;
        (void)title;
        return std::string(defaultText);
    }
    virtual void Beep() = 0;
    virtual void Repaint() = 0;
};

} // namespace vek
