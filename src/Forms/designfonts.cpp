#include "designfonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>
#include <future>

namespace {

const QString ScalableFamily = QStringLiteral("Tahoma");

std::future<void> &ConfigurationRead()
{
    static std::future<void> read;
    return read;
}

// Whether the file exists and the font database takes it.
bool Register(const QDir &directory, const QString &fileName)
{
    const QString path = directory.filePath(fileName);
    return QFileInfo(path).isFile() && QFontDatabase::addApplicationFont(path) != -1;
}

} // namespace

QString DesignFonts::LayoutFamily()
{
    return QStringLiteral("MS Sans Serif");
}

QString DesignFonts::WineDirectory()
{
    return QStringLiteral("/usr/share/wine/fonts");
}

void DesignFonts::ReadConfiguration()
{
    // FcInit loads the configuration once; the font database later takes it as it stands.
    ConfigurationRead() = std::async(std::launch::async, [] { FcInit(); });
}

QString DesignFonts::Install(const QString &directory, qreal devicePixelRatio)
{
    if (ConfigurationRead().valid())
        ConfigurationRead().get();
    const QDir dir(directory);
    // Wine's tahomabd.ttf has bold spacing but regular strokes: without it the font engine
    // emboldens the regular face, and "Tahoma" bold looks bold.
    const bool scalable = Register(dir, QStringLiteral("tahoma.ttf"));
    if (devicePixelRatio <= 1.0 && Register(dir, QStringLiteral("ms_sans_serif.ttf")))
        return LayoutFamily();
    if (!scalable)
        return QString();
    QFont::insertSubstitution(LayoutFamily(), ScalableFamily);
    return ScalableFamily;
}
