#include "application.h"
#include "exceptions.h"
#include "template.h"
#include "warningguard.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

namespace {

QByteArray StoredLayout()
{
    QFile file(QStringLiteral(":/layout/MainForm.ui"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QByteArray StoredPicture()
{
    QFile file(QStringLiteral(":/layout/board.jpg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// The layout with the first occurrence of from replaced.
std::function<QByteArray(QByteArray)> Replace(const QByteArray &from, const QByteArray &to)
{
    return [from, to](QByteArray layout) {
        const qsizetype at = layout.indexOf(from);
        EXPECT_GE(at, 0) << from.constData();
        return layout.replace(at, from.size(), to);
    };
}

// The picture property pointing at a file holding these bytes.
std::function<QByteArray(QByteArray)> Picture(const QString &fileName, const QByteArray &bytes)
{
    return [fileName, bytes](QByteArray layout) {
        QFile file(fileName);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Replace(":/layout/board.jpg", fileName.toUtf8())(layout);
    };
}

// The stored photograph claiming 60000 x 60000 pixels in its frame header (baseline or
// progressive).
QByteArray HugePicture()
{
    QByteArray jpeg = StoredPicture();
    qsizetype frame = jpeg.indexOf("\xFF\xC0");
    if (frame < 0)
        frame = jpeg.indexOf("\xFF\xC2");
    EXPECT_GE(frame, 0);
    jpeg.replace(frame + 5, 4, "\xEA\x60\xEA\x60");
    return jpeg;
}

struct Damage
{
    const char *what;
    std::function<QByteArray(QByteArray)> damage;
    // The error raised while reading, or, for a page that still loads, the warning it gives.
    QString error;
    QString warning;
};

TEST(DamagedLayouts, EachGivesAnErrorNamingWhatIsWrong)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    const QString huge = dir.filePath(QStringLiteral("huge.jpg"));
    const Damage damages[] = {
        {"truncated", [](QByteArray l) { return l.left(l.size() / 2); }, "Layout is not readable: Premature end of document", {}},
        {"empty", [](QByteArray) { return QByteArray(); }, "Layout is not readable: Premature end of document", {}},
        {"unknown class", Replace("\"TTwoJumper\" name=\"BaseJumper6\"", "\"TFourJumper\" name=\"BaseJumper6\""),
         "Class TFourJumper not found (component BaseJumper6)", {}},
        {"duplicated name", Replace("name=\"BaseJumper6\"", "name=\"BaseJumper5\""),
         "Component name BaseJumper5 is used twice", {}},
        {"missing reference", Replace("<string>BaseHighlight</string>", "<string>NoHighlight</string>"),
         "Component NoHighlight not found (First of BoardImage1)", {}},
        {"missing panel", Replace("<string>IRQPanel</string>", "<string>IRQPanel2</string>"),
         "Component IRQPanel2 not found (RadioPanel of IRQHighlight)", {}},
        {"missing handler", Replace("<string>BaseEditChange</string>", "<string>BaseEditChanged</string>"),
         "Method BaseEditChanged not found (OnChange of BaseEdit)", {}},
        {"number beyond 32 bits", Replace("<number>1</number>", "<number>99999999999999999999</number>"),
         "Invalid number 99999999999999999999 for Tag of DARangeJumperAA", {}},
        {"huge size", Replace("<width>400</width>", "<width>2147483647</width>"),
         "Invalid geometry of BoardImage1", {}},
        {"broken picture", Picture(broken, "GIF89a"), {}, "BoardImage1: picture .*broken.jpg cannot be read: Not a JPEG file"},
        {"huge picture", Picture(huge, HugePicture()), {}, "BoardImage1: picture .*huge.jpg cannot be read: Image too large"},
        {"missing picture", Replace(":/layout/board.jpg", "/nonexistent/board.jpg"), {},
         "BoardImage1: picture /nonexistent/board.jpg cannot be read: No such file"},
    };
    const QByteArray stored = StoredLayout();
    for (const Damage &d : damages) {
        SCOPED_TRACE(d.what);
        const QByteArray layout = d.damage(stored);
        QString error;
        {
            ExpectQtWarning warning(d.warning.isEmpty() ? QStringLiteral("^$") : d.warning);
            try {
                TMainForm form(layout);
            } catch (const EReadError &e) {
                error = QString::fromUtf8(e.what());
            }
            EXPECT_EQ(warning.Count(), d.warning.isEmpty() ? 0 : 1);
        }
        TApplication::Instance()->SetOnIdle({});
        if (d.error.isEmpty())
            EXPECT_EQ(error, QString());
        else
            EXPECT_TRUE(error.startsWith(d.error)) << error.toStdString();
    }
}

} // namespace
