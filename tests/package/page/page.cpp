// A one-jumper page loaded from its layout; a click on the jumper must reach the page's handler.
#include <application.h>
#include <form.h>
#include <formloader.h>
#include <jumpers.h>
#include <setupctrls.h>

#include <QMouseEvent>
#include <cstdio>

class TPage : public TForm
{
    Q_OBJECT
public:
    int clicks = 0;
public slots:
    void JumperClick(QObject *) { ++clicks; }
};

static const char layout[] = R"(<ui version="4.0"><widget class="TPage" name="Page">
 <widget class="QWidget" name="central">
  <widget class="TTwoJumper" name="Jumper1">
   <property name="geometry"><rect><x>8</x><y>8</y><width>34</width><height>18</height></rect></property>
   <property name="Closed"><bool>true</bool></property>
   <property name="OnClick" stdset="0"><string>JumperClick</string></property>
  </widget>
 </widget></widget></ui>)";

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    SetupCtrls::Install();
    TPage page;
    TFormLoader(&page).Load(QByteArray(layout));
    page.show();
    auto *jumper = page.findChild<TTwoJumper *>(QStringLiteral("Jumper1"));
    if (!jumper || !jumper->Closed()) {
        std::puts("the stored jumper is missing or open");
        return 1;
    }
    const QPointF centre = QRectF(jumper->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, jumper->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, jumper->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(jumper, &press);
    QApplication::sendEvent(jumper, &release);
    if (jumper->Closed() || page.clicks != 1) {
        std::puts("a click did not open the jumper through the page's handler");
        return 1;
    }
    std::puts("page built against the installed SetupCtrls works");
    return 0;
}

#include "page.moc"
