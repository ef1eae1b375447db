#pragma once

#include <QtDesigner/private/qdesigner_propertysheet_p.h>
#include <QtDesigner/private/qdesigner_utils_p.h>

#include <QExtensionFactory>
#include <QHash>
#include <QPointer>

// A component reference (a property that points to another component: First, Menu,
// RadioPanel) is edited in Qt Designer as the other component's name, a dynamic string
// property, and stored so, as the layout loader reads it. Setting the name assigns the
// component it names, so the setter's checks run as they do at run time; when the assignment
// is refused or changes other components, the names follow what the components hold.
class TReferenceSheet : public QDesignerPropertySheet
{
    Q_OBJECT
public:
    explicit TReferenceSheet(QObject *object, QObject *parent);

    int indexOf(const QString &name) const override;
    bool canAddDynamicProperty(const QString &name) const override;
    int addDynamicProperty(const QString &name, const QVariant &value) override;
    bool removeDynamicProperty(int index) override;
    void setProperty(int index, const QVariant &value) override;

    ~TReferenceSheet() override;

    // Sets every reference name on the form to the component the reference holds.
    static void ShowHeldReferences(const QObject *form);

private:
    QString ReferenceAt(int index) const;
    void Assign(const QString &reference, const QString &target, bool loading);
    void ShowHeld();

    QHash<QString, int> m_references; // name -> index of its dynamic property
};

// Designer builds a page's form as a plain QMainWindow: this sheet gives it the stored
// enumerations of the library's form, WindowState, Position and Align, so that they are read, edited
// and saved as the layout loader reads them.
class TFormSheet : public QDesignerPropertySheet
{
    Q_OBJECT
public:
    explicit TFormSheet(QObject *object, QObject *parent);

    // Designer reads a stored enumeration as a plain number: it is kept as the enumeration.
    void setProperty(int index, const QVariant &value) override;

private:
    QHash<int, qdesigner_internal::DesignerMetaEnum> m_enumerations; // index -> its values
};

// Gives the library's widgets a TReferenceSheet and a page's form a TFormSheet,
// for the plain and the dynamic property sheet interfaces alike.
class TReferenceSheetFactory : public QExtensionFactory
{
    Q_OBJECT
public:
    explicit TReferenceSheetFactory(QExtensionManager *parent);

    QObject *extension(QObject *object, const QString &iid) const override;

private:
    mutable QHash<QObject *, QPointer<QDesignerPropertySheet>> m_sheets;
};
