// Feeds arbitrary bytes to the layout loader as the stored layout of a page: it must build
// the page or fail with EReadError, never crash. Seed it with a page such as
// src/Settings/layout/MainForm.ui with its form class renamed to TFuzzPage.
#include "application.h"
#include "exceptions.h"
#include "form.h"
#include "formloader.h"
#include "setupctrls.h"

#include <cstddef>
#include <cstdint>

namespace {

class TFuzzPage : public TForm
{
    Q_OBJECT
public slots:
    void Handler(QObject *) {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static TApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        static int argc = 1;
        static char name[] = "fuzz_formloader";
        static char *argv[] = {name, nullptr};
        auto *application = new TApplication(argc, argv);
        SetupCtrls::Install();
        application->SetErrorDisplay([](const QString &) {});
        return application;
    }();
    TFuzzPage page;
    try {
        TFormLoader(&page).Load(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const EReadError &) {
    }
    app->SetOnIdle({});
    return 0;
}

#include "fuzz_formloader.moc"
