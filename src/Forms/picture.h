#pragma once
/// @file
/// The picture of a board image.

#include <QImage>
#include <QObject>
#include <QString>
#include <future>

/// Holds one graphic, a decoded photograph kept as a Format_RGB32 image, and reports every
/// change through OnChange. Its owner copies other pictures into it with Assign.
class TPicture : public QObject
{
    Q_OBJECT
public:
    /// An empty picture.
    explicit TPicture(QObject *parent = nullptr);

    /// Copies other's graphic; a null other empties the picture.
    void Assign(const TPicture *other);
    /// Reads a JPEG file or resource. On failure the picture keeps what it held and error says why.
    bool LoadFromFile(const QString &fileName, QString *error = nullptr);
    /// LoadFromFile in two steps: BeginLoad has the file read and decoded on a worker thread,
    /// FinishLoad waits for that and takes the result as LoadFromFile would. Until then the
    /// picture keeps what it held; any other change of the picture drops the pending load.
    void BeginLoad(const QString &fileName);
    /// @name Pending load
    ///@{

    /// Whether BeginLoad started a load that FinishLoad has not yet taken, and of which file.
    bool LoadPending() const { return m_pending.valid(); }
    const QString &PendingFileName() const { return m_pendingFileName; }
    ///@}
    /// Waits for the load BeginLoad started and takes its result.
    bool FinishLoad(QString *error = nullptr);
    /// Takes image as the graphic, converted to Format_RGB32.
    void SetImage(const QImage &image);
    /// Empties the picture.
    void Clear();

    /// @name Graphic
    ///@{

    /// Whether there is a graphic, the graphic and its size; a null image and 0 when empty.
    bool HasGraphic() const { return !m_image.isNull(); }
    const QImage &Image() const { return m_image; }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    ///@}
    /// The file the graphic was read from; empty when it was set in another way.
    const QString &FileName() const { return m_fileName; }

    /// The graphic's transparency. A photograph is drawn opaque either way; the flag tells its
    /// owner whether the graphic may be relied on to cover what lies beneath.
    bool Transparent() const { return m_transparent; }
    /// Changes the flag; a change is reported through OnChange.
    void SetTransparent(bool value);

signals:
    /// The graphic or its transparency changed.
    void OnChange(QObject *Sender);

private:
    struct Decoded
    {
        QImage image;
        QString error;
    };
    static Decoded Read(const QString &fileName);
    bool Take(const QString &fileName, const Decoded &decoded, QString *error);
    void DropPendingLoad();
    void Changed();

    QImage m_image;
    QString m_fileName;
    bool m_transparent = false;
    std::future<Decoded> m_pending;
    QString m_pendingFileName;
};
