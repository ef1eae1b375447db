// Drives the example page as a user would: its circles light, a popup opens, jumper clicks and
// typed addresses keep the setting and the jumpers in step.
#include "relay8page.h"

#include <application.h>
#include <boardhighlight.h>
#include <popupform.h>
#include <setupctrls.h>

#include <QEnterEvent>
#include <QEventLoop>
#include <QTimer>
#include <QMouseEvent>
#include <cstdio>

namespace {

int failures = 0;

void Expect(bool condition, const char *what)
{
    if (!condition) {
        std::printf("FAILED: %s\n", what);
        ++failures;
    }
}

void ClickOn(QWidget *widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void Hover(QWidget *widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QEnterEvent enter(centre, widget->mapTo(widget->window(), centre), widget->mapToGlobal(centre));
    QApplication::sendEvent(widget, &enter);
}

} // namespace

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    SetupCtrls::Install();
    app.SetErrorDisplay([](const QString &message) {
        std::printf("FAILED: error shown: %s\n", qPrintable(message));
        ++failures;
    });
    TRelay8Page page;
    page.show();
    // The application's idle moment comes when its event loop waits.
    QEventLoop loop;
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();

    Expect(page.SetSup->HeaderLabel() && page.SetSup->HeaderLabel()->text() == QLatin1String("RELAY-8 Settings Program"),
           "the support component adds its header once the page is shown");
    Expect(page.BaseAddress() == 0x300, "the stored jumpers give base address 300");

    auto *base = page.findChild<TBoardHighlight *>(QStringLiteral("BaseHighlight"));
    auto *output = page.findChild<TBoardHighlight *>(QStringLiteral("OutputHighlight"));
    Hover(output);
    Expect(output->Lit(), "hovering the output connector's circle lights it");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(output, &leave);
    Hover(base);
    Expect(base->Lit() && base->Popup() && base->Popup()->isVisible(), "hovering the base circle opens its popup");
    Expect(base->Popup() && page.BaseEdit->window() == base->Popup(), "the popup hosts the base address panel");

    ClickOn(page.BaseJumper9);
    Expect(page.BaseJumper9->Closed() && page.BaseEdit->text() == QLatin1String("100"),
           "closing jumper A9 makes the address 100");
    page.BaseEdit->setText(QStringLiteral("3E0"));
    Expect(!page.BaseJumper5->Closed() && !page.BaseJumper9->Closed(), "typing 3E0 opens every jumper");
    page.BaseEdit->setText(QStringLiteral("3E1"));
    Expect(page.BaseAddress() == 0x3E0, "an address the card cannot take leaves the jumpers");

    ClickOn(page.IRQJumper);
    Expect(page.IRQJumper->JumperState() == TJumperControl::jsRight && page.IRQRadio7->isChecked(),
           "a click moves the IRQ jumper to IRQ 7");
    page.IRQRadio5->setChecked(true);
    Expect(page.IRQJumper->JumperState() == TJumperControl::jsLeft, "the IRQ 5 button moves the jumper back");

    if (failures == 0)
        std::puts("the relay-8 page built against the installed SetupCtrls works");
    return failures == 0 ? 0 : 1;
}
