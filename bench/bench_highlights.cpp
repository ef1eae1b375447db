// The highlight circles' costs on the main window (offscreen unless QT_QPA_PLATFORM says
// otherwise): rendering the three images of all ten circles, and the time from the mouse
// entering a circle to its popup on the screen, the first time and once it is built.
#include "application.h"
#include "boardhighlight.h"
#include "boardimage.h"
#include "component.h"
#include "popupform.h"
#include "setupctrls.h"
#include "template.h"
#include "tint.h"

#include <QElapsedTimer>
#include <QEnterEvent>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

// The main window shown, every circle painted once.
std::unique_ptr<TMainForm> ShownPage()
{
    TApplication::Instance()->SetOnIdle({});
    auto form = std::make_unique<TMainForm>();
    TApplication::Instance()->SetOnIdle({});
    form->ShowAsStored();
    const QList<TBoardHighlight *> circles = form->findChildren<TBoardHighlight *>();
    while (!std::all_of(circles.begin(), circles.end(), [](const TBoardHighlight *c) { return c->Rendered(); }))
        QCoreApplication::processEvents();
    return form;
}

QList<TBoardHighlight *> Circles(const TMainForm &form)
{
    return form.findChild<TBoardImage *>(QStringLiteral("BoardImage1"))->findChildren<TBoardHighlight *>();
}

// The mouse enters the circle; the time until the group's popup is exposed on the screen.
double SecondsToPopup(TBoardHighlight *circle)
{
    QElapsedTimer timer;
    timer.start();
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(circle, &enter);
    TPopupForm *popup = nullptr;
    for (TBoardHighlight *member : circle->parentWidget()->findChildren<TBoardHighlight *>()) {
        if (member->Title() == circle->Title() && member->Popup())
            popup = member->Popup();
    }
    while (!popup->windowHandle()->isExposed())
        QCoreApplication::processEvents();
    return timer.nsecsElapsed() * 1e-9;
}

// In design mode a circle renders its images at every paint: all ten painted, less the same
// paints at run time, is what rendering the thirty images costs.
void BM_RenderAllImages(benchmark::State &state)
{
    const std::unique_ptr<TMainForm> form = ShownPage();
    const QList<TBoardHighlight *> circles = Circles(*form);
    const bool designing = state.range(0);
    for (TBoardHighlight *circle : circles)
        Component::SetDesigning(circle, designing);
    QImage target(400, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        for (TBoardHighlight *circle : circles)
            circle->render(&target, circle->pos());
    }
    for (TBoardHighlight *circle : circles)
        Component::SetDesigning(circle, false);
    state.SetLabel(designing ? "design mode: render + paint" : "run time: paint only");
}
BENCHMARK(BM_RenderAllImages)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The tint alone: the three strengths over the ten circles' sizes.
void BM_TintAllImages(benchmark::State &state)
{
    const std::unique_ptr<TMainForm> form = ShownPage();
    const QList<TBoardHighlight *> circles = Circles(*form);
    for (auto _ : state) {
        for (const TBoardHighlight *circle : circles) {
            for (const QImage *source : {&circle->NormalImage(), &circle->LitImage(), &circle->ActiveLitImage()}) {
                QImage image = source->copy();
                TintEllipse(image, image.width() - 1, image.height() - 1, 0.75f, circle->TintColor(),
                            source == &circle->ActiveLitImage());
                benchmark::DoNotOptimize(image.constBits());
            }
        }
    }
}
BENCHMARK(BM_TintAllImages)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_EnterToFirstPopup(benchmark::State &state)
{
    const int index = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TMainForm> form = ShownPage();
        TBoardHighlight *circle = Circles(*form).at(index);
        state.SetLabel(circle->objectName().toStdString());
        state.ResumeTiming();
        state.SetIterationTime(SecondsToPopup(circle));
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EnterToFirstPopup)->DenseRange(0, 9)->UseManualTime()->Iterations(9)->Repetitions(3)
    ->ReportAggregatesOnly()->Unit(benchmark::kMillisecond);

void BM_EnterToBuiltPopup(benchmark::State &state)
{
    const std::unique_ptr<TMainForm> form = ShownPage();
    TBoardHighlight *circle = Circles(*form).at(int(state.range(0)));
    for (auto _ : state) {
        state.SetIterationTime(SecondsToPopup(circle));
        state.PauseTiming();
        QEvent leave(QEvent::Leave);
        QCursor::setPos(0, 0);
        QCoreApplication::sendEvent(circle, &leave);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(circle->objectName().toStdString());
}
BENCHMARK(BM_EnterToBuiltPopup)->DenseRange(0, 9)->UseManualTime()->Repetitions(3)->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The headless platform's notices (it cannot raise windows) would drown the figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(message));
        if (type == QtFatalMsg)
            std::abort();
    });
    TApplication app(argc, argv);
    SetupCtrls::Install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
