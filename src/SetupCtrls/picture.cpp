#include "picture.h"

#include "jpegdecoder.h"

#include <QFile>

TPicture::TPicture(QObject *parent) : QObject(parent) {}

void TPicture::Assign(const TPicture *other)
{
    m_image = other ? other->m_image : QImage();
    m_fileName = other ? other->m_fileName : QString();
    m_transparent = other && other->m_transparent;
    Changed();
}

bool TPicture::LoadFromFile(const QString &fileName, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.size() > Jpeg::MaxInputBytes) {
        if (error)
            *error = QStringLiteral("File too large");
        return false;
    }
    const QImage image = Jpeg::Decode(file.readAll(), error);
    if (image.isNull())
        return false;
    m_image = image;
    m_fileName = fileName;
    Changed();
    return true;
}

void TPicture::SetImage(const QImage &image)
{
    m_image = image.convertToFormat(QImage::Format_RGB32);
    m_fileName.clear();
    Changed();
}

void TPicture::Clear()
{
    SetImage(QImage());
}

void TPicture::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Changed();
}

void TPicture::Changed()
{
    emit OnChange(this);
}
