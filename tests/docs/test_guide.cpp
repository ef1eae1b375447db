#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace {

QString Read(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The text's lines without their indentation and trailing blanks, joined again.
QString Trimmed(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.trimmed();
    return lines.join(QLatin1Char('\n')).trimmed();
}

} // namespace

// The example is built and driven by the package tests; every code block of the guide is a
// piece of one of its files, so that none can go stale.
TEST(PageGuide, EveryCodeBlockIsAPieceOfTheExample)
{
    const QString guide = Read(QStringLiteral(PAGE_GUIDE));
    ASSERT_FALSE(guide.isEmpty());
    QStringList example;
    const QDir dir(QStringLiteral(EXAMPLE_DIR));
    for (const QString &name : dir.entryList({QStringLiteral("*.h"), QStringLiteral("*.cpp"), QStringLiteral("*.ui"),
                                              QStringLiteral("*.qrc"), QStringLiteral("CMakeLists.txt")}))
        example << Trimmed(Read(dir.filePath(name)));

    const QRegularExpression fenced(QStringLiteral("```(\\w+)\\n(.*?)```"),
                                    QRegularExpression::DotMatchesEverythingOption);
    int blocks = 0;
    for (auto it = fenced.globalMatch(guide); it.hasNext(); ++blocks) {
        const QString block = Trimmed(it.next().captured(2));
        const bool found = std::any_of(example.cbegin(), example.cend(),
                                       [&](const QString &file) { return file.contains(block); });
        EXPECT_TRUE(found) << "not in the example:\n" << block.toStdString();
    }
    EXPECT_GE(blocks, 8); // the reader found the guide's blocks
}
