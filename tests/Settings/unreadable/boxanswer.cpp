// Linked into the program built with an unreadable layout: reports every message box the
// program opens on standard error and answers it with its default button, so that a test can
// run the program to its end.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

void AnswerBoxes()
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        std::fprintf(stderr, "message box \"%s\": %s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
        if (QPushButton *answer = box->defaultButton())
            answer->click();
        else
            box->close();
    });
    poll->start(10);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(AnswerBoxes)
