#pragma once

#include "boardhighlight.h"
#include "boardimage.h"
#include "form.h"
#include "formloader.h"
#include "popupform.h"
#include "radiopanel.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

// The circles' test page: on a 200 x 200 board picture at (100, 80), which stays where it was
// laid out, AlphaHighlight ("&Alpha", AlphaPanel), the link group BetaHighlight and
// BetaHighlight2 ("&Beta", BetaPanel), OptionHighlight ("&Beta" but htOptions, no panel),
// GammaHighlight ("&Gamma", htOptions, the 50 x 20 SmallPanel), GammaTwinHighlight ("Gam&ma",
// htOptions, no panel) and DeltaHighlight ("&Delta", no panel); a menu of "&File" and "&Help".
class THighlightPage : public TForm
{
    Q_OBJECT
public:
    THighlightPage()
    {
        TFormLoader(this).Load(QStringLiteral(":/pages/highlights.ui"));
        Board = findChild<TBoardImage *>(QStringLiteral("Board"));
        Alpha = Circle("AlphaHighlight");
        Beta = Circle("BetaHighlight");
        Option = Circle("OptionHighlight");
        Beta2 = Circle("BetaHighlight2");
        Gamma = Circle("GammaHighlight");
        GammaTwin = Circle("GammaTwinHighlight");
        Delta = Circle("DeltaHighlight");
        AlphaPanel = findChild<TRadioPanel *>(QStringLiteral("AlphaPanel"));
        AlphaBox = findChild<QComboBox *>(QStringLiteral("AlphaBox"));
        // A gradient, so that every pixel beneath a circle tells where it was taken from.
        QImage photo(200, 200, QImage::Format_RGB32);
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x)
                photo.setPixel(x, y, qRgb(x, y, 255 - (x + y) / 2));
        }
        Board->Picture()->SetImage(photo);
        winId();
    }

    TBoardHighlight *Circle(const char *name) const { return findChild<TBoardHighlight *>(QLatin1String(name)); }

    // Shown and painted: every circle has rendered its images and built its menu entry.
    void Show()
    {
        show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(this));
        ASSERT_TRUE(QTest::qWaitFor([this] { return Delta->Rendered(); }));
    }

    // The entry of the group captioned group with the caption title.
    QAction *Entry(const QString &group, const QString &title) const
    {
        for (QAction *item : menuBar()->actions()) {
            if (item->text() != group || !item->menu())
                continue;
            for (QAction *entry : item->menu()->actions()) {
                if (entry->text() == title)
                    return entry;
            }
        }
        return nullptr;
    }

    TBoardImage *Board;
    TBoardHighlight *Alpha, *Beta, *Option, *Beta2, *Gamma, *GammaTwin, *Delta;
    TRadioPanel *AlphaPanel;
    QComboBox *AlphaBox;
    int AlphaEnters = 0;

public slots:
    void AlphaPanelEnter(QObject *) { ++AlphaEnters; }
};
