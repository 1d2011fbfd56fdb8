#include "ui/app/window_state.h"

#include "platform/number_text.h"
#include "platform/profile_file.h"
#include "ui/host/text_conversion.h"

#include <QMainWindow>

#include <optional>

namespace vek {

namespace {

constexpr const char* kSection = "Window";
constexpr const char* kLeft = "Left";
constexpr const char* kTop = "Top";
constexpr const char* kWidth = "Width";
constexpr const char* kHeight = "Height";
constexpr const char* kMaximized = "Maximized";
constexpr const char* kToolbars = "Toolbars";
// The layout of the toolbars that QMainWindow::saveState writes; a state of another layout (or
// another program) is not taken.
constexpr int kToolbarLayout = 1;
// What must show of a window's top on a screen to grab its title bar and move it.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 40;
// A size beyond any screen's is a damaged value.
constexpr std::int64_t kLargestSide = 1 << 16;

std::optional<int> Coordinate(const ProfileFile& profile, const char* key) {
    const std::optional<std::string> text = profile.Value(kSection, key);
    if (!text)
        return std::nullopt;
    const std::optional<std::int64_t> value = WholeInteger(*text, RadixPrefixes::None);
    if (!value || *value <= -kLargestSide || *value >= kLargestSide)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<QRect> StoredPlace(const ProfileFile& profile) {
    const std::optional<int> left = Coordinate(profile, kLeft);
    const std::optional<int> top = Coordinate(profile, kTop);
    const std::optional<int> width = Coordinate(profile, kWidth);
    const std::optional<int> height = Coordinate(profile, kHeight);
    if (!left || !top || !width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return QRect(*left, *top, *width, *height);
}

} // namespace

void SaveWindowState(const QMainWindow& window, ProfileFile& profile) {
    const bool maximized = window.isMaximized();
    // A maximized window comes back to this place when it is restored.
    const QRect place = maximized ? window.normalGeometry() : window.geometry();
    profile.SetString(kSection, kLeft, std::to_string(place.x()));
    profile.SetString(kSection, kTop, std::to_string(place.y()));
    profile.SetString(kSection, kWidth, std::to_string(place.width()));
    profile.SetString(kSection, kHeight, std::to_string(place.height()));
    profile.SetString(kSection, kMaximized, maximized ? "1" : "0");
    profile.SetString(kSection, kToolbars,
                      window.saveState(kToolbarLayout).toBase64().toStdString());
}

bool RestoreWindowState(QMainWindow& window, const ProfileFile& profile,
                        const QList<QRect>& screens) {
    if (const std::optional<QRect> place = StoredPlace(profile))
        window.setGeometry(OntoScreens(*place, screens));
    if (const std::optional<std::string> text = profile.Value(kSection, kToolbars)) {
        const QByteArray::FromBase64Result state = QByteArray::fromBase64Encoding(
            QByteArray::fromStdString(*text), QByteArray::AbortOnBase64DecodingErrors);
        if (state)
            window.restoreState(*state, kToolbarLayout);
    }
    return profile.Value(kSection, kMaximized) == std::optional<std::string>("1");
}

QRect OntoScreens(const QRect& place, const QList<QRect>& screens) {
    // The strip along the top, where the title bar is grabbed.
    const QRect top(place.topLeft(), QSize(place.width(), std::min(kGrabHeight, place.height())));
    for (const QRect& screen : screens) {
        const QRect shown = top.intersected(screen);
        if (shown.height() == top.height() && shown.width() >= std::min(kGrabWidth, top.width()))
            return place;
    }
    if (screens.isEmpty())
        return place;
    const QRect& first = screens.front();
    return {first.topLeft(), place.size().boundedTo(first.size())};
}

} // namespace vek
