#pragma once

#include <QtDesigner/private/qdesigner_propertysheet_p.h>
#include <QtDesigner/private/qdesigner_utils_p.h>

#include <QtDesigner/QDesignerExtraInfoExtension>

#include <QBasicTimer>
#include <QExtensionFactory>
#include <QHash>
#include <QPointer>

// The property sheet of a library component in Qt Designer, and of a standard widget or action
// with an event the layout loader binds. Its references (properties that
// point to another component: First, Menu, RadioPanel) are edited as the other component's name,
// its events as the name of the page's handler, and both are stored so, as the layout loader
// reads them; every component lists them, whether dropped anew or read from a layout. Setting a
// name assigns the component it names, so the setter's checks run as they do at run time; a
// name the form does not hold, or a component of another class, is refused with a message, and
// the names follow what the components hold. Colours are edited as colours and stored as the
// layout's colour numbers (system colours kept until another colour is chosen). A board
// picture's name is read once its editing has ended, not at every keystroke. The support
// component's stand-in lists the supporter's stored properties. Only what differs from a new
// component's values is saved.
class TReferenceSheet : public QDesignerPropertySheet
{
    Q_OBJECT
public:
    explicit TReferenceSheet(QObject *object, QObject *parent);
    ~TReferenceSheet() override;

    QVariant property(int index) const override;
    void setProperty(int index, const QVariant &value) override;
    bool isChanged(int index) const override;
    bool reset(int index) override;

    // Sets every reference name on the form to the component the reference holds.
    static void ShowHeldReferences(const QObject *form);
    // The layout's form of a saved component: references, events and the supporter's values
    // without a standard setter, colours as numbers.
    void ToStored(DomWidget *saved) const;

private:
    // A name-valued property (reference, event, supporter string) or another supporter value.
    int AddNamed(const QString &name, const QVariant &initial);
    QString ReferenceAt(int index) const;
    void Assign(const QString &reference, const QString &target, bool loading);
    // The property editor hands over the name at every keystroke: a name that does not fit is
    // refused once its editing has ended.
    void Refuse(const QString &reference, const QString &text);
    bool Editing() const;
    bool IsPicture(int index) const;
    void ShowRefusal();
    void ShowHeld();
    void timerEvent(QTimerEvent *event) override;

    static constexpr int EditingCheckMs = 300;

    QHash<QString, int> m_references;   // name -> index of its property
    QHash<int, QVariant> m_defaults;     // index -> value of a new component, for the added ones
    QHash<int, QVariant> m_colorDefaults; // index of a colour -> its stored default
    QBasicTimer m_refusalCheck;
    QString m_refused; // the reference whose name is refused, and why
    QString m_refusal;
    QBasicTimer m_pictureCheck;
    QVariant m_typedPicture; // the picture name being typed, set once its editing has ended
};

// Designer's hook for the saved form of a widget: hands a library component or the page's form
// to its sheet.
class TStoredForm : public QObject, public QDesignerExtraInfoExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerExtraInfoExtension)
public:
    TStoredForm(QWidget *widget, QDesignerFormEditorInterface *core, QObject *parent);

    QDesignerFormEditorInterface *core() const override { return m_core; }
    QWidget *widget() const override { return m_widget; }
    bool saveUiExtraInfo(DomUI *) override { return true; }
    bool loadUiExtraInfo(DomUI *) override { return true; }
    bool saveWidgetExtraInfo(DomWidget *saved) override;
    bool loadWidgetExtraInfo(DomWidget *) override { return true; }

private:
    QWidget *m_widget;
    QDesignerFormEditorInterface *m_core;
};

// Designer builds a page's form as a plain QMainWindow: this sheet gives it the stored
// enumerations of the library's form, WindowState, Position and Align, so that they are read, edited
// and saved as the layout loader reads them, and read without a warning by Form > Preview.
class TFormSheet : public QDesignerPropertySheet
{
    Q_OBJECT
public:
    explicit TFormSheet(QObject *object, QObject *parent);

    // Designer reads a stored enumeration as a plain number: it is kept as the enumeration.
    void setProperty(int index, const QVariant &value) override;
    // OnCreate, the form's event, is saved once it names a handler.
    bool isChanged(int index) const override;
    bool reset(int index) override;
    void ToStored(DomWidget *saved) const;

private:
    QHash<int, qdesigner_internal::DesignerMetaEnum> m_enumerations; // index -> its values
    int m_onCreate;
};

// Gives the library's widgets and the standard components with events a TReferenceSheet (and
// the widgets their saved form), and a page's form a TFormSheet, for the plain and the dynamic
// property sheet interfaces alike.
class TReferenceSheetFactory : public QExtensionFactory
{
    Q_OBJECT
public:
    TReferenceSheetFactory(QExtensionManager *parent, QDesignerFormEditorInterface *core);

    QObject *extension(QObject *object, const QString &iid) const override;

private:
    QObject *Sheet(QObject *object) const;

    QDesignerFormEditorInterface *m_core;
    mutable QHash<QObject *, QPointer<QDesignerPropertySheet>> m_sheets;
};
