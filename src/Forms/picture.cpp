#include "picture.h"

#include "jpegdecoder.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

TPicture::TPicture(QObject *parent) : QObject(parent) {}

void TPicture::Assign(const TPicture *other)
{
    DropPendingLoad();
    m_image = other ? other->m_image : QImage();
    m_fileName = other ? other->m_fileName : QString();
    m_transparent = other && other->m_transparent;
    Changed();
}

TPicture::Decoded TPicture::Read(const QString &fileName)
{
    // A device or pipe could block the read or never end it.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        return {QImage(), QStringLiteral("Not a regular file")};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), file.errorString()};
    if (file.size() > Jpeg::MaxInputBytes)
        return {QImage(), QStringLiteral("File too large")};
    // A read allocates the most it may read: ask for the file's size (and one byte that shows a
    // file grown meanwhile), the bound only where the size is unknown.
    const qint64 readLimit = file.size() > 0 ? file.size() + 1 : Jpeg::MaxInputBytes + 1;
    Decoded decoded;
    decoded.image = Jpeg::Decode(file.read(readLimit), &decoded.error);
    return decoded;
}

bool TPicture::Take(const QString &fileName, const Decoded &decoded, QString *error)
{
    if (decoded.image.isNull()) {
        if (error)
            *error = decoded.error;
        return false;
    }
    m_image = decoded.image;
    m_fileName = fileName;
    Changed();
    return true;
}

bool TPicture::LoadFromFile(const QString &fileName, QString *error)
{
    DropPendingLoad();
    return Take(fileName, Read(fileName), error);
}

void TPicture::BeginLoad(const QString &fileName)
{
    DropPendingLoad();
    m_pendingFileName = fileName;
    // The worker touches nothing but its own copy of the name.
    m_pending = std::async(std::launch::async, &TPicture::Read, fileName);
}

bool TPicture::FinishLoad(QString *error)
{
    if (!m_pending.valid()) {
        if (error)
            *error = QStringLiteral("No load is pending");
        return false;
    }
    const Decoded decoded = m_pending.get();
    const QString fileName = std::exchange(m_pendingFileName, QString());
    return Take(fileName, decoded, error);
}

void TPicture::DropPendingLoad()
{
    m_pending = {}; // waits for a running worker
    m_pendingFileName.clear();
}

void TPicture::SetImage(const QImage &image)
{
    DropPendingLoad();
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
