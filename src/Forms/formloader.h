#pragma once
/// @file
/// The layout loader and its class registry.

#include "events.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QUiLoader>
#include <QStringList>
#include <QVector>
#include <functional>

class QXmlStreamReader;

/// A class the layout loader creates by name; the libraries that define classes register them.
struct TClassEntry
{
    const char *name;                                 ///< The class name a layout stores.
    const QMetaObject *metaObject;                    ///< Its properties and signals.
    std::function<QObject *(QWidget *parent)> create; ///< Creates one, owned by parent.
    bool nonVisual;                                   ///< A component without a window.
};

/// Not for use outside the loader.
namespace FormLoaderDetail {
/// Empties the library paths while QUiLoader is constructed: it loads every Designer plugin it
/// finds there (one pulls in Qt Quick), and the library's classes come from its own registry.
struct PluginScanOff
{
    /// Empties the library paths, keeping them in libraryPaths.
    PluginScanOff();
    QStringList libraryPaths; ///< The paths the loader's constructor restores.
};
} // namespace FormLoaderDetail

/// Reads a stored page layout (a Qt Designer .ui file) into a form under construction, whose
/// class the layout's top-level class names (or TForm, for any page class derived from it):
/// creates the library's classes and non-visual components, applies the stored properties in
/// stored order, then resolves component references and binds events to the form's handlers by
/// name, fills the form's fields (its pointer-typed properties) with the components of the same
/// name, tells the components that loading is done, and finally runs the form's OnCreate. Any
/// name that cannot be resolved, a field without a component of its name and class, and a
/// handler whose parameters do not fit its event are an EReadError.
class TFormLoader : private FormLoaderDetail::PluginScanOff, public QUiLoader
{
public:
    /// A loader that fills form.
    explicit TFormLoader(QWidget *form);

    /// @name Loading
    ///@{

    /// Reads the layout from a file or resource, or from memory; EReadError when it is refused.
    void Load(const QString &fileName);
    void Load(const QByteArray &layout);
    ///@}

    /// Makes a class known by name to every loader; a name registered again is replaced.
    static void RegisterClass(const TClassEntry &entry);
    /// Creates a registered class by name; nullptr for unknown names.
    static QObject *CreateComponent(const QString &className, QWidget *parent);
    /// Whether className is a registered non-visual component.
    static bool IsNonVisual(const QString &className);

    /// A stored value: its element's name (string, bool, number, enum, set, stringlist ...), its text
    /// and, for a string list, its items.
    struct StoredValue
    {
        QString kind;      ///< The element's name.
        QString text;      ///< Its text.
        QStringList items; ///< A string list's items.
    };

protected:
    /// Gives the top-level class the form itself, and creates the registered classes and, as
    /// QUiLoader does, Qt's own widgets.
    QWidget *createWidget(const QString &className, QWidget *parent, const QString &name) override;

private:
    struct Deferred
    {
        QString component;
        QString property;
        QString value;
    };

    /// An open element of the layout; for components also their class and name.
    struct Open
    {
        QString tag;
        QString className;
        QString name;
    };

    static constexpr int MaxCoordinate = 32767;

    struct NonVisual
    {
        QString className;
        QString name;
        QVector<QPair<QString, StoredValue>> properties;
    };

    /// The layout without what the loader resolves itself: non-visual components, events and
    /// references, which are recorded in stored order.
    QByteArray Prepare(const QByteArray &layout);
    static void CheckNumber(const QString &tag, const QString &text, const QVector<Open> &open);
    void ReadNonVisual(QXmlStreamReader &in, const QString &className, const QString &name);
    const QMetaObject *MetaObjectOf(const QString &className) const;
    void CreateNonVisual(const NonVisual &stored);
    void Resolve(const Deferred &item);
    /// Sets the form's pointer-typed properties to the components of the same name and class.
    void BindFields();
    void ApplyTabStops();
    void IndexComponents(const QObject *parent);
    QObject *FindComponent(const QString &name) const;
    void BindEvent(QObject *component, const QByteArray &event, const QString &handlerName);

    QWidget *m_form;
    QVector<Deferred> m_deferred;
    QVector<NonVisual> m_nonVisual;
    QStringList m_tabStops; // the stored focus order, by component name
    QHash<QString, QPointer<QObject>> m_components; // by name, once every stored component exists
    TMethod m_onCreate;
    QString m_onCreateName;
};
