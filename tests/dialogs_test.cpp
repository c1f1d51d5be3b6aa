// Every menu and every dialog can be worked from the keyboard: each item,
// button and field label has an access key while a letter of it is free,
// and no key is used twice within one menu or one dialog; buttons captioned
// with signs say what they do. Every dialog fits a small screen, and opens
// at the size it was left at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "app/brinnowview.h"
#include "app/campaigncheckwindow.h"
#include "app/chooseshipdialog.h"
#include "app/mainframe.h"
#include "app/printelements.h"
#include "editors/accesskeys.h"
#include "editors/addarmament.h"
#include "editors/addnation.h"
#include "editors/editarmaments.h"
#include "editors/editnations.h"
#include "editors/editscenarios.h"
#include "editors/selectscenario.h"
#include "editors/selectship.h"
#include "editors/selectsquadron.h"
#include "tests/support/contextmenu.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/editorfixture.h"

namespace {

// Room for a window manager's title bar above a dialog.
constexpr int kTitleBar = 32;

// What is wrong with a set of captions: keys used twice, and captions
// without a key although one of their letters is free. A dialog of more
// captions than letters leaves the last few without.
std::string KeyFaults(const QStringList& captions) {
    std::string faults;
    QMap<QChar, QString> taken;
    for (const QString& caption : captions) {
        const QChar key = AccessKeyOf(caption);
        if (key.isNull()) continue;
        if (taken.contains(key)) {
            faults += " " + QString(key).toStdString() + " in \"" + taken[key].toStdString() +
                      "\" and \"" + caption.toStdString() + "\";";
        }
        taken.insert(key, caption);
    }
    for (const QString& caption : captions) {
        const bool free = std::any_of(caption.begin(), caption.end(), [&](QChar c) {
            return c.isLetterOrNumber() && !taken.contains(c.toUpper());
        });
        if (AccessKeyOf(caption).isNull() && free)
            faults += " no key: \"" + caption.toStdString() + "\";";
    }
    return faults;
}

QStringList Items(const QList<QAction*>& actions) {
    QStringList items;
    for (const QAction* action : actions) {
        if (action->isVisible() && !action->isSeparator()) items << action->text();
    }
    return items;
}

TEST(Dialogs, EveryMenuHasAKeyPerItem) {
    QSettings().clear();
    CMainFrame frame;
    GenerateDocument(frame.Document(), {3, 1, 1, 1, 1, 2});
    frame.resize(800, 600);
    frame.show();
    frame.View().OnUpdate();
    EXPECT_EQ(KeyFaults(Items(frame.menuBar()->actions())), "");
    for (const QAction* title : frame.menuBar()->actions()) {
        EXPECT_EQ(KeyFaults(Items(title->menu()->actions())), "") << title->text().toStdString();
    }
    EXPECT_EQ(KeyFaults(RightClick(frame.View().viewport(), {40, 5})), "");
}

// Every dialog of the program, each opened on doc (the check window on the
// frame's document).
std::vector<std::function<QDialog*()>> EveryDialog(CMainFrame& frame, CBrinnowDoc& doc) {
    return {
        [&] { return new CEditNationsDlg(doc.m_nations, nullptr); },
        [&] { return new CAddNationDlg(doc.m_nations[0], true, nullptr); },
        [&] { return new CEditArmamentsDlg(doc, nullptr); },
        [&] { return new CAddArmamentDlg(doc.m_armaments[0], doc.m_nations, true, nullptr); },
        [&] { return ShipsDialog(doc).release(); },
        [&] { return new CSelectShipDlg(doc.m_ships, nullptr); },
        [&] { return SquadronsDialog(doc).release(); },
        [&] { return new CSelectSquadronDlg(doc.m_squadrons, nullptr); },
        [&] { return new CEditScenariosDlg(doc, nullptr); },
        [&] { return new CSelectScenarioDlg(doc.m_scenarios, nullptr); },
        [&] { return new CPrintElementsDlg(doc, nullptr); },
        [&] {
            return new CampaignCheckWindow(frame.Document(), frame.History(), frame.View(),
                                           nullptr);
        },
        [&] {
            return new ChooseShipDialog(ShipNameChoice(doc.m_ships, "Tiger", 1), doc.m_ships,
                                        nullptr);
        },
    };
}

// Opens every dialog on a small campaign, shows it and hands it to check.
void ForEveryDialogShown(const std::function<void(QDialog* dialog)>& check) {
    CMainFrame frame;
    CBrinnowDoc doc;
    GenerateDocument(doc, {6, 2, 2, 2, 2, 3});
    for (const auto& open : EveryDialog(frame, doc)) {
        const std::unique_ptr<QDialog> dialog(open());
        dialog->show();
        check(dialog.get());
        dialog->hide();
    }
}

std::string Describe(const QRect& r) {
    return QString::asprintf("%d,%d %dx%d", r.x(), r.y(), r.width(), r.height()).toStdString();
}

// Records with text in every box, as a dialog opens and as it steps on:
// nothing for Qt to warn about on the terminal either. Rows and columns of a
// layout never put two controls on one place.
TEST(Dialogs, EachHasAKeyPerButtonAndFieldLabelFitsASmallScreenLoadsQuietlyAndNothingOverlaps) {
    static QStringList warnings;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            if (text.contains("QTextCursor")) warnings << text;
        });
    ForEveryDialogShown([](QDialog* dialog) {
        QStringList captions;
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            const QString text = button->text();
            if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
                captions << text;
            // A caption of signs says in a tool tip what the button does.
            if (QStringList{"<<", "<", ">", ">>", "Up", "Dn"}.contains(QString(text).remove('&'))) {
                EXPECT_FALSE(button->toolTip().isEmpty()) << text.toStdString();
            }
        }
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->buddy()) captions << label->text();
            // Without a buddy, Qt would show the "&" itself.
            else
                EXPECT_TRUE(AccessKeyOf(label->text()).isNull()) << label->text().toStdString();
        }
        EXPECT_EQ(KeyFaults(captions), "") << dialog->windowTitle().toStdString();
        // A small or scaled screen holds it whole, its buttons included.
        EXPECT_TRUE(QSize(1024, 576 - kTitleBar).expandedTo(dialog->minimumSizeHint()) ==
                    QSize(1024, 576 - kTitleBar))
            << dialog->windowTitle().toStdString() << " needs " << dialog->minimumSizeHint().width()
            << " x " << dialog->minimumSizeHint().height();

        QApplication::processEvents();
        std::vector<const QWidget*> controls;
        for (const QWidget* widget : dialog->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (widget->isVisible() && !name.isEmpty() && !name.startsWith("qt_"))
                controls.push_back(widget);
        }
        const auto placed = [dialog](const QWidget* widget) {
            return QRect(widget->mapTo(dialog, QPoint()), widget->size());
        };
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const QWidget* a = controls[i];
                const QWidget* b = controls[j];
                if (a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
                EXPECT_FALSE(placed(a).intersects(placed(b)))
                    << dialog->windowTitle().toStdString() << ": " << a->objectName().toStdString()
                    << " " << Describe(placed(a)) << " and " << b->objectName().toStdString() << " "
                    << Describe(placed(b));
            }
        }

        if (auto* next = dialog->findChild<QPushButton*>("nextButton")) next->click();
        QApplication::processEvents();
        EXPECT_TRUE(warnings.isEmpty())
            << dialog->windowTitle().toStdString() << ": " << warnings.join("\n").toStdString();
        warnings.clear();
    });
    qInstallMessageHandler(previous);
}

TEST(Dialogs, OpenAtTheSizeTheyWereLeftAtWithinTheScreen) {
    QSettings().clear();
    CBrinnowDoc doc;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QSize left : {QSize(500, 410), QSize(5000, 5000)}) {
        {
            CEditNationsDlg nations(doc.m_nations, nullptr);
            nations.show();
            nations.resize(left);
            nations.close();
        }
        CEditNationsDlg again(doc.m_nations, nullptr);
        again.show();
        EXPECT_EQ(again.size(),
                  left.boundedTo(screen.size() -
                                 QSize(0, again.style()->pixelMetric(QStyle::PM_TitleBarHeight))));
    }
}

// Under a window manager on a small screen (scripts/window-check.sh runs it
// on 1024 x 576 logical pixels at scale 1 and 2): every button of every
// dialog lies on the screen, so none is out of the user's reach.
TEST(OnScreenDialogs, EveryButtonIsOnTheScreen) {
    if (qEnvironmentVariableIsEmpty("BRINNOW_ON_SCREEN")) {
        GTEST_SKIP() << "needs a window manager: scripts/window-check.sh";
    }
    QSettings().clear();
    ForEveryDialogShown([](QDialog* dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        QTest::qWait(200);
        const QRect screen = dialog->screen()->availableGeometry();
        for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (!button->isVisible()) continue;
            const QRect placed(button->mapToGlobal(QPoint()), button->size());
            EXPECT_TRUE(screen.contains(placed))
                << dialog->windowTitle().toStdString() << ": " << button->text().toStdString()
                << " at " << Describe(placed) << " in a window at "
                << Describe(dialog->frameGeometry()) << " on " << Describe(screen);
        }
    });
}

}  // namespace
