#include "designfonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>

namespace {

const QString ScalableFamily = QStringLiteral("Tahoma");

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

QString DesignFonts::Install(const QString &directory, qreal devicePixelRatio)
{
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
