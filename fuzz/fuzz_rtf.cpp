// Feeds arbitrary bytes to the RTF reader and lays the result out as the help window would.
#include "rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Fonts and text layout need a GUI application; one serves every run.
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_rtf";
        static char *argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(app);

    QTextDocument document;
    LoadRichText(&document, QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    document.setTextWidth(305);
    document.documentLayout()->documentSize();
    return 0;
}
