#include "ui/app/app_profile.h"

#include "ui/host/text_conversion.h"

#include <QDir>

#include <cstdio>

namespace vek {

QString AppProfile::DefaultFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/tarvel");
}

AppProfile::AppProfile(const QString& folder)
    : folder_(folder), file_(ToStdString(folder + QStringLiteral("/vek32.ini"))) {
    std::string reason;
    if (!file_.Load(&reason))
        std::fprintf(stderr, "vek32: %s: %s\n", file_.Path().c_str(), reason.c_str());
    recent_.Load(file_);
}

void AppProfile::Save() {
    recent_.Save(file_);
    QDir().mkpath(folder_);
    std::string reason;
    if (!file_.Save(&reason))
        std::fprintf(stderr, "vek32: %s: %s\n", file_.Path().c_str(), reason.c_str());
}

} // namespace vek
