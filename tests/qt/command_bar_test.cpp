// The command bar: the popup's labels in both languages, the tool bar, routing by command id.
#include "core/ui/command_bar.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "frame_fixture.h"

namespace {

class CommandBarTest : public FrameTest {
  protected:
    QList<QAction*> MenuItems(int menu = 0) const {
        return frame->menuBar()->actions()[menu]->menu()->actions();
    }
    // The menu's title, then its items' labels.
    QStringList Labels(int menu = 0) const {
        QStringList labels{frame->menuBar()->actions()[menu]->text()};
        for (QAction* item : MenuItems(menu)) labels << item->text();
        return labels;
    }
    static QString CancelText() {
        return QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text();
    }
    QList<int> Ids(const QList<QAction*>& actions) const {
        QList<int> ids;
        for (QAction* action : actions) {
            if (!action->isSeparator()) ids << action->data().toInt();
        }
        return ids;
    }
};

TEST_F(CommandBarTest, TheMenuReadsInThePlayersLanguageAndKeepsItsIds) {
    Start();
    ASSERT_EQ(frame->menuBar()->actions().size(), 4) << "Menu, then the desktop's Edit, Help and View";
    EXPECT_EQ(Labels(),
              QStringList({"Menu", "New Game", "Show solution", "Learn rules", "Options", "About", "Exit"}));
    EXPECT_EQ(Labels(1), QStringList({"Edit", "Undo", "Redo"}));
    EXPECT_FALSE(MenuItems(1)[0]->isEnabled() || MenuItems(1)[1]->isEnabled())
        << "nothing to undo or redo yet";
    EXPECT_EQ(Labels(2),
              QStringList({"Help", "Check my board", "Show a sure cell", "", "Puzzles with one answer"}));
    EXPECT_TRUE(MenuItems(2)[3]->isCheckable() && !MenuItems(2)[3]->isChecked()) << "off by default";
    EXPECT_EQ(Labels(3), QStringList({"View", "Zoom in", "Zoom out", "Automatic size", "Full screen"}));
    const QList<int> ids = Ids(MenuItems());
    EXPECT_EQ(ids, QList<int>({40005, 40007, 40008, 40004, 40003, 40001}));

    GameState.langue = 1;
    UpdateMenuLabels();
    EXPECT_EQ(Labels(), QStringList({"Menu", "Nouvelle partie", "Donner la solution", "Apprentissage",
                                     "Options", "A propos", "Quitter"}));
    EXPECT_EQ(Labels(1), QStringList({"Édition", "Annuler", "Rétablir"}));
    EXPECT_EQ(Labels(2), QStringList({"Aide", "Vérifier ma grille", "Montrer une case sûre", "",
                                      "Grilles à solution unique"}));
    EXPECT_EQ(Labels(3),
              QStringList({"Affichage", "Zoom avant", "Zoom arrière", "Taille automatique", "Plein écran"}));
    EXPECT_EQ(Ids(MenuItems()), ids);
    EXPECT_EQ(CancelText(), "Annuler") << "Qt's own buttons follow the language";
    GameState.langue = 0;
    UpdateMenuLabels();
    EXPECT_EQ(CancelText(), "Cancel");
}

TEST_F(CommandBarTest, TheToolBarHasFivePicturesWithASeparatorAfterTheSecondAndReachesTheCommands) {
    StartPlaying();
    const QList<QToolBar*> bars = frame->findChildren<QToolBar*>();
    ASSERT_EQ(bars.size(), 1);
    EXPECT_FALSE(bars.first()->isMovable() || bars.first()->isFloatable()) << "it stays under the menu";
    const QList<QAction*> actions = bars.first()->actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(Ids(actions), QList<int>({40009, 40010, 40011, 40012, 40013}));
    for (QAction* action : actions) EXPECT_TRUE(action->isSeparator() || !action->icon().isNull());

    // What each command does is checked by random play, which presses every button.
    actions[5]->trigger();
    EXPECT_EQ(GameState.hint, 0) << "the last button toggles the hints";
}

}  // namespace
