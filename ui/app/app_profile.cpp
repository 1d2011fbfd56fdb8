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
    if (const Result<void> loaded = file_.Load(); !loaded)
        std::fprintf(stderr, "vek32: %s\n", loaded.Error().text.c_str());
    recent_.Load(file_);
}

void AppProfile::Save() {
    recent_.Save(file_);
    QDir().mkpath(folder_);
    if (const Result<void> saved = file_.Save(); !saved)
        std::fprintf(stderr, "vek32: %s\n", saved.Error().text.c_str());
}

} // namespace vek
