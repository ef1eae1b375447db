#include "setupctrls.h"

#include "accessibility.h"
#include "boardhighlight.h"
#include "boardimage.h"
#include "formloader.h"
#include "jumpers.h"
#include "radiopanel.h"
#include "setupsupporter.h"

namespace {

template <typename T>
TClassEntry Entry(bool nonVisual)
{
    return {T::staticMetaObject.className(), &T::staticMetaObject,
            [](QWidget *parent) -> QObject * { return new T(parent); }, nonVisual};
}

} // namespace

void SetupCtrls::RegisterClasses()
{
    for (const TClassEntry &entry : {Entry<TBoardImage>(false), Entry<TBoardHighlight>(false),
                                     Entry<TSetupSupporter>(true), Entry<TTwoJumper>(false),
                                     Entry<TThreeJumper>(false), Entry<TRadioPanel>(false)})
        TFormLoader::RegisterClass(entry);
}

void SetupCtrls::Install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    RegisterClasses();
    Accessibility::Install();
}
