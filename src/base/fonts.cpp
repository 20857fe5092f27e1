#include "base/fonts.h"

#include <QFontDatabase>
#include <QResource>

#include <cmath>

namespace briqo {

QFont verdana(double points, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(bold);
    return f;
}

namespace {

// The font is read where it lies in the program file; only a compressed copy must be unpacked.
void addFont(const QString &path)
{
    const QResource resource(path);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        QFontDatabase::addApplicationFontFromData(
            QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size()));
        return;
    }
    QFontDatabase::addApplicationFont(path);
}

} // namespace

void installFonts()
{
    addFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
    addFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"));
}

} // namespace briqo
