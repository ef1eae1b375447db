#include "desktopidentity.h"

#include <QApplication>
#include <QIcon>

namespace {

const QString Id = QStringLiteral("com.orvel.Settings");

} // namespace

void SetDesktopFileName()
{
    QGuiApplication::setDesktopFileName(Id);
}

void SetApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(Id), QSize(size, size));
    QApplication::setWindowIcon(icon);
}
