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
    const bool scalable = Register(dir, QStringLiteral("tahoma.ttf"));
    if (scalable)
        Register(dir, QStringLiteral("tahomabd.ttf"));
    if (devicePixelRatio <= 1.0 && Register(dir, QStringLiteral("ms_sans_serif.ttf")))
        return LayoutFamily();
    if (!scalable)
        return QString();
    QFont::insertSubstitution(LayoutFamily(), ScalableFamily);
    return ScalableFamily;
}
