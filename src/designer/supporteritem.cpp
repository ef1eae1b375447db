#include "supporteritem.h"

#include "component.h"
#include "setupsupporter.h"

#include <QMetaProperty>
#include <QPainter>

namespace {

// Named like the library's class, as Designer stores a widget under its class name; internal
// to this file, so distinct from it.
class TSetupSupporter : public QWidget
{
    Q_OBJECT
public:
    explicit TSetupSupporter(QWidget *parent) : QWidget(parent)
    {
        resize(32, 32);
        Component::SetDesigning(this, true);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter canvas(this);
        const QRect box = rect().adjusted(0, 0, -1, -1);
        canvas.fillRect(box, QColor(0xF0, 0xF0, 0xF0));
        canvas.setPen(Qt::black);
        canvas.drawRect(box);
        canvas.drawText(box, Qt::AlignCenter, QStringLiteral("SS"));
    }
};

} // namespace

namespace SupporterItem {

QWidget *Create(QWidget *parent)
{
    return new TSetupSupporter(parent);
}

QString DefaultProperties()
{
    ::TSetupSupporter defaults(nullptr);
    const QMetaObject *meta = defaults.metaObject();
    QString xml;
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isStored() || !property.isWritable())
            continue;
        const QVariant value = property.read(&defaults);
        QString element;
        switch (value.metaType().id()) {
        case QMetaType::Bool:
            element = QStringLiteral("<bool>%1</bool>").arg(value.toBool() ? "true" : "false");
            break;
        case QMetaType::Int:
            element = QStringLiteral("<number>%1</number>").arg(value.toInt());
            break;
        default:
            element = QStringLiteral("<string>%1</string>").arg(value.toString().toHtmlEscaped());
            break;
        }
        xml += QStringLiteral("<property name=\"%1\" stdset=\"0\">%2</property>")
                   .arg(QLatin1String(property.name()), element);
    }
    return xml;
}

} // namespace SupporterItem

#include "supporteritem.moc"
