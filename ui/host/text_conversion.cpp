#include "ui/host/text_conversion.h"

#include <QStringDecoder>

namespace vek {

QString ToQString(std::string_view text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError())
        return decoded;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStdString(const QString& text) {
    return text.toStdString();
}

} // namespace vek
