#include "base/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QResource>

#include <fontconfig/fontconfig.h>

#include <algorithm>
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

// Where Debian keeps the same font; the program's copy was taken from there when it was built.
constexpr char SystemFontFolder[] = "/usr/share/fonts/truetype/dejavu/";

// A font file starts with its table directory, which carries the checksum of every table: two
// files of one size with the same directory hold the same font.
bool sameFontFile(const QResource &shipped, const QString &path)
{
    QFile file(path);
    if (shipped.size() < 12 || !file.open(QIODevice::ReadOnly) || file.size() != shipped.size())
        return false;
    const auto *bytes = reinterpret_cast<const char *>(shipped.data());
    const int tables = (static_cast<unsigned char>(bytes[4]) << 8) | static_cast<unsigned char>(bytes[5]);
    const qint64 directory = std::min<qint64>(shipped.size(), 12 + 16 * qint64(tables));
    return file.read(directory) == QByteArray::fromRawData(bytes, directory);
}

// The shipped font is read where it lies in the program file; only a compressed copy must be
// unpacked. When the system has the very same file, the font database knows it already: adding
// it again would only read the whole font a second time at every start.
void addFont(const QString &name)
{
    const QResource resource(QStringLiteral(":/fonts/") + name);
    const bool inPlace = resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression;
    if (inPlace && sameFontFile(resource, QLatin1String(SystemFontFolder) + name)
        && QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans")))
        return;
    if (inPlace) {
        QFontDatabase::addApplicationFontFromData(
            QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size()));
        return;
    }
    QFontDatabase::addApplicationFont(resource.fileName());
}

// The font configuration of the program: only the shipped typeface's folder, the names the
// toolkit asks for by kind, and one way of drawing text (smoothed, lightly hinted, no colour
// fringes), the settings of a plain Debian desktop. The board and its pictures then look the same
// whatever the desktop's own font settings are, and every size of the board's font is found among
// a few dozen fonts instead of through every rule and font of the desktop, which the start-up
// otherwise waits for once per size (about a dozen sizes).
constexpr char ConfigurationStart[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>)";
constexpr char ConfigurationRest[] = R"(</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <alias binding="same"><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias binding="same"><family>Sans Serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias binding="same"><family>serif</family><prefer><family>DejaVu Serif</family></prefer></alias>
  <alias binding="same"><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcddefault</const></edit>
  </match>
</fontconfig>
)";

// Makes the program's own configuration the one the font database reads; the desktop's stays
// in place when this one cannot be read.
void useOwnConfiguration()
{
    FcConfig *config = FcConfigCreate();
    if (!config)
        return;
    const QByteArray text = QByteArray(ConfigurationStart) + SystemFontFolder + ConfigurationRest;
    if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8 *>(text.constData()), FcTrue)
        && FcConfigBuildFonts(config))
        FcConfigSetCurrent(config);
    FcConfigDestroy(config); // once current, the library holds a reference of its own
}

} // namespace

void installFonts()
{
    useOwnConfiguration();
    addFont(QStringLiteral("DejaVuSans.ttf"));
    addFont(QStringLiteral("DejaVuSans-Bold.ttf"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"));
}

} // namespace briqo
